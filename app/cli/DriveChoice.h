// A drive or disk named on the command line: by its display name, or by a
// device node (or a link to one) that the drive list holds.
#pragma once

#include "DriveList.h"

#include <QString>

#include <optional>

struct DriveChoice {
    QString displayName;
    QString device; // the internal name the engine opens
};

std::optional<DriveChoice> ChooseDrive(const TDriveList& list, const QString& text);
