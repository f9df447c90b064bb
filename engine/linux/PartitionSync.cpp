// After a disk was written, its partition nodes must follow the new table.
// BLKRRPART asks the kernel to parse the table itself; kernels without
// parsers for the table, and loop devices without partition scanning,
// refuse or misread it, so the nodes are then brought in line with the
// table as libblkid reads it, through BLKPG, as `partx --update` does.
#include "platform/Storage.h"

#include "BlockDevices.h"

#include <algorithm>
#include <blkid/blkid.h>
#include <cstring>
#include <fcntl.h>
#include <linux/blkpg.h>
#include <linux/fs.h>
#include <string>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vorlik::os {
namespace {

constexpr uint64_t kSector = 512;

struct TableEntry {
    int number;
    uint64_t startSector;
    uint64_t sizeSectors;
};

std::vector<TableEntry> ReadTable(int fd) {
    std::vector<TableEntry> entries;
    blkid_probe probe = blkid_new_probe();
    if (!probe)
        return entries;
    if (blkid_probe_set_device(probe, fd, 0, 0) == 0) {
        blkid_probe_enable_superblocks(probe, 0);
        blkid_probe_enable_partitions(probe, 1);
        if (blkid_do_fullprobe(probe) == 0) {
            blkid_partlist list = blkid_probe_get_partitions(probe);
            const int count = list ? blkid_partlist_numof_partitions(list) : 0;
            for (int i = 0; i < count; ++i) {
                blkid_partition part = blkid_partlist_get_partition(list, i);
                // An extended partition is only a container: the kernel maps
                // its first 1 KiB, as for a parsed table.
                const auto size = static_cast<uint64_t>(blkid_partition_get_size(part));
                entries.push_back(
                    {blkid_partition_get_partno(part),
                     static_cast<uint64_t>(blkid_partition_get_start(part)),
                     blkid_partition_is_extended(part) ? std::min<uint64_t>(size, 2) : size});
            }
        }
    }
    blkid_free_probe(probe);
    return entries;
}

void Blkpg(int fd, int op, const TableEntry& entry) {
    blkpg_partition part{};
    part.start = static_cast<long long>(entry.startSector * kSector);
    part.length = static_cast<long long>(entry.sizeSectors * kSector);
    part.pno = entry.number;
    blkpg_ioctl_arg arg{};
    arg.op = op;
    arg.datalen = sizeof(part);
    arg.data = &part;
    ::ioctl(fd, BLKPG, &arg); // best effort, as the layout refresh is
}

bool Same(const blockdev::Partition& node, const TableEntry& entry) {
    return node.number == entry.number && node.startSector == entry.startSector &&
           node.sizeSectors == entry.sizeSectors;
}

} // namespace

void UpdateDiskProperties(Handle disk) {
    const int fd = static_cast<int>(disk);
    ::ioctl(fd, BLKRRPART);

    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISBLK(st.st_mode))
        return;
    // The destination is open for writing only; read the table through a
    // second descriptor of the same device.
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    const int reader = ::open(self.c_str(), O_RDONLY | O_CLOEXEC);
    if (reader < 0)
        return;
    const std::vector<TableEntry> table = ReadTable(reader);
    ::close(reader);

    const auto nodes = blockdev::PartitionsOf(st.st_rdev);
    for (const auto& node : nodes) {
        bool keep = false;
        for (const auto& entry : table)
            keep = keep || Same(node, entry);
        if (!keep)
            Blkpg(fd, BLKPG_DEL_PARTITION, {node.number, 0, 0});
    }
    for (const auto& entry : table) {
        bool present = false;
        for (const auto& node : nodes)
            present = present || Same(node, entry);
        if (!present)
            Blkpg(fd, BLKPG_ADD_PARTITION, entry);
    }
}

} // namespace vorlik::os
