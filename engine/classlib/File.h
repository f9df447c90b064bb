// The general file class: a file or device opened by path, written in
// order, closed. Failures of write, flush and close are raised as
// CFileException; a failed open fills the caller's record instead.
#pragma once

#include "FileException.h"
#include "platform/Storage.h"

#include <cstdint>
#include <functional>
#include <string>

namespace vorlik {

class CFile {
  public:
    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile(); // closes an open file, ignoring failures

    virtual bool Open(const std::u16string& path, os::OpenMode mode, CFileException* error);
    // Writes `count` bytes after those written before; a short write is a
    // full medium. While the destination takes nothing more for now, the
    // write waits in short steps and calls the wait hook after each.
    void Write(const void* buffer, size_t count);
    // Called while a write waits for room; it may raise to give the write up.
    void SetWaitHook(std::function<void()> hook) { m_waitHook = std::move(hook); }
    // Pushes written data to the medium.
    void Flush();
    void Close();
    // Closes without raising.
    void Abort() noexcept;
    // Length of the file or device.
    uint64_t GetBaseLength() const;
    // One read of up to `count` bytes at `offset`; false on a failed read.
    virtual bool ReadAt(void* buffer, size_t count, uint64_t offset, size_t& got);

    bool IsOpen() const { return m_hFile != os::kInvalidHandle; }
    os::Handle GetHandle() const { return m_hFile; }
    const std::u16string& GetFilePath() const { return m_strFileName; }

  protected:
    [[noreturn]] void Raise(int osError) const;

  private:
    os::Handle m_hFile = os::kInvalidHandle;
    std::u16string m_strFileName;
    uint64_t m_writePosition = 0;
    std::function<void()> m_waitHook;
};

} // namespace vorlik
