// Whether a file lies on a given drive or disk.
#pragma once

#include <QString>

namespace host {

// True when `file` (which need not exist yet) would be stored on the
// volume `volumeDevice`.
bool FileLiesOnVolume(const QString& file, const QString& volumeDevice);
// True when `file` would be stored on any volume of the whole disk `diskDevice`.
bool FileLiesOnDisk(const QString& file, const QString& diskDevice);

} // namespace host
