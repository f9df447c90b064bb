#include "Verifier.h"

#include "ChunkReader.h"
#include "Progress.h"
#include "Sha256.h"
#include "StopSignals.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

namespace {

QString SystemText(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

// Opens for reading what the medium holds, not what memory remembers of it:
// direct reads where the file system or device takes them, otherwise
// through the cache with its pages dropped first (what a job wrote was
// flushed before it ended).
std::unique_ptr<ChunkReader> OpenForCheck(const QString& path, QString& problem) {
    const QByteArray name = QFile::encodeName(path);
    int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_DIRECT);
    if (fd < 0 && errno == EINVAL)
        fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        problem = QStringLiteral("Cannot open '%1': %2.").arg(path, SystemText(errno));
        return nullptr;
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED);
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    return std::make_unique<ChunkReader>(fd);
}

VerifyResult Failed(QString problem) {
    VerifyResult result;
    result.problem = std::move(problem);
    return result;
}

uint64_t FirstDifference(const ChunkReader::Chunk& a, const ChunkReader::Chunk& b) {
    const size_t common = std::min(a.size, b.size);
    const auto [at, unused] = std::mismatch(a.data, a.data + common, b.data);
    return a.offset + static_cast<uint64_t>(at - a.data);
}

} // namespace

VerifyResult CompareAndHash(const Console& console, const QString& a, const QString& b,
                            uint64_t sizeOfA) {
    QString problem;
    const auto readerA = OpenForCheck(a, problem);
    const auto readerB = readerA ? OpenForCheck(b, problem) : nullptr;
    if (!readerB)
        return Failed(problem);
    Sha256 hash;
    Progress progress(console, QStringLiteral("verify"), sizeOfA);
    VerifyResult result;
    for (;;) {
        if (stop_signals::Requested()) {
            result.verdict = VerifyResult::Verdict::Stopped;
            return result;
        }
        const ChunkReader::Chunk chunkA = readerA->Next();
        const ChunkReader::Chunk chunkB = readerB->Next();
        const size_t common = std::min(chunkA.size, chunkB.size);
        if (std::memcmp(chunkA.data, chunkB.data, common) != 0 ||
            (chunkB.size < chunkA.size && chunkB.error == 0)) {
            result.verdict = VerifyResult::Verdict::Different;
            result.firstDifference = FirstDifference(chunkA, chunkB);
            result.problem =
                chunkB.size < chunkA.size && result.firstDifference == chunkA.offset + common
                    ? QStringLiteral("'%1' ends at offset %2, before '%3' does.")
                          .arg(b)
                          .arg(result.firstDifference)
                          .arg(a)
                    : QStringLiteral("'%1' and '%2' differ, first at offset %3.")
                          .arg(a, b)
                          .arg(result.firstDifference);
            return result;
        }
        for (const auto& [chunk, path] : {std::pair{chunkA, a}, std::pair{chunkB, b}}) {
            if (chunk.error != 0)
                return Failed(QStringLiteral("Cannot read '%1' at offset %2: %3.")
                                  .arg(path)
                                  .arg(chunk.offset + chunk.size)
                                  .arg(SystemText(chunk.error)));
        }
        hash.Update(chunkA.data, chunkA.size);
        result.bytes += chunkA.size;
        readerA->Release();
        readerB->Release();
        const int percent =
            sizeOfA == 0 ? 100
                         : static_cast<int>(std::min<uint64_t>(100, result.bytes * 100 / sizeOfA));
        progress.Update(chunkA.size < ChunkReader::kChunkSize ? 100 : percent, result.bytes);
        if (chunkA.size < ChunkReader::kChunkSize)
            break;
    }
    result.verdict = VerifyResult::Verdict::Identical;
    result.sha256 = hash.HexDigest();
    return result;
}
