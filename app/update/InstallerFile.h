// The file a downloaded installer is saved in. It lives in the program's
// own cache folder, which only this user may write, and is always created
// afresh: a name that is taken, as a file or as a link, moves on to the
// next counter, so nothing planted there is ever written through. Run as
// root under pkexec, it is saved for the user who started the program, in
// that user's cache folder and owned by that user, who opens it.
#pragma once

#include <QFile>
#include <QString>

#include <memory>

namespace host {
class UserFolder;
struct InvokingUser;
} // namespace host

class TInstallerFile {
  public:
    TInstallerFile();
    ~TInstallerFile();
    TInstallerFile(const TInstallerFile&) = delete;
    TInstallerFile& operator=(const TInstallerFile&) = delete;

    // Creates the first free "<folder>File<n><ext>" (n = 0, 1, ...); false
    // when the folder is refused, every name is taken, or the user the
    // program runs for is unknown.
    bool Create(const QString& ext);
    // The same in a folder of the caller's choice, ending with its delimiter.
    bool Create(const QString& ext, const QString& folder);

    QString FileName() const { return FName; }
    QIODevice& Device() { return FFile; }
    // Flushes and closes the file; false when the data did not reach it.
    bool Close();
    // Closes and removes the file, so that no partial installer is left.
    void Discard();

    // The user's cache folder for the program, with its delimiter.
    static QString Folder();

  private:
    bool CreateFor(const host::InvokingUser& user, const QString& ext);

    QFile FFile;
    QString FName;
    // Set when the file is saved for the invoking user.
    std::unique_ptr<host::UserFolder> FUserFolder;
};
