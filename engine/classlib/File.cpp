#include "File.h"

namespace vorlik {
namespace {

// How long a write waits for room before it asks the wait hook again.
constexpr int kWaitStepMsecs = 100;

} // namespace

CFile::~CFile() {
    Abort();
}

bool CFile::Open(const std::u16string& path, os::OpenMode mode, CFileException* error) {
    Abort();
    const std::u16string full = os::FullPath(path);
    int osError = 0;
    if (os::IsPathTooLong(full)) {
        if (error)
            *error = CFileException(os::FileCause::BadPath, -1, path);
        return false;
    }
    m_hFile = os::Open(path, mode, osError);
    if (m_hFile == os::kInvalidHandle) {
        if (error)
            *error = CFileException::FromOsError(osError, path);
        return false;
    }
    m_strFileName = full;
    m_writePosition = 0;
    return true;
}

void CFile::Write(const void* buffer, size_t count) {
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    size_t done = 0;
    for (;;) {
        size_t put = 0;
        int osError = 0;
        const bool written =
            os::WriteAt(m_hFile, bytes + done, count - done, m_writePosition, put, osError);
        m_writePosition += put;
        done += put;
        if (written)
            break;
        if (!os::IsWriteBusy(osError))
            Raise(osError);
        os::WaitWritable(m_hFile, kWaitStepMsecs);
        if (m_waitHook)
            m_waitHook();
    }
    if (done < count) // the medium took less than asked: it is full
        throw CFileException(os::FileCause::DiskFull, -1, m_strFileName);
}

void CFile::Flush() {
    int osError = 0;
    if (IsOpen() && !os::Flush(m_hFile, osError))
        Raise(osError);
}

void CFile::Close() {
    if (!IsOpen())
        return;
    const os::Handle handle = m_hFile;
    m_hFile = os::kInvalidHandle;
    int osError = 0;
    if (!os::Close(handle, osError))
        Raise(osError);
}

void CFile::Abort() noexcept {
    if (!IsOpen())
        return;
    int ignored = 0;
    os::Close(m_hFile, ignored);
    m_hFile = os::kInvalidHandle;
}

uint64_t CFile::GetBaseLength() const {
    uint64_t length = 0;
    int osError = 0;
    if (!os::Length(m_hFile, length, osError))
        Raise(osError);
    return length;
}

bool CFile::ReadAt(void* buffer, size_t count, uint64_t offset, size_t& got) {
    int ignored = 0;
    return os::ReadAt(m_hFile, buffer, count, offset, got, ignored);
}

void CFile::Raise(int osError) const {
    throw CFileException::FromOsError(osError, m_strFileName);
}

} // namespace vorlik
