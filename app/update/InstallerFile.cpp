#include "InstallerFile.h"

#include "host/PrivateFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <limits>
#include <optional>

namespace {

QString NumberedName(int n, const QString& ext) {
    return QStringLiteral("File") + QString::number(n) + ext;
}

} // namespace

TInstallerFile::TInstallerFile() = default;
TInstallerFile::~TInstallerFile() = default;

QString TInstallerFile::Folder() {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return cache.isEmpty() ? QString() : QDir::cleanPath(cache) + u'/';
}

bool TInstallerFile::Create(const QString& ext) {
    std::optional<host::InvokingUser> user;
    if (host::RunsForInvokingUser(user))
        return user && CreateFor(*user, ext);
    return Create(ext, Folder());
}

bool TInstallerFile::Create(const QString& ext, const QString& folder) {
    if (folder.isEmpty() || !host::MakePrivateFolder(folder))
        return false;
    for (int n = 0;; ++n) {
        FFile.setFileName(folder + NumberedName(n, ext));
        // A new file only: an existing name, even a dangling link, is left alone.
        if (FFile.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            FName = FFile.fileName();
            return true;
        }
        if (!QFileInfo(FFile.fileName()).isSymLink() && !QFileInfo::exists(FFile.fileName()))
            return false; // not taken, yet not creatable: the folder refuses it
        if (n == std::numeric_limits<int>::max())
            return false;
    }
}

// Root works in the user's folder only through the descriptor it opened,
// so a link the user puts anywhere on the way is never followed.
bool TInstallerFile::CreateFor(const host::InvokingUser& user, const QString& ext) {
    auto folder = std::make_unique<host::UserFolder>();
    if (!folder->Open(user, QCoreApplication::applicationName()))
        return false;
    for (int n = 0;; ++n) {
        bool taken = false;
        if (folder->CreateNewFile(NumberedName(n, ext), FFile, taken)) {
            FName = folder->Path() + NumberedName(n, ext);
            FUserFolder = std::move(folder);
            return true;
        }
        if (!taken || n == std::numeric_limits<int>::max())
            return false;
    }
}

bool TInstallerFile::Close() {
    const bool flushed = FFile.flush();
    FFile.close();
    return flushed && FFile.error() == QFileDevice::NoError;
}

void TInstallerFile::Discard() {
    FFile.close();
    if (FUserFolder)
        FUserFolder->Remove(QFileInfo(FName).fileName());
    else if (!FName.isEmpty())
        QFile::remove(FName);
}
