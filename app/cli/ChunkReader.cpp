#include "ChunkReader.h"

#include <cerrno>
#include <fcntl.h>
#include <new>
#include <unistd.h>

ChunkReader::ChunkReader(int fd) : m_fd(fd), m_chunks(kSlots) {
    for (size_t i = 0; i < kSlots; ++i) {
        auto* buffer = static_cast<unsigned char*>(std::aligned_alloc(kAlignment, kChunkSize));
        if (!buffer)
            throw std::bad_alloc();
        m_buffers.emplace_back(buffer);
    }
    m_thread = std::thread([this] { ReadAll(); });
}

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
    chunk = Chunk{m_buffers[slot].get(), 0, 0, offset};
    while (chunk.size < kChunkSize) {
        const ssize_t n = ::pread(m_fd, m_buffers[slot].get() + chunk.size,
                                  kChunkSize - chunk.size, static_cast<off_t>(offset + chunk.size));
        // EINVAL: direct reads refused here, or a read after an unaligned
        // end; the cache serves the rest.
        if (n < 0 && (errno == EINTR || (errno == EINVAL && DropDirect())))
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

bool ChunkReader::DropDirect() {
    const int flags = ::fcntl(m_fd, F_GETFL);
    if (flags < 0 || (flags & O_DIRECT) == 0)
        return false;
    return ::fcntl(m_fd, F_SETFL, flags & ~O_DIRECT) == 0;
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
