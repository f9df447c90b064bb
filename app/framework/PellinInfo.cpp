#include "PellinInfo.h"

#include "LogText.h"
#include "SizeText.h"
#include "VersionInfo.h"

namespace {

void AddSeparator(QStringList& lines) {
    lines << QLatin1String(kSeparatorLine);
}

QString FolderText(const host::FolderAnswer& answer) {
    if (answer.ok)
        return answer.path;
    return QStringLiteral("Cannot get the required infomation. Error Code: %1.")
        .arg(answer.errorCode);
}

QString BytesLine(const char* label, uint64_t bytes) {
    return QLatin1String(label) + FormatByteCount(bytes) + QStringLiteral(" bytes");
}

QString DriveLine(const host::Drive& drive) {
    const QString head = drive.root + QStringLiteral(", ") + DriveTypeName(drive.type);
    if (drive.type != host::DriveType::Fixed)
        return head;
    // Each figure has its own query; one that fails reads -1.
    const int64_t total = host::TotalDiskSpace(drive.root).value_or(-1);
    const int64_t available = host::FreeDiskSpaceForUser(drive.root).value_or(-1);
    return head + QStringLiteral(", Total Disk Spaces: ") + FormatByteCount(total) +
           QStringLiteral(" bytes, Free Disk Spaces: ") + FormatByteCount(available) +
           QStringLiteral(" bytes.");
}

} // namespace

void AddSystemInfo(QStringList& lines) {
    AddVersionInfo(host::ProgramFilePath(), lines);
    AddOSInfo(lines);
    AddDirectoryInfo(lines);
    AddMemoryInfo(lines);
    AddEnvironmentInfo(lines);
    AddDriveInfo(lines);
    lines << QStringLiteral("End of System Information");
    AddSeparator(lines);
}

void AddVersionInfo(const QString& fileName, QStringList& lines) {
    lines << QStringLiteral("Version Information:")
          << QStringLiteral("File Version: ") +
                 GetVersionText(fileName, TVersionKind::FullFileVersion)
          << QStringLiteral("Product Version: ") +
                 GetVersionText(fileName, TVersionKind::FullProductVersion);
    AddSeparator(lines);
}

void AddOSInfo(QStringList& lines) {
    AddOSInfo(host::QueryOSVersion(), lines);
}

void AddOSInfo(const host::OSVersion& version, QStringList& lines) {
    lines << QStringLiteral("Operating System: %1 %2.%3.%4")
                 .arg(version.platformName)
                 .arg(version.major)
                 .arg(version.minor, 2, 10, QChar(u'0'))
                 .arg(version.build);
    AddSeparator(lines);
}

void AddDirectoryInfo(QStringList& lines) {
    AddDirectoryInfo(host::WindowsDirectory(), host::SystemDirectory(), host::TemporaryDirectory(),
                     lines);
}

void AddDirectoryInfo(const host::FolderAnswer& windows, const host::FolderAnswer& system,
                      const host::FolderAnswer& temporary, QStringList& lines) {
    lines << QStringLiteral("Windows Directory: ") + FolderText(windows)
          << QStringLiteral("System Directory: ") + FolderText(system)
          << QStringLiteral("Temporary Directory: ") + FolderText(temporary);
    AddSeparator(lines);
}

void AddMemoryInfo(QStringList& lines) {
    AddMemoryInfo(host::QueryMemoryStatus(), lines);
}

void AddMemoryInfo(const host::MemoryStatus& status, QStringList& lines) {
    lines << QStringLiteral("Memory Status:")
          << QStringLiteral("Memory in use: %1%").arg(status.loadPercent)
          << BytesLine("Total physical memory: ", status.totalPhysical)
          << BytesLine("Free physical memory: ", status.availablePhysical)
          << BytesLine("Total page file memory: ", status.totalPageFile)
          << BytesLine("Free page file memory: ", status.availablePageFile)
          << BytesLine("Total virtual memory: ", status.totalVirtual)
          << BytesLine("Free virtual memory: ", status.availableVirtual);
    AddSeparator(lines);
}

void AddEnvironmentInfo(QStringList& lines) {
    AddEnvironmentInfo(host::EnvironmentStrings(), lines);
}

void AddEnvironmentInfo(const QStringList& environment, QStringList& lines) {
    lines << QStringLiteral("Environment Information:");
    for (const QString& entry : environment)
        lines << EnvironmentLine(entry);
    AddSeparator(lines);
}

QString EnvironmentLine(const QString& entry) {
    static const QStringList kSecretParts{
        QStringLiteral("TOKEN"),  QStringLiteral("SECRET"),     QStringLiteral("PASSWORD"),
        QStringLiteral("PASSWD"), QStringLiteral("PASS"),       QStringLiteral("KEY"),
        QStringLiteral("APIKEY"), QStringLiteral("CREDENTIAL"), QStringLiteral("CREDENTIALS"),
        QStringLiteral("AUTH"),   QStringLiteral("COOKIE"),     QStringLiteral("PRIVATE")};
    // Windows keeps per-drive folders as "=C:=C:\": the name may begin with "=".
    const qsizetype equals = entry.indexOf(u'=', 1);
    if (equals < 0)
        return entry;
    const QString name = entry.left(equals);
    for (const QString& part : name.split(u'_', Qt::SkipEmptyParts)) {
        if (kSecretParts.contains(part, Qt::CaseInsensitive))
            return name + QStringLiteral("=<hidden>");
    }
    return entry;
}

void AddDriveInfo(QStringList& lines) {
    AddDriveInfo(host::LogicalDrives(), lines);
}

void AddDriveInfo(const QList<host::Drive>& drives, QStringList& lines) {
    lines << QStringLiteral("Drive Information:");
    for (const host::Drive& drive : drives)
        lines << DriveLine(drive);
    AddSeparator(lines);
}

QString DriveTypeName(host::DriveType type) {
    switch (type) {
    case host::DriveType::Unknown:
        return QStringLiteral("Unknown Drive Type");
    case host::DriveType::NoRootDir:
        return QStringLiteral("Invalid Root Path");
    case host::DriveType::Removable:
        return QStringLiteral("Removable Drive");
    case host::DriveType::Fixed:
        return QStringLiteral("Fixed Drive");
    case host::DriveType::Remote:
        return QStringLiteral("Remote Network Drive");
    case host::DriveType::CdRom:
        return QStringLiteral("CD-ROM Drive");
    case host::DriveType::RamDisk:
        return QStringLiteral("RAM Disk");
    }
    return {};
}
