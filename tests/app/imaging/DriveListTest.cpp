#include "imaging/SpecUtils.h"

#include <QFile>
#include <QTemporaryDir>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

TDriveList SampleList() {
    TDriveList list;
    list.Append(QStringLiteral("/  (Fixed Drive) (465.76 GB)"), QStringLiteral("/dev/sda1"));
    list.Append(QStringLiteral("Hard disk 1  (465.76 GB)"), QStringLiteral("/dev/sda"));
    list.Append(QStringLiteral("Hard disk 1  (465.76 GB)"), QStringLiteral("/dev/sdb"));
    return list;
}

TEST(GetInternalName, MapsTheFirstExactDisplayName) {
    const TDriveList list = SampleList();
    EXPECT_EQ(list.GetInternalName(QStringLiteral("/  (Fixed Drive) (465.76 GB)")),
              QStringLiteral("/dev/sda1"));
    EXPECT_EQ(list.GetInternalName(QStringLiteral("Hard disk 1  (465.76 GB)")),
              QStringLiteral("/dev/sda"));
    EXPECT_EQ(list.GetInternalName(QStringLiteral("hard disk 1  (465.76 GB)")), QString());
    EXPECT_EQ(list.GetInternalName(QStringLiteral("Hard disk 1")), QString());
    EXPECT_EQ(list.GetInternalName(QString()), QString());
}

TEST(DriveList, ClearEmptiesBothLists) {
    TDriveList list = SampleList();
    ASSERT_EQ(list.Count(), 3);
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_TRUE(list.InternalNames.isEmpty());
}

struct BareCase {
    const char* text;
    const char* bare;
};

// Names the case in test names and failure messages.
void PrintTo(const BareCase& c, std::ostream* out) {
    *out << c.text;
}

class GetBareDisplayNameTest : public ::testing::TestWithParam<BareCase> {};

TEST_P(GetBareDisplayNameTest, TakesADisksNameOutOfAPath) {
    EXPECT_EQ(GetBareDisplayName(QString::fromLatin1(GetParam().text)),
              QString::fromLatin1(GetParam().bare));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, GetBareDisplayNameTest,
    ::testing::Values(BareCase{"/work/Hard disk 1  (465.76 GB)", "Hard disk 1  (465.76 GB)"},
                      BareCase{"Hard disk 2  (1.00 GB)", "Hard disk 2  (1.00 GB)"},
                      BareCase{"/mnt/data  (Fixed Drive) (1.00 GB)",
                               "/mnt/data  (Fixed Drive) (1.00 GB)"},
                      BareCase{"/work/hard disk 1  (1.00 GB)", "/work/hard disk 1  (1.00 GB)"},
                      BareCase{"/work/Hard dis", "/work/Hard dis"},
                      BareCase{"/work/Hard disk image.img", "Hard disk image.img"},
                      BareCase{"", ""}));

TEST(GetSrcSize, ATextThatNamesNoEntryIsMeasuredAsAFile) {
    QTemporaryDir dir;
    // Its name begins like a disk's, but no display name matches it.
    const QString file = dir.path() + QStringLiteral("/Hard disk 9.img");
    QFile out(file);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QByteArray(1000, 'x'));
    out.close();
    const TDriveList list = SampleList();
    EXPECT_EQ(GetSrcSize(list, file), 1000);
    EXPECT_EQ(GetSrcSize(list, dir.path() + QStringLiteral("/missing.img")), 0);
    EXPECT_EQ(GetSrcSize(list, dir.path()), 0);
}

TEST(GetSrcSize, AnEntryWhoseDeviceIsGoneMeasuresZero) {
    TDriveList list;
    list.Append(QStringLiteral("Hard disk 1  (1.00 MB)"), QStringLiteral("/dev/no-such-disk"));
    EXPECT_EQ(GetSrcSize(list, QStringLiteral("/work/Hard disk 1  (1.00 MB)")), 0);
}

} // namespace
