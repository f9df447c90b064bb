#include "CopyRun.h"

#include "JobTexts.h"
#include "KestrumException.h"

#include <new>

namespace vorlik {

CopyRun::CopyRun(const CCommunicator& channel, const COptions& options, unsigned char* buffer,
                 size_t bufferSize)
    : m_channel(channel), m_options(options), m_buffer(buffer), m_bufferSize(bufferSize) {}

int32_t CopyRun::Run(const std::u16string& source, const std::u16string& destination) {
    const uint8_t start = 0;
    m_channel.Send(JOBMSG_PROGRESS, &start);
    m_channel.Send(JOBMSG_SOURCE, source.c_str());
    if (!m_buffer) {
        ReportFailure(FormatFileError(CMemoryException(), kTextGeneralError));
        return Finish();
    }
    if (!OpenSource(source))
        return Finish();

    bool destinationOpened = true;
    Guarded([&] {
        MeasureSource();
        m_isPhysical = os::IsPhysicalDrivePath(destination);
        m_isVolume = !m_isPhysical && os::IsDevicePath(destination);
        destinationOpened = OpenDestination(destination);
        if (destinationOpened && PrepareTarget(destination)) {
            m_cacheWindow.Attach(m_source, m_destination);
            CopyLoop();
        }
    });
    if (!destinationOpened) {
        m_source.Abort();
        return Finish();
    }
    CleanUp();
    return Finish();
}

bool CopyRun::OpenSource(const std::u16string& source) {
    m_source.SetReplaceData(m_options.btReplaceData);
    m_source.SetStopQuestion([this] { return StopRequested(); });
    if (m_source.Open(source, os::OpenMode::ReadSource, &m_failure))
        return true;
    if (m_failure.m_cause == os::FileCause::SharingViolation) {
        ReportFailure(FormatText(LoadEngineString(kTextShareViolation),
                                 {FileNamePart(m_failure.m_strFileName)}));
    } else {
        ReportFailure(FormatFileError(m_failure, kTextCannotOpenSource));
    }
    return false;
}

void CopyRun::MeasureSource() {
    m_source.Seek(0, 0);
    m_sourceSize = m_source.GetLength();
    m_step = m_sourceSize / 100;
    m_lastReported = m_source.GetPosition();
}

// A destination that is the source under another name, or a disk and one
// of its own volumes, is refused as the system refuses a file that is open
// as the source: nothing is opened for writing.
bool CopyRun::OpenDestination(const std::u16string& destination) {
    int sharingError = 0;
    if (os::OverlapsSource(m_source.GetHandle(), destination, sharingError)) {
        m_failure = CFileException::FromOsError(sharingError, destination);
        ReportFailure(FormatFileError(m_failure, kTextCannotCreateDestination));
        return false;
    }
    // A destination that takes nothing for a while (a FIFO whose reader
    // stopped reading) must not hold the job beyond a stop.
    m_destination.SetWaitHook([this] {
        if (StopRequested())
            throw CKestrumException();
    });
    const auto mode =
        m_isPhysical || m_isVolume ? os::OpenMode::WriteDevice : os::OpenMode::CreateForWrite;
    if (m_destination.Open(destination, mode, &m_failure))
        return true;
    ReportFailure(FormatFileError(m_failure, kTextCannotCreateDestination));
    return false;
}

// Takes the destination, and for a disk every volume on it, away from the
// rest of the system. A refused lock ends the job without a text.
bool CopyRun::PrepareTarget(const std::u16string& destination) {
    if (!m_isPhysical && !m_isVolume)
        return true;
    m_targetLocked = os::LockVolume(m_destination.GetHandle(), destination, m_targetLock);
    if (!m_targetLocked || m_isVolume)
        return m_targetLocked;
    return os::LockDiskVolumes(m_lockedVolumes, os::GetDiskNumber(destination));
}

void CopyRun::CopyLoop() {
    for (;;) {
        if (StopRequested())
            throw CKestrumException();
        const size_t n = m_source.Read(m_buffer, m_bufferSize);
        if (n > 0) {
            const uint64_t writtenAt = m_bytesWritten;
            m_destination.Write(m_buffer, n);
            m_bytesWritten += n;
            m_cacheWindow.Copied(m_source.GetPosition() - n, writtenAt, n);
        }
        if (n < m_bufferSize)
            return;
        if (m_source.GetPosition() - m_lastReported >= m_step)
            ReportProgress();
    }
}

bool CopyRun::StopRequested() const {
    return m_channel.Send(JOBMSG_QUERY_ABORT, nullptr) != 0;
}

void CopyRun::ReportProgress() {
    const uint64_t pos = m_source.GetPosition();
    uint8_t percent = 100;
    if (pos < m_sourceSize) {
        const long double ratio =
            static_cast<long double>(pos) * 100.0L / static_cast<long double>(m_sourceSize);
        percent = static_cast<uint8_t>(ratio);
    }
    m_channel.Send(JOBMSG_PROGRESS, &percent);
    m_lastReported = pos;
    m_channel.Send(JOBMSG_BYTES_DONE, &m_bytesWritten);
}

// Gives the locks back, lets the system re-read a written disk's layout and
// closes both ends; every step runs even when one before it failed.
void CopyRun::CleanUp() {
    if (m_isPhysical) {
        Guarded([&] { os::ReleaseVolumes(m_lockedVolumes); });
        if (m_targetLocked)
            Guarded([&] { os::UnlockVolume(m_targetLock); });
    } else if (m_isVolume && m_targetLocked) {
        Guarded([&] { os::UnlockVolume(m_targetLock); });
    }
    if (m_isPhysical && m_destination.IsOpen())
        Guarded([&] { os::UpdateDiskProperties(m_destination.GetHandle()); });
    // Whatever was written must be on the medium before success is reported.
    Guarded([&] { m_destination.Flush(); });
    Guarded([&] { m_cacheWindow.Drain(); });
    Guarded([&] { m_destination.Close(); });
    Guarded([&] { m_source.Close(); });
}

template <typename Step> void CopyRun::Guarded(Step step) {
    try {
        step();
    } catch (const CKestrumException&) {
        m_stopped = true;
    } catch (const CException& failure) {
        ReportFailure(FormatFileError(failure, kTextGeneralError));
    } catch (const std::bad_alloc&) {
        ReportFailure(FormatFileError(CMemoryException(), kTextGeneralError));
    } catch (...) {
        ReportFailure(
            FormatText(LoadEngineString(kTextUnknownError), {LoadEngineString(kTextWholeProcess)}));
    }
}

// A job reports its first failure only: what fails after it, while cleaning
// up, follows from it.
void CopyRun::ReportFailure(const std::u16string& text) {
    if (m_failureReported)
        return;
    m_failureReported = true;
    m_channel.Send(JOBMSG_LOG_TEXT, text.c_str());
    m_channel.Send(JOBMSG_MESSAGE_BOX, text.c_str());
}

int32_t CopyRun::Finish() {
    if (m_stopped)
        m_bytesWritten = 0;
    m_badSectors = m_source.GetBadSectors();
    const uint8_t done = 100;
    m_channel.Send(JOBMSG_TOTAL_BYTES, &m_bytesWritten);
    m_channel.Send(JOBMSG_BAD_SECTORS, &m_badSectors);
    m_channel.Send(JOBMSG_PROGRESS, &done);
    return m_bytesWritten > 0 ? 1 : 0;
}

} // namespace vorlik
