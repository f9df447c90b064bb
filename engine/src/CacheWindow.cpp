#include "CacheWindow.h"

namespace vorlik {
namespace {

uint64_t ReachBack(uint64_t offset) {
    return offset > CacheWindow::kReachBack ? offset - CacheWindow::kReachBack : 0;
}

} // namespace

void CacheWindow::Attach(const CFile& source, const CFile& destination) {
    m_source = source.GetHandle();
    m_destination = &destination;
    m_sourceCached = source.IsOpen() && os::HasPageCache(m_source);
    m_destinationCached = destination.IsOpen() && os::HasPageCache(destination.GetHandle());
}

void CacheWindow::Copied(uint64_t readOffset, uint64_t writeOffset, uint64_t count) {
    if (m_sourceCached) {
        const uint64_t from = ReachBack(readOffset);
        os::DropReadPages(m_source, from, readOffset + count - from);
    }
    m_written = writeOffset + count;
    if (m_destinationCached && m_written - m_dropped > kWindow)
        DropWritten(m_written - kWindow);
}

void CacheWindow::Drain() {
    if (m_destinationCached && m_destination->IsOpen())
        DropWritten(m_written);
}

void CacheWindow::DropWritten(uint64_t end) {
    const uint64_t from = ReachBack(m_dropped);
    int osError = 0;
    if (!os::DropWrittenPages(m_destination->GetHandle(), from, end - from, osError))
        throw CFileException::FromOsError(osError, m_destination->GetFilePath());
    m_dropped = end;
}

} // namespace vorlik
