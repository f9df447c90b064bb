// The user's local application data is private to the user by its rights;
// the folder must be a real one, not a link or junction to elsewhere.
#include "host/PrivateFolder.h"

#include <QDir>
#include <QFileInfo>

namespace host {

bool MakePrivateFolder(const QString& folder) {
    const QString path = QDir::cleanPath(folder);
    if (!QDir().mkpath(path))
        return false;
    const QFileInfo info(path);
    return info.isDir() && !info.isSymLink() && !info.isJunction();
}

} // namespace host

// There is no pkexec on Windows: the program always runs as its own user.
namespace host {

bool RunsForInvokingUser(std::optional<InvokingUser>& user) {
    user.reset();
    return false;
}

void SetUserLookup(UserLookup) {}

UserFolder::~UserFolder() = default;

bool UserFolder::Open(const InvokingUser&, const QString&) {
    return false;
}

bool UserFolder::CreateNewFile(const QString&, QFile&, bool& taken) {
    taken = false;
    return false;
}

void UserFolder::Remove(const QString&) {}

} // namespace host
