#include "DriveList.h"

void TDriveList::Clear() {
    DisplayNames.clear();
    InternalNames.clear();
}

void TDriveList::Append(const QString& displayName, const QString& internalName) {
    DisplayNames << displayName;
    InternalNames << internalName;
}

QString TDriveList::GetInternalName(const QString& displayName) const {
    const qsizetype index = DisplayNames.indexOf(displayName);
    return index < 0 ? QString() : InternalNames.value(index);
}
