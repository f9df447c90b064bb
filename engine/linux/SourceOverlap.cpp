// Whether a destination names the storage a job reads from. Devices are
// compared by device number and files by inode, so that links, the
// /dev/disk/by-* names and relative paths are seen through.
#include "platform/Storage.h"

#include "BlockDevices.h"
#include "classlib/Utf16.h"

#include <cerrno>
#include <optional>
#include <sys/stat.h>

namespace vorlik::os {
namespace {

// What a path or descriptor stands for: a block device, with the file
// behind it when it is a loop disk or one of its partitions, or a file.
struct Storage {
    std::optional<dev_t> device;
    std::optional<blockdev::FileId> file;
};

Storage StorageOf(const struct stat& st) {
    Storage storage;
    if (S_ISBLK(st.st_mode)) {
        storage.device = st.st_rdev;
        storage.file = blockdev::LoopBackingFile(blockdev::WholeDiskOf(st.st_rdev));
    } else if (S_ISREG(st.st_mode)) {
        storage.file = blockdev::FileId{st.st_dev, st.st_ino};
    }
    return storage;
}

// The same device, or a disk and one of its partitions. Two partitions of
// one disk do not overlap.
bool DevicesOverlap(dev_t a, dev_t b) {
    return a == b || blockdev::WholeDiskOf(a) == b || blockdev::WholeDiskOf(b) == a;
}

bool Overlap(const Storage& a, const Storage& b) {
    if (a.device && b.device)
        return DevicesOverlap(*a.device, *b.device);
    return a.file && b.file && *a.file == *b.file;
}

} // namespace

bool OverlapsSource(Handle source, const std::u16string& destination, int& error) {
    struct stat sourceStat {};
    struct stat destinationStat {};
    if (::fstat(static_cast<int>(source), &sourceStat) != 0 ||
        ::stat(ToUtf8(destination).c_str(), &destinationStat) != 0)
        return false; // a destination that does not exist yet is a new file
    if (!Overlap(StorageOf(sourceStat), StorageOf(destinationStat)))
        return false;
    error = EBUSY;
    return true;
}

} // namespace vorlik::os
