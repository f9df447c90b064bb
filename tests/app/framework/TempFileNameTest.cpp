#include "TempFileName.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class GetUniqueTempFileNameTest : public ::testing::Test {
  protected:
    QString Folder() const { return m_dir.path() + u'/'; }
    void Touch(const QString& name) const {
        QFile file(Folder() + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir m_dir;
};

TEST_F(GetUniqueTempFileNameTest, TakesTheFirstFreeCounter) {
    struct Case {
        QStringList taken;
        QString expected;
    };
    const Case cases[] = {
        {{}, QStringLiteral("File0.exe")},
        {{QStringLiteral("File0.exe")}, QStringLiteral("File1.exe")},
        // Another extension does not take the name.
        {{QStringLiteral("File1.img")}, QStringLiteral("File1.exe")},
        {{QStringLiteral("File1.exe"), QStringLiteral("File2.exe")}, QStringLiteral("File3.exe")},
    };
    for (const Case& c : cases) {
        for (const QString& name : c.taken)
            Touch(name);
        EXPECT_EQ(GetUniqueTempFileName(QStringLiteral(".exe"), Folder()), Folder() + c.expected);
    }
}

TEST_F(GetUniqueTempFileNameTest, DoesNotCreateTheFile) {
    const QString name = GetUniqueTempFileName(QStringLiteral(".exe"), Folder());
    EXPECT_FALSE(QFile::exists(name));
    EXPECT_TRUE(QDir(m_dir.path()).isEmpty());
}

TEST_F(GetUniqueTempFileNameTest, CountsADanglingLinkAsTaken) {
    ASSERT_TRUE(QFile::link(Folder() + QStringLiteral("nowhere"), Folder() + "File0.exe"));
    EXPECT_EQ(GetUniqueTempFileName(QStringLiteral(".exe"), Folder()), Folder() + "File1.exe");
}

TEST_F(GetUniqueTempFileNameTest, UsesTheUsersTemporaryFolder) {
    const QByteArray saved = qgetenv("TMPDIR");
    qputenv("TMPDIR", QFile::encodeName(m_dir.path()));
    Touch(QStringLiteral("File0.exe"));
    const QString name = GetUniqueTempFileName(QStringLiteral(".exe"));
    qputenv("TMPDIR", saved);
    EXPECT_EQ(name, Folder() + QStringLiteral("File1.exe"));
}

} // namespace
