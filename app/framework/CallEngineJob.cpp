#include "CallEngineJob.h"

int32_t CallEngineJob(const char16_t* srcFile, const TOptionsStruct* options,
                      const char16_t* dstFile, JobCallback callback, uintptr_t context) {
    JobRecord record{srcFile, options, 0, dstFile, callback, context};
    ScrambleJobRecord(&record);
    return EngineRunJob(&record);
}
