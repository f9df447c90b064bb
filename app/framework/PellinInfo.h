// The system information block of a saved log: the program's version, the
// operating system, system folders, memory, environment and drives.
#pragma once

#include "host/HostQueries.h"

#include <QList>
#include <QString>
#include <QStringList>

// Appends the whole block to `lines`; changes nothing else.
void AddSystemInfo(QStringList& lines);

// The six steps, in the order AddSystemInfo runs them. Each step asks the
// system; the overloads that take the facts only format them.
void AddVersionInfo(const QString& fileName, QStringList& lines);
void AddOSInfo(QStringList& lines);
void AddOSInfo(const host::OSVersion& version, QStringList& lines);
void AddDirectoryInfo(QStringList& lines);
void AddDirectoryInfo(const host::FolderAnswer& windows, const host::FolderAnswer& system,
                      const host::FolderAnswer& temporary, QStringList& lines);
void AddMemoryInfo(QStringList& lines);
void AddMemoryInfo(const host::MemoryStatus& status, QStringList& lines);
void AddEnvironmentInfo(QStringList& lines);
void AddEnvironmentInfo(const QStringList& environment, QStringList& lines);
// An environment string as the report shows it. The saved log is sent to
// others: a variable whose name, split at "_", has a part that marks a
// secret (TOKEN, PASSWORD, KEY, ...) keeps its name, its value reads "<hidden>".
QString EnvironmentLine(const QString& entry);
void AddDriveInfo(QStringList& lines);
void AddDriveInfo(const QList<host::Drive>& drives, QStringList& lines);

// The name of a drive type in this report.
QString DriveTypeName(host::DriveType type);
