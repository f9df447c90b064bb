#include "FileEx.h"

#include "vorlik/Vorlik.h"

#include <algorithm>
#include <cstring>

namespace vorlik {
namespace {

// Shortens an attempt of `length` bytes at `pos` so that it ends on a sector
// boundary; at least the rest of the current sector remains.
size_t EndOnBoundary(uint64_t pos, size_t length) {
    const uint64_t sector = CFileEx::kSectorSize;
    const uint64_t end = (pos + length) / sector * sector;
    const uint64_t restOfSector = sector - pos % sector;
    return end > pos ? static_cast<size_t>(end - pos) : static_cast<size_t>(restOfSector);
}

} // namespace

bool CFileEx::Open(const std::u16string& path, os::OpenMode mode, CFileException* error) {
    m_position = 0;
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
    uint64_t pos = m_position;
    size_t total = 0;
    size_t chunk = count;
    while (total < count) {
        const size_t attempt = std::min(chunk, count - total);
        size_t got = 0;
        if (ReadAt(out + total, attempt, pos, got)) {
            if (got == 0)
                break; // the end of the source
            total += got;
            pos += got;
            chunk = count - total;
            continue;
        }
        const uint64_t restOfSector = kSectorSize - pos % kSectorSize;
        if (attempt > restOfSector) {
            chunk = EndOnBoundary(pos, attempt / 2);
            continue;
        }
        const size_t filled = FillUnreadable(out + total, pos, count - total);
        if (filled == 0)
            break; // failing past the end of the data, or its end is unknown
        total += filled;
        pos += filled;
        chunk = count - total;
    }
    m_position += total;
    return total;
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
