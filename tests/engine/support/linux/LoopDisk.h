// A small disk of the test's own: a file behind a loop device, with a
// partition table and partition nodes. Detached and removed on every exit.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

class LoopDisk {
  public:
    // `layout` is an sfdisk script ("label: dos\n,4M,L\n..."); empty for none.
    LoopDisk(const std::filesystem::path& backingFile, uint64_t size, const std::string& layout);
    ~LoopDisk();
    LoopDisk(const LoopDisk&) = delete;
    LoopDisk& operator=(const LoopDisk&) = delete;

    const std::string& Device() const { return m_device; }
    std::string Partition(int number) const;
    // Partition numbers the kernel has nodes for, in order.
    std::vector<int> PartitionNumbers() const;
    // Size in bytes of a partition as the kernel maps it.
    uint64_t PartitionSize(int number) const;
    // Formats a partition with ext4 and mounts it on a new folder.
    std::filesystem::path MountExt4(int number, const std::filesystem::path& mountPoint);
    void UnmountAll();
    const std::filesystem::path& BackingFile() const { return m_backing; }

  private:
    std::filesystem::path m_backing;
    std::string m_device;
    std::vector<std::filesystem::path> m_mounts;
};

// True when this process can open the node exclusively right now: nothing
// has it mounted or locked.
bool CanOpenExclusively(const std::string& node);

} // namespace testsupport
