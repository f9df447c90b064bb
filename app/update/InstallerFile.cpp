#include "InstallerFile.h"

#include "host/PrivateFolder.h"

#include <QDir>
#include <QStandardPaths>

#include <limits>

QString TInstallerFile::Folder() {
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    return cache.isEmpty() ? QString() : QDir::cleanPath(cache) + u'/';
}

bool TInstallerFile::Create(const QString& ext) {
    return Create(ext, Folder());
}

bool TInstallerFile::Create(const QString& ext, const QString& folder) {
    if (folder.isEmpty() || !host::MakePrivateFolder(folder))
        return false;
    for (int n = 0;; ++n) {
        FFile.setFileName(folder + QStringLiteral("File") + QString::number(n) + ext);
        // A new file only: an existing name, even a dangling link, is left alone.
        if (FFile.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            return true;
        if (!QFileInfo(FFile.fileName()).isSymLink() && !QFileInfo::exists(FFile.fileName()))
            return false; // not taken, yet not creatable: the folder refuses it
        if (n == std::numeric_limits<int>::max())
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
    FFile.remove();
}
