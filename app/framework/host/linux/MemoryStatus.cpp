// Memory figures from the kernel's /proc/meminfo. Linux has no page file
// and no fixed per-process virtual size: swap stands for the page file, and
// the kernel's commit limit, with what is not yet committed of it, for the
// virtual memory.
#include "host/HostQueries.h"

#include <QFile>
#include <QHash>

namespace host {
namespace {

// Every "Name:   1234 kB" line, in bytes.
QHash<QByteArray, uint64_t> ReadMemInfo() {
    QHash<QByteArray, uint64_t> values;
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return values;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const qsizetype colon = line.indexOf(':');
        if (colon < 0)
            continue;
        const QList<QByteArray> words = line.mid(colon + 1).simplified().split(' ');
        const uint64_t unit = words.size() > 1 && words[1] == "kB" ? 1024 : 1;
        values.insert(line.left(colon), words[0].toULongLong() * unit);
    }
    return values;
}

} // namespace

MemoryStatus QueryMemoryStatus() {
    const QHash<QByteArray, uint64_t> info = ReadMemInfo();
    MemoryStatus status;
    status.totalPhysical = info.value("MemTotal");
    status.availablePhysical = info.value("MemAvailable", info.value("MemFree"));
    status.totalPageFile = info.value("SwapTotal");
    status.availablePageFile = info.value("SwapFree");
    status.totalVirtual = info.value("CommitLimit");
    const uint64_t committed = info.value("Committed_AS");
    status.availableVirtual = committed < status.totalVirtual ? status.totalVirtual - committed : 0;
    if (status.totalPhysical > 0 && status.availablePhysical <= status.totalPhysical)
        status.loadPercent = static_cast<uint32_t>(
            (status.totalPhysical - status.availablePhysical) * 100 / status.totalPhysical);
    return status;
}

} // namespace host
