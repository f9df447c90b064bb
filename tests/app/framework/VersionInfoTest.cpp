#include "VersionInfo.h"

#include "host/HostQueries.h"

#include <QTemporaryFile>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(VersionText, JoinsTheHalvesOfBothWords) {
    EXPECT_EQ(VersionText(0x00010002, 0x00030004), QStringLiteral("1.2.3.4"));
    EXPECT_EQ(VersionText(0, 0), QStringLiteral("0.0.0.0"));
    EXPECT_EQ(VersionText(0xFFFF0000, 0x0000FFFF), QStringLiteral("65535.0.0.65535"));
}

TEST(VersionInfo, TheRunningProgramCarriesTheBuildsVersion) {
    const QString program = host::ProgramFilePath();
    TFixedFileInfo info;
    ASSERT_TRUE(GetFixedFileInfo(program, info));
    EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(GetVersionText(program, TVersionKind::FullFileVersion),
              QStringLiteral(TOLVANE_EXPECTED_VERSION));
    EXPECT_EQ(GetVersionText(program, TVersionKind::FullProductVersion),
              QStringLiteral(TOLVANE_EXPECTED_VERSION));
}

TEST(VersionInfo, AFileWithoutVersionGivesEmptyText) {
    QTemporaryFile plain;
    ASSERT_TRUE(plain.open());
    plain.write("not a program");
    plain.flush();
    TFixedFileInfo info;
    EXPECT_FALSE(GetFixedFileInfo(plain.fileName(), info));
    EXPECT_EQ(GetVersionText(plain.fileName(), TVersionKind::FullFileVersion), QString());
    EXPECT_EQ(GetVersionText(QStringLiteral("/no/such/file"), TVersionKind::FullProductVersion),
              QString());
}

} // namespace
