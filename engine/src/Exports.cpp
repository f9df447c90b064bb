// The library's three exports. No failure crosses this boundary.
#include "vorlik/Vorlik.h"

#include "Communicator.h"
#include "IMGFile5.h"
#include "platform/Storage.h"

#include <string>

namespace {

std::u16string TextOrEmpty(const VorlikChar* text) {
    return text ? std::u16string(text) : u"";
}

} // namespace

extern "C" {

VORLIK_API int32_t VORLIK_CALL EngineRunJob(const JobRecord* scrambledRecord) {
    if (!scrambledRecord)
        return 0;
    try {
        JobRecord record = *scrambledRecord;
        ScrambleJobRecord(&record);
        const vorlik::CCommunicator channel(record.Callback, record.Context);
        vorlik::CIMGFile5 job(&channel);
        const std::u16string source = TextOrEmpty(record.SrcFile);
        const std::u16string destination = TextOrEmpty(record.DstFile);
        return job.RunCopy(record.Options, source, destination);
    } catch (...) {
        return 0; // only the path copies can fail here, for want of memory
    }
}

VORLIK_API int32_t VORLIK_CALL EngineGetDiskSize(intptr_t device, uint64_t* size) {
    if (device == 0 || device == vorlik::os::kInvalidHandle || !size)
        return 0;
    uint64_t length = 0;
    if (!vorlik::os::DiskLength(device, length))
        return 0;
    *size = length;
    return 1;
}

VORLIK_API int32_t VORLIK_CALL EngineGetVolumeSize(const VorlikChar* rootPath, uint64_t* size) {
    if (!rootPath || !size)
        return 0;
    try {
        uint64_t total = 0;
        if (!vorlik::os::VolumeTotalSize(rootPath, total))
            return 0;
        *size = total;
        return 1;
    } catch (...) {
        return 0;
    }
}

} // extern "C"
