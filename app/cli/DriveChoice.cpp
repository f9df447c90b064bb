#include "DriveChoice.h"

#include <QFile>

#include <sys/stat.h>

namespace {

dev_t BlockDeviceNumber(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0 || !S_ISBLK(st.st_mode))
        return 0;
    return st.st_rdev;
}

} // namespace

std::optional<DriveChoice> ChooseDrive(const TDriveList& list, const QString& text) {
    const QString byName = list.GetInternalName(text);
    if (!byName.isEmpty())
        return DriveChoice{text, byName};
    // Nodes are compared by device number, so links and other spellings of
    // the same node find it.
    const dev_t wanted = BlockDeviceNumber(text);
    if (wanted == 0)
        return std::nullopt;
    for (int i = 0; i < list.Count(); ++i) {
        if (BlockDeviceNumber(list.InternalNames[i]) == wanted)
            return DriveChoice{list.DisplayNames[i], list.InternalNames[i]};
    }
    return std::nullopt;
}
