// Reads a file or device from its start to its end on a thread of its own,
// a few chunks ahead of the one who takes them, so that reading and the
// work on what was read overlap. The chunks are aligned for direct reads
// (O_DIRECT); a descriptor that refuses them is read through the cache.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class ChunkReader {
  public:
    static constexpr size_t kChunkSize = 4 << 20;

    struct Chunk {
        const unsigned char* data = nullptr;
        size_t size = 0; // below kChunkSize only at the end or at a failure
        int error = 0;   // errno of a failed read; the chunk holds what came before it
        uint64_t offset = 0;
    };

    // Takes over the open descriptor and closes it.
    explicit ChunkReader(int fd);
    ~ChunkReader();
    ChunkReader(const ChunkReader&) = delete;
    ChunkReader& operator=(const ChunkReader&) = delete;

    // The next chunk in order, waiting for it; an empty one at the end.
    Chunk Next();
    // Gives the chunk from Next back for reading into.
    void Release();

  private:
    static constexpr size_t kSlots = 4;
    static constexpr size_t kAlignment = 4096;
    struct Free {
        void operator()(unsigned char* p) const { std::free(p); }
    };
    void ReadAll();
    void FillSlot(size_t slot, uint64_t offset);
    bool DropDirect();

    int m_fd;
    std::vector<std::unique_ptr<unsigned char[], Free>> m_buffers;
    std::vector<Chunk> m_chunks;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    size_t m_filled = 0;   // chunks read so far
    size_t m_released = 0; // chunks given back so far
    bool m_finished = false;
    bool m_cancelled = false;
    std::thread m_thread;
};
