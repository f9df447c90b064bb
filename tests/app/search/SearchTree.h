// A folder tree that a test builds for the search to walk, removed with
// everything in it at the end.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace searchtest {

// Large trees go to memory where it can be had: folders are made and
// removed there many times faster than on a busy disk.
inline QString LargeTreeBase() {
    const QString memory = QStringLiteral("/dev/shm");
    return ::access(QFile::encodeName(memory).constData(), W_OK) == 0 ? memory : QDir::tempPath();
}

class SearchTree {
  public:
    SearchTree() { EXPECT_TRUE(m_dir.isValid()); }
    // In `base` instead of the temporary-files folder.
    explicit SearchTree(const QString& base) : m_dir(base + QStringLiteral("/search-XXXXXX")) {
        EXPECT_TRUE(m_dir.isValid()) << base.toStdString();
    }
    ~SearchTree() {
        // Folders made unreadable must be opened up again to be removed.
        for (const QString& folder : m_lockedFolders)
            ::chmod(QFile::encodeName(folder).constData(), 0755);
    }

    QString Root() const { return m_dir.path(); }
    QString Path(const QString& relative) const { return m_dir.filePath(relative); }

    // A file of `size` bytes; its folders are made as needed.
    QString File(const QString& relative, qint64 size = 0) const {
        const QString path = Path(relative);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
        if (size > 0)
            file.resize(size);
        return path;
    }
    QString Folder(const QString& relative) const {
        const QString path = Path(relative);
        EXPECT_TRUE(QDir().mkpath(path));
        return path;
    }
    // A symbolic link at `relative` to `target` (kept as given).
    void Link(const QString& relative, const QString& target) const {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        EXPECT_EQ(::symlink(QFile::encodeName(target).constData(),
                            QFile::encodeName(Path(relative)).constData()),
                  0)
            << relative.toStdString();
    }
    void Lock(const QString& relative) {
        m_lockedFolders << Path(relative);
        EXPECT_EQ(::chmod(QFile::encodeName(Path(relative)).constData(), 0), 0);
    }

  private:
    QTemporaryDir m_dir;
    QStringList m_lockedFolders;
};

} // namespace searchtest
