// The working state and steps of one copy job.
#pragma once

#include "CacheWindow.h"
#include "Communicator.h"
#include "FileEx.h"
#include "Options.h"
#include "classlib/File.h"
#include "platform/Storage.h"

#include <cstdint>
#include <string>

namespace vorlik {

class CopyRun {
  public:
    CopyRun(const CCommunicator& channel, const COptions& options, unsigned char* buffer,
            size_t bufferSize);

    // Runs the job from opening the source to its end messages. A null
    // buffer (its allocation failed) is reported as a general error.
    int32_t Run(const std::u16string& source, const std::u16string& destination);

  private:
    bool OpenSource(const std::u16string& source);
    bool OpenDestination(const std::u16string& destination);
    bool PrepareTarget(const std::u16string& destination);
    void MeasureSource();
    void CopyLoop();
    bool StopRequested() const;
    void ReportProgress();
    void CleanUp();
    template <typename Step> void Guarded(Step step);
    void ReportFailure(const std::u16string& text);
    int32_t Finish();

    const CCommunicator& m_channel;
    const COptions& m_options;
    unsigned char* m_buffer;
    size_t m_bufferSize;

    CFileException m_failure;
    CFileEx m_source;
    CFile m_destination;
    CacheWindow m_cacheWindow;
    os::LockedVolumes m_lockedVolumes;
    os::Handle m_targetLock = os::kInvalidHandle;
    bool m_isPhysical = false;
    bool m_isVolume = false;
    bool m_targetLocked = false;
    bool m_stopped = false;
    bool m_failureReported = false;
    uint64_t m_bytesWritten = 0;
    uint64_t m_badSectors = 0;
    uint64_t m_sourceSize = 0;
    uint64_t m_step = 0;
    uint64_t m_lastReported = 0;
};

} // namespace vorlik
