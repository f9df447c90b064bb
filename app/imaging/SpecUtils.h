// The machine's drives and disks as drive list entries, and the sizes of
// what a source text names.
#pragma once

#include "DriveList.h"

#include <QString>
#include <QStringList>

#include <cstdint>

// Refills the list: logical drives first, then the disks that can be
// opened. Returns the number of entries.
int EnumDrivesAndDisks(TDriveList& list);

// A disk's display name inside a path ("/work/Hard disk 1  (64.00 MB)" gives
// "Hard disk 1  (64.00 MB)"); any other text unchanged.
QString GetBareDisplayName(const QString& text);

// Bytes of the drive or disk that the text names, through the engine, or
// of the file of that name; 0 when it cannot be measured.
int64_t GetSrcSize(const TDriveList& list, const QString& srcFile);
