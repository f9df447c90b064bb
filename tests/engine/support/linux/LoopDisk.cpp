#include "LoopDisk.h"

#include "Command.h"

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace testsupport {

LoopDisk::LoopDisk(const fs::path& backingFile, uint64_t size, const std::string& layout)
    : m_backing(backingFile) {
    MustRun("truncate -s " + std::to_string(size) + " " + Quote(m_backing.string()));
    if (!layout.empty())
        MustRun("printf '%s' " + Quote(layout) + " | sfdisk -q " + Quote(m_backing.string()));
    std::string device = MustRun("losetup -f --show -P " + Quote(m_backing.string()));
    device.erase(device.find_last_not_of("\n ") + 1);
    m_device = device;
    // Our kernel parses no partition tables itself: add the nodes from the table.
    if (!layout.empty())
        RunCommand("partx -a " + Quote(m_device));
}

LoopDisk::~LoopDisk() {
    UnmountAll();
    RunCommand("partx -d " + Quote(m_device));
    RunCommand("losetup -d " + Quote(m_device));
}

std::string LoopDisk::Partition(int number) const {
    return m_device + "p" + std::to_string(number);
}

std::vector<int> LoopDisk::PartitionNumbers() const {
    std::vector<int> numbers;
    const fs::path sys = "/sys/class/block/" + fs::path(m_device).filename().string();
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(sys, ec)) {
        std::ifstream in(entry.path() / "partition");
        int number = 0;
        if (in >> number)
            numbers.push_back(number);
    }
    std::sort(numbers.begin(), numbers.end());
    return numbers;
}

uint64_t LoopDisk::PartitionSize(int number) const {
    std::ifstream in("/sys/class/block/" + fs::path(Partition(number)).filename().string() +
                     "/size");
    uint64_t sectors = 0;
    in >> sectors;
    return sectors * 512;
}

fs::path LoopDisk::MountExt4(int number, const fs::path& mountPoint) {
    MustRun("mkfs.ext4 -q -F " + Quote(Partition(number)));
    fs::create_directories(mountPoint);
    MustRun("mount " + Quote(Partition(number)) + " " + Quote(mountPoint.string()));
    m_mounts.push_back(mountPoint);
    return mountPoint;
}

void LoopDisk::UnmountAll() {
    for (const auto& mountPoint : m_mounts)
        RunCommand("umount " + Quote(mountPoint.string()));
    m_mounts.clear();
}

bool CanOpenExclusively(const std::string& node) {
    const int fd = ::open(node.c_str(), O_RDONLY | O_EXCL | O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return true;
}

} // namespace testsupport
