#include "BlockDevices.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace fs = std::filesystem;

namespace vorlik::os::blockdev {
namespace {

std::string SysfsDir(dev_t device) {
    return "/sys/dev/block/" + std::to_string(major(device)) + ":" + std::to_string(minor(device));
}

std::string ReadLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

uint64_t ReadNumber(const fs::path& file) {
    try {
        return std::stoull(ReadLine(file));
    } catch (...) {
        return 0;
    }
}

std::optional<dev_t> ParseMajorMinor(const std::string& text) {
    unsigned ma = 0, mi = 0;
    char colon = 0;
    std::istringstream in(text);
    if (in >> ma >> colon >> mi && colon == ':')
        return makedev(ma, mi);
    return std::nullopt;
}

// Mount table fields escape blanks and backslashes as octal.
std::string Unescape(const std::string& field) {
    std::string out;
    for (size_t i = 0; i < field.size(); ++i) {
        const bool octal = field[i] == '\\' && i + 3 < field.size() &&
                           field.find_first_not_of("01234567", i + 1) >= i + 4;
        if (octal) {
            out += static_cast<char>(std::stoi(field.substr(i + 1, 3), nullptr, 8));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

} // namespace

std::optional<dev_t> DeviceNumber(const std::string& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISBLK(st.st_mode))
        return std::nullopt;
    return st.st_rdev;
}

bool IsPartition(dev_t device) {
    std::error_code ec;
    return fs::exists(SysfsDir(device) + "/partition", ec);
}

dev_t WholeDiskOf(dev_t device) {
    if (!IsPartition(device))
        return device;
    // A partition's sysfs folder lies inside its disk's folder.
    std::error_code ec;
    const fs::path folder = fs::canonical(SysfsDir(device), ec);
    if (ec)
        return device;
    return ParseMajorMinor(ReadLine(folder.parent_path() / "dev")).value_or(device);
}

std::optional<FileId> LoopBackingFile(dev_t disk) {
    const std::string path = ReadLine(SysfsDir(disk) + "/loop/backing_file");
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return std::nullopt;
    return FileId{st.st_dev, st.st_ino};
}

std::vector<Partition> PartitionsOf(dev_t disk) {
    std::vector<Partition> partitions;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(SysfsDir(disk), ec)) {
        const fs::path dir = entry.path();
        if (!fs::exists(dir / "partition", ec))
            continue;
        const auto device = ParseMajorMinor(ReadLine(dir / "dev"));
        if (!device)
            continue;
        Partition p;
        p.name = dir.filename().string();
        p.device = *device;
        p.number = static_cast<int>(ReadNumber(dir / "partition"));
        p.startSector = ReadNumber(dir / "start");
        p.sizeSectors = ReadNumber(dir / "size");
        partitions.push_back(p);
    }
    return partitions;
}

std::string MountPointOf(dev_t device) {
    std::ifstream in("/proc/self/mountinfo");
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string id, parent, majorMinor, root, mountPoint;
        fields >> id >> parent >> majorMinor >> root >> mountPoint;
        if (ParseMajorMinor(majorMinor) == device)
            return Unescape(mountPoint);
    }
    return {};
}

bool IsInUse(dev_t device) {
    std::error_code ec;
    const bool held = !fs::is_empty(SysfsDir(device) + "/holders", ec) && !ec;
    return held || !MountPointOf(device).empty();
}

uint32_t EncodeDiskNumber(dev_t device) {
    const uint32_t ma = major(device), mi = minor(device);
    return (mi & 0xFFu) | ((ma & 0xFFFu) << 8) | ((mi & ~0xFFu) << 12);
}

dev_t DecodeDiskNumber(uint32_t number) {
    return makedev((number >> 8) & 0xFFFu, (number & 0xFFu) | ((number >> 12) & 0xFFF00u));
}

} // namespace vorlik::os::blockdev
