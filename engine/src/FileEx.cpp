#include "FileEx.h"

#include "KestrumException.h"
#include "vorlik/Vorlik.h"

#include <algorithm>
#include <cstring>

namespace vorlik {
namespace {

uint64_t RestOfSector(uint64_t pos) {
    return CFileEx::kSectorSize - pos % CFileEx::kSectorSize;
}

} // namespace

bool CFileEx::Open(const std::u16string& path, os::OpenMode mode, CFileException* error) {
    m_position = 0;
    m_sectorWise = false;
    if (!CFile::Open(path, mode, error))
        return false;
    int ignored = 0;
    if (!os::Length(GetHandle(), m_dataEnd, ignored))
        m_dataEnd = 0;
    return true;
}

uint64_t CFileEx::Seek(int64_t offset, int origin) {
    switch (origin) {
    case 0:
        m_position = static_cast<uint64_t>(offset);
        break;
    case 1:
        m_position += static_cast<uint64_t>(offset);
        break;
    case 2:
        m_position = GetBaseLength() + static_cast<uint64_t>(offset);
        break;
    default:
        break;
    }
    return m_position;
}

uint64_t CFileEx::GetLength() const {
    uint64_t size = 0;
    if (IsPhysicalDrive())
        return EngineGetDiskSize(GetHandle(), &size) ? size : 0;
    if (os::IsDevicePath(GetFilePath())) {
        const std::u16string root = os::VolumeSizeRoot(GetFilePath());
        return EngineGetVolumeSize(root.c_str(), &size) ? size : 0;
    }
    return GetBaseLength();
}

bool CFileEx::IsPhysicalDrive() const {
    return os::IsPhysicalDrivePath(GetFilePath());
}

size_t CFileEx::Read(void* buffer, size_t count) {
    auto* out = static_cast<unsigned char*>(buffer);
    const uint64_t start = m_position;
    const uint64_t end = start + count;
    uint64_t pos = start;
    uint64_t sectorWiseUntil = pos; // a failed read's span, narrowed sector by sector
    while (pos < end) {
        const bool oneSector = m_sectorWise || pos < sectorWiseUntil;
        const auto attempt =
            static_cast<size_t>(oneSector ? std::min(RestOfSector(pos), end - pos) : end - pos);
        size_t got = 0;
        if (ReadAt(out + (pos - start), attempt, pos, got)) {
            if (got == 0)
                break; // the end of the source
            pos += got;
            // A short read stops before the end of the source or before
            // unreadable data; a single sector tells which.
            m_sectorWise = got < attempt;
            continue;
        }
        AskStop();
        if (attempt > RestOfSector(pos)) {
            sectorWiseUntil = pos + attempt;
            continue;
        }
        const size_t filled = FillUnreadable(out + (pos - start), pos, attempt);
        if (filled == 0)
            break; // failing past the end of the data, or its end is unknown
        pos += filled;
        m_sectorWise = true;
    }
    const auto total = static_cast<size_t>(pos - start);
    m_position += total;
    return total;
}

void CFileEx::AskStop() const {
    if (m_stopQuestion && m_stopQuestion())
        throw CKestrumException();
}

size_t CFileEx::FillUnreadable(unsigned char* out, uint64_t pos, size_t room) {
    if (pos >= m_dataEnd)
        return 0;
    const uint64_t restOfSector = kSectorSize - pos % kSectorSize;
    const auto fill =
        static_cast<size_t>(std::min<uint64_t>({restOfSector, room, m_dataEnd - pos}));
    std::memset(out, m_replaceData, fill);
    const uint64_t sector = pos / kSectorSize;
    if (sector != m_lastBadSector) {
        ++m_badSectors;
        m_lastBadSector = sector;
    }
    return fill;
}

void CFileEx::Duplicate() const {
    throw CNotSupportedException();
}

void CFileEx::LockRange(uint64_t, uint64_t) const {
    throw CNotSupportedException();
}

void CFileEx::UnlockRange(uint64_t, uint64_t) const {
    throw CNotSupportedException();
}

} // namespace vorlik
