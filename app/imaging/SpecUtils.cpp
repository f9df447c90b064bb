#include "SpecUtils.h"

#include "SpecConsts.h"
#include "framework/SizeText.h"
#include "framework/host/DeviceHandle.h"
#include "framework/host/HostQueries.h"
#include "vorlik/Vorlik.h"

#include <QFileInfo>

#include <optional>

namespace {

QString TypeText(host::DriveType type) {
    switch (type) {
    case host::DriveType::Removable:
        return QLatin1String(kFloppyDriveText);
    case host::DriveType::Fixed:
        return QLatin1String(kFixedDriveText);
    case host::DriveType::Remote:
        return QLatin1String(kNetworkDriveText);
    case host::DriveType::CdRom:
        return QLatin1String(kCdRomDriveText);
    case host::DriveType::RamDisk:
        return QLatin1String(kRamDriveText);
    case host::DriveType::Unknown:
    case host::DriveType::NoRootDir:
        break;
    }
    return {};
}

std::optional<uint64_t> VolumeSize(const QString& root) {
    uint64_t size = 0;
    if (EngineGetVolumeSize(reinterpret_cast<const VorlikChar*>(root.utf16()), &size) == 0)
        return std::nullopt;
    return size;
}

std::optional<uint64_t> DiskSize(const host::DeviceHandle& disk) {
    uint64_t size = 0;
    if (!disk.IsOpen() || EngineGetDiskSize(disk.Handle(), &size) == 0)
        return std::nullopt;
    return size;
}

QString SizeText(const std::optional<uint64_t>& size) {
    return size ? FormatSize(static_cast<int64_t>(*size)) : QLatin1String(kUnknownSize);
}

void AddDrives(TDriveList& list) {
    for (const host::Drive& drive : host::LogicalDrives()) {
        list.Append(drive.root + QStringLiteral("  (") + TypeText(drive.type) +
                        QStringLiteral(") (") + SizeText(VolumeSize(drive.root)) + u')',
                    drive.device);
    }
}

// A disk that cannot be opened is left out.
void AddDisks(TDriveList& list) {
    unsigned opened = 0;
    for (const host::DiskCandidate& disk : host::WholeDisks()) {
        const host::DeviceHandle handle(disk.device);
        if (!handle.IsOpen())
            continue;
        const unsigned number = disk.systemNumber.value_or(opened) + 1;
        ++opened;
        const auto size = disk.noMedium ? std::nullopt : DiskSize(handle);
        list.Append(QString(QLatin1String(kHardDiskName)).arg(number) + QStringLiteral("  (") +
                        SizeText(size) + u')',
                    disk.device);
    }
}

int64_t FileSize(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() ? info.size() : 0;
}

} // namespace

int EnumDrivesAndDisks(TDriveList& list) {
    list.Clear();
    AddDrives(list);
    AddDisks(list);
    return list.Count();
}

QString GetBareDisplayName(const QString& text) {
    const QString name = host::FileNamePart(text);
    return name.startsWith(QLatin1String(kHardDiskPrefix)) ? name : text;
}

int64_t GetSrcSize(const TDriveList& list, const QString& srcFile) {
    const QString internal = list.GetInternalName(GetBareDisplayName(srcFile));
    if (internal.isEmpty())
        return FileSize(srcFile);
    switch (host::DevicePathKind(internal)) {
    case host::PathKind::WholeDisk:
        return static_cast<int64_t>(DiskSize(host::DeviceHandle(internal)).value_or(0));
    case host::PathKind::Volume:
        return static_cast<int64_t>(VolumeSize(host::VolumeSizeRoot(internal)).value_or(0));
    case host::PathKind::File:
        break;
    }
    return FileSize(srcFile);
}
