// What the front end asks of the operating system. One backend per OS
// (host/linux, host/windows) is chosen by the build.
#pragma once

#include "FixedFileInfo.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>
#include <optional>

class QSettings;
class QUrl;

namespace host {

// The system's drive types, numbered as the Windows drive-type query does.
enum class DriveType {
    Unknown = 0,
    NoRootDir = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

// A logical drive: a volume the user can pick.
struct Drive {
    QString root;   // "C:\" on Windows; the mount point or, unmounted, the node on Linux
    QString device; // the path the engine opens: "\\.\C:" or "/dev/sda1"
    DriveType type = DriveType::Unknown;
};

// A whole disk that may be opened.
struct DiskCandidate {
    QString device; // "\\.\PHYSICALDRIVE0" or "/dev/sda"
    // The system's own disk number where it has one; otherwise disks are
    // numbered by their position among those that could be opened.
    std::optional<unsigned> systemNumber;
    bool noMedium = false; // a removable device that holds nothing
};

// Drives in the system's order (letters A to Z; natural device-name order).
QList<Drive> LogicalDrives();
// Every whole disk worth trying, in the system's order.
QList<DiskCandidate> WholeDisks();

enum class PathKind { WholeDisk, Volume, File };
PathKind DevicePathKind(const QString& path);
// The root path that the engine's volume size takes for a volume path.
QString VolumeSizeRoot(const QString& volumePath);

// Sizes of the file system at a root; nullopt when the system cannot tell.
std::optional<int64_t> TotalDiskSpace(const QString& root);
std::optional<int64_t> FreeDiskSpaceForUser(const QString& root);

struct MemoryStatus {
    uint32_t loadPercent = 0;
    uint64_t totalPhysical = 0;
    uint64_t availablePhysical = 0;
    uint64_t totalPageFile = 0;
    uint64_t availablePageFile = 0;
    uint64_t totalVirtual = 0;
    uint64_t availableVirtual = 0;
};
MemoryStatus QueryMemoryStatus();

struct OSVersion {
    QString platformName;
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
};
OSVersion QueryOSVersion();

// A system folder, or the system's error code when it could not be had.
struct FolderAnswer {
    bool ok = false;
    QString path;
    int errorCode = 0;
};
FolderAnswer WindowsDirectory();
FolderAnswer SystemDirectory();
// The temporary-files folder as the system reports it, with its trailing
// path delimiter.
FolderAnswer TemporaryDirectory();
// The same in its long form; empty when the system reports none.
QString LongTemporaryDirectory();

// The process environment as "NAME=value" strings in the system's order.
QStringList EnvironmentStrings();

QString ProgramFilePath();
// What follows the last path delimiter (and, on Windows, drive colon).
QString FileNamePart(const QString& path);

// The per-user settings store of a program name: the registry key
// Software\<name> on Windows, <config folder>/<name>.ini on Linux.
std::unique_ptr<QSettings> OpenProgramSettings(const QString& programName);

// A file's fixed version record; false when it has none.
bool ReadFixedFileInfo(const QString& fileName, TFixedFileInfo& info);

// Whether the program may open drives and disks: root on Linux, an elevated
// process on Windows.
bool HasAdministratorRights();

// When the program runs with rights it borrowed from another user (Linux:
// root started through pkexec), starts the desktop's opener for the target
// as that user and returns true, also when that cannot be done safely: what
// the user opens never runs as root. False when the program runs as the
// user it serves, who then opens the target directly.
bool OpenForInvokingUser(const QUrl& target);

} // namespace host
