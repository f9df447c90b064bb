// The source reader. It keeps its own position and reads with retries:
// a failing read is retried at half the size, each attempt ending on a
// 512-byte sector boundary, until a single sector is known unreadable; that
// sector is filled with the replace byte, counted, and the read goes on.
#pragma once

#include "classlib/File.h"

#include <cstdint>

namespace vorlik {

class CFileEx : public CFile {
  public:
    static constexpr uint64_t kSectorSize = 512;

    bool Open(const std::u16string& path, os::OpenMode mode, CFileException* error) override;
    uint64_t Seek(int64_t offset, int origin);
    uint64_t GetPosition() const { return m_position; }
    // Disks and volumes are measured through the engine's size queries;
    // 0 when they cannot be measured.
    uint64_t GetLength() const;
    // Places up to `count` source bytes from the position on at the start of
    // the buffer; fewer only at the end of the source. Never raises.
    size_t Read(void* buffer, size_t count);
    bool IsPhysicalDrive() const;

    void SetReplaceData(uint8_t value) { m_replaceData = value; }
    uint64_t GetBadSectors() const { return m_badSectors; }

    // Operations a source reader does not offer.
    [[noreturn]] void Duplicate() const;
    [[noreturn]] void LockRange(uint64_t position, uint64_t count) const;
    [[noreturn]] void UnlockRange(uint64_t position, uint64_t count) const;

  private:
    // Fills the unreadable rest of the sector at `pos`, at most `room` bytes.
    size_t FillUnreadable(unsigned char* out, uint64_t pos, size_t room);

    uint64_t m_position = 0;
    uint64_t m_dataEnd = 0; // where the source's bytes end; 0 when unknown
    uint8_t m_replaceData = 0;
    uint64_t m_badSectors = 0;
    uint64_t m_lastBadSector = UINT64_MAX;
};

} // namespace vorlik
