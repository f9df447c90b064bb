// A folder that only the current user may write. One backend per OS.
#pragma once

#include <QString>

namespace host {

// Creates the folder with owner-only rights where it is missing; true when
// it is a real folder of this user's (a link or a folder owned by someone
// else is refused) that no one else can write.
bool MakePrivateFolder(const QString& folder);

} // namespace host
