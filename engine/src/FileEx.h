// The source reader. It keeps its own position and narrows failing reads
// down to the sectors that really fail: a read that fails is repeated one
// sector at a time, and after a short read or an unreadable sector the
// reader feels its way on one sector at a time until data comes again.
// Each unreadable sector thus costs about one failing read; it is filled
// with the replace byte and counted once.
#pragma once

#include "classlib/File.h"

#include <cstdint>
#include <functional>

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
    // the buffer; fewer only at the end of the source. Raises nothing but
    // the abort signal, when the stop question says stop.
    size_t Read(void* buffer, size_t count);
    bool IsPhysicalDrive() const;

    void SetReplaceData(uint8_t value) { m_replaceData = value; }
    uint64_t GetBadSectors() const { return m_badSectors; }
    // Asked after every failing read, since one can take seconds on a
    // failing disk; true raises the abort signal.
    void SetStopQuestion(std::function<bool()> question) { m_stopQuestion = std::move(question); }

    // Operations a source reader does not offer.
    [[noreturn]] void Duplicate() const;
    [[noreturn]] void LockRange(uint64_t position, uint64_t count) const;
    [[noreturn]] void UnlockRange(uint64_t position, uint64_t count) const;

  private:
    // Fills the unreadable rest of the sector at `pos`, at most `room` bytes.
    size_t FillUnreadable(unsigned char* out, uint64_t pos, size_t room);
    void AskStop() const;

    uint64_t m_position = 0;
    uint64_t m_dataEnd = 0; // where the source's bytes end; 0 when unknown
    uint8_t m_replaceData = 0;
    uint64_t m_badSectors = 0;
    uint64_t m_lastBadSector = UINT64_MAX;
    // The last read came short or failed: the next one reads a single sector.
    bool m_sectorWise = false;
    std::function<bool()> m_stopQuestion;
};

} // namespace vorlik
