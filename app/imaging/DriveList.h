// The drives and disks the user can pick: a display name and an internal
// name (the device path the engine opens) at the same index. The display
// name is the key.
#pragma once

#include <QString>
#include <QStringList>

struct TDriveList {
    QStringList DisplayNames;
    QStringList InternalNames;

    void Clear();
    void Append(const QString& displayName, const QString& internalName);
    int Count() const { return static_cast<int>(DisplayNames.size()); }
    // The internal name of the first entry whose display name is exactly
    // `displayName`; empty text when there is none.
    QString GetInternalName(const QString& displayName) const;
};
