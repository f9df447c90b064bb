// The file a downloaded installer is saved in. It lives in the program's
// own cache folder, which only this user may write, and is always created
// afresh: a name that is taken, as a file or as a link, moves on to the
// next counter, so nothing planted there is ever written through.
#pragma once

#include <QFile>
#include <QString>

class TInstallerFile {
  public:
    TInstallerFile() = default;
    TInstallerFile(const TInstallerFile&) = delete;
    TInstallerFile& operator=(const TInstallerFile&) = delete;

    // Creates the first free "<folder>File<n><ext>" (n = 0, 1, ...); false
    // when the folder is refused or every name is taken.
    bool Create(const QString& ext);
    // The same in a folder of the caller's choice, ending with its delimiter.
    bool Create(const QString& ext, const QString& folder);

    QString FileName() const { return FFile.fileName(); }
    QIODevice& Device() { return FFile; }
    // Flushes and closes the file; false when the data did not reach it.
    bool Close();
    // Closes and removes the file, so that no partial installer is left.
    void Discard();

    // The user's cache folder for the program, with its delimiter.
    static QString Folder();

  private:
    QFile FFile;
};
