// Keeps a job's footprint in the system's page cache within a window of a
// few transfers, whatever the size of the source: each range read is handed
// back once it has been copied, each range written once it has reached the
// medium, a window's length behind the newest write. Writeback of the
// window stays in flight meanwhile, so waiting for the oldest range costs
// no throughput.
#pragma once

#include "classlib/File.h"

#include <cstdint>

namespace vorlik {

class CacheWindow {
  public:
    static constexpr uint64_t kWindow = 16ull << 20;
    // The cache keeps pages in blocks of up to 2 MiB and hands back only
    // blocks wholly inside a range: each range reaches back this far to take
    // the blocks that the range before it cut through.
    static constexpr uint64_t kReachBack = 4ull << 20;

    // Decides whether the two ends go through the page cache at all.
    void Attach(const CFile& source, const CFile& destination);
    // After `count` bytes read at `readOffset` were written at `writeOffset`.
    // Raises the destination's failure when writing an older range failed.
    void Copied(uint64_t readOffset, uint64_t writeOffset, uint64_t count);
    // After the destination's flush: hands back what the window still holds.
    void Drain();

  private:
    void DropWritten(uint64_t end);

    const CFile* m_destination = nullptr;
    os::Handle m_source = os::kInvalidHandle;
    bool m_sourceCached = false;
    bool m_destinationCached = false;
    uint64_t m_dropped = 0; // written bytes before it are handed back
    uint64_t m_written = 0; // end of the newest write
};

} // namespace vorlik
