#include "ChunkReader.h"

#include <cerrno>
#include <unistd.h>

ChunkReader::ChunkReader(int fd)
    : m_fd(fd), m_buffers(kSlots, std::vector<unsigned char>(kChunkSize)), m_chunks(kSlots),
      m_thread([this] { ReadAll(); }) {}

ChunkReader::~ChunkReader() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_cancelled = true;
    }
    m_changed.notify_all();
    m_thread.join();
    ::close(m_fd);
}

void ChunkReader::ReadAll() {
    uint64_t offset = 0;
    for (size_t index = 0;; ++index) {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [&] { return m_cancelled || index - m_released < kSlots; });
            if (m_cancelled)
                return;
        }
        const size_t slot = index % kSlots;
        FillSlot(slot, offset);
        const Chunk chunk = m_chunks[slot];
        offset += chunk.size;
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_filled = index + 1;
            m_finished = chunk.size < kChunkSize;
        }
        m_changed.notify_all();
        if (chunk.size < kChunkSize)
            return;
    }
}

void ChunkReader::FillSlot(size_t slot, uint64_t offset) {
    Chunk& chunk = m_chunks[slot];
    chunk = Chunk{m_buffers[slot].data(), 0, 0, offset};
    while (chunk.size < kChunkSize) {
        const ssize_t n = ::pread(m_fd, m_buffers[slot].data() + chunk.size,
                                  kChunkSize - chunk.size, static_cast<off_t>(offset + chunk.size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            chunk.error = errno;
            return;
        }
        if (n == 0)
            return;
        chunk.size += static_cast<size_t>(n);
    }
}

ChunkReader::Chunk ChunkReader::Next() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [&] { return m_filled > m_released || m_finished; });
    if (m_filled == m_released)
        return Chunk{}; // asked again after the last one
    return m_chunks[m_released % kSlots];
}

void ChunkReader::Release() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        ++m_released;
    }
    m_changed.notify_all();
}
