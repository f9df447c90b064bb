// A folder that only the current user may write. One backend per OS.
#pragma once

#include <QFile>
#include <QString>

#include <functional>
#include <optional>

namespace host {

// Creates the folder with owner-only rights where it is missing; true when
// it is a real folder of this user's (a link or a folder owned by someone
// else is refused) that no one else can write.
bool MakePrivateFolder(const QString& folder);

// The user who started the program when it runs as root under pkexec.
struct InvokingUser {
    uint uid = 0;
    uint gid = 0;
    QString home;
};

// Whether the program runs as root on behalf of another user; `user` is
// then that user, or unset when PKEXEC_UID names no one known.
bool RunsForInvokingUser(std::optional<InvokingUser>& user);

// Stands in for the password database (nullptr restores it).
using UserLookup = std::function<std::optional<InvokingUser>(uint uid)>;
void SetUserLookup(UserLookup lookup);

// The invoking user's private folder "<home>/.cache/<program>", made with
// the same rules as MakePrivateFolder but owned by that user. It is held
// open, so every later step happens in that very folder and root follows
// no link the user may put on its way.
class UserFolder {
  public:
    UserFolder() = default;
    ~UserFolder();
    UserFolder(const UserFolder&) = delete;
    UserFolder& operator=(const UserFolder&) = delete;

    bool Open(const InvokingUser& user, const QString& program);
    // The folder with its delimiter.
    QString Path() const { return FPath; }
    // Creates `name` afresh, not through a link, owned by the user, and
    // opens it for writing into `file`; `taken` tells an existing name.
    bool CreateNewFile(const QString& name, QFile& file, bool& taken);
    void Remove(const QString& name);

  private:
    int FFd = -1;
    InvokingUser FUser;
    QString FPath;
};

} // namespace host
