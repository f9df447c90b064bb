#include "imaging/Setting.h"

#include "TempConfigFolder.h"
#include "framework/host/HostQueries.h"

#include <QDir>
#include <QFile>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class SettingTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_config.IsValid()); }
    void Plant(const QString& name, const QVariant& value) const {
        m_config.Open(kProgram)->setValue(QStringLiteral("Misc/") + name, value);
    }
    QString Stored(const QString& name) const {
        return m_config.Open(kProgram)->value(QStringLiteral("Misc/") + name).toString();
    }
    std::unique_ptr<TSetting> Loaded() const {
        auto setting = std::make_unique<TSetting>(kProgram);
        setting->LoadSetting();
        return setting;
    }

    const QString kProgram = QStringLiteral("tolvane-test");
    apptest::TempConfigFolder m_config;
};

TEST_F(SettingTest, FirstStartGivesDefaultsAndSaveWritesAllSevenValues) {
    TSetting setting(kProgram);
    setting.LoadSetting();
    EXPECT_EQ(setting.OpenDirectory, QString());
    EXPECT_EQ(setting.OpenFilterIndex, 1);
    EXPECT_EQ(setting.SaveFilterIndex, 1);
    EXPECT_TRUE(setting.AutoUpdate);
    EXPECT_EQ(setting.ReplaceData, 0);
    EXPECT_EQ(setting.TempDir, QDir::tempPath() + u'/');
    EXPECT_EQ(setting.BufSize, 512);

    setting.SaveFilterIndex = 2; // the last filter chosen in a save dialog
    setting.SaveSetting();

    ASSERT_TRUE(QFile::exists(m_config.IniFile(kProgram)));
    const auto ini = m_config.Open(kProgram);
    ini->beginGroup(QStringLiteral("Misc"));
    QStringList names = ini->childKeys();
    names.sort();
    EXPECT_EQ(names, (QStringList{"AutoUpdate", "BufSize", "OpenDirectory", "OpenFilterIndex",
                                  "ReplaceData", "SaveFilterIndex", "TempDir"}));
    EXPECT_EQ(ini->value("OpenDirectory").toString(), QString());
    EXPECT_EQ(ini->value("OpenFilterIndex").toString(), QStringLiteral("1"));
    EXPECT_EQ(ini->value("SaveFilterIndex").toString(), QStringLiteral("2"));
    EXPECT_EQ(ini->value("AutoUpdate").toString(), QStringLiteral("1"));
    EXPECT_EQ(ini->value("ReplaceData").toString(), QStringLiteral("0"));
    EXPECT_EQ(ini->value("TempDir").toString(), QDir::tempPath() + u'/');
    EXPECT_EQ(ini->value("BufSize").toString(), QStringLiteral("512"));
}

TEST_F(SettingTest, SavedValuesComeBack) {
    TSetting setting(kProgram);
    setting.OpenDirectory = QStringLiteral("/data/images");
    setting.OpenFilterIndex = 2;
    setting.AutoUpdate = false;
    setting.ReplaceData = 255;
    setting.TempDir = QStringLiteral("/var/tmp/");
    setting.BufSize = 65536;
    setting.SaveSetting();

    const auto loaded = Loaded();
    EXPECT_EQ(loaded->OpenDirectory, QStringLiteral("/data/images"));
    EXPECT_EQ(loaded->OpenFilterIndex, 2);
    EXPECT_FALSE(loaded->AutoUpdate);
    EXPECT_EQ(Stored(QStringLiteral("AutoUpdate")), QStringLiteral("0"));
    EXPECT_EQ(loaded->ReplaceData, 255);
    EXPECT_EQ(loaded->TempDir, QStringLiteral("/var/tmp/"));
    EXPECT_EQ(loaded->BufSize, 65536);
}

TEST_F(SettingTest, BufSizeStoredAsTextIsReadAndWrittenBackAsText) {
    Plant(QStringLiteral("BufSize"), QStringLiteral("4096"));
    const auto setting = Loaded();
    EXPECT_EQ(setting->BufSize, 4096);
    setting->SaveSetting();
    QFile file(m_config.IniFile(kProgram));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.readAll().contains("\nBufSize=4096\n"));
}

TEST_F(SettingTest, ReplaceDataKeepsTheLow8Bits) {
    const std::pair<int, int> cases[] = {{300, 44}, {255, 255}, {256, 0}, {-1, 255}, {44, 44}};
    for (const auto& [stored, read] : cases) {
        Plant(QStringLiteral("ReplaceData"), stored);
        EXPECT_EQ(Loaded()->ReplaceData, read) << stored;
    }
}

TEST_F(SettingTest, ANumberHoldingTextGivesTheDefault) {
    Plant(QStringLiteral("BufSize"), QStringLiteral("big"));
    Plant(QStringLiteral("OpenFilterIndex"), QStringLiteral("2nd"));
    Plant(QStringLiteral("SaveFilterIndex"), QString());
    Plant(QStringLiteral("ReplaceData"), QStringLiteral("0xFF"));
    Plant(QStringLiteral("AutoUpdate"), QStringLiteral("off"));
    const auto setting = Loaded();
    EXPECT_EQ(setting->BufSize, 512);
    EXPECT_EQ(setting->OpenFilterIndex, 1);
    EXPECT_EQ(setting->SaveFilterIndex, 1);
    EXPECT_EQ(setting->ReplaceData, 0);
    EXPECT_TRUE(setting->AutoUpdate);
}

TEST_F(SettingTest, TwoProgramNamesKeepSeparateSettings) {
    TSetting first(QStringLiteral("tolvane"));
    first.BufSize = 1000;
    first.AutoUpdate = false;
    first.SaveSetting();

    TSetting second(QStringLiteral("tolvane-copy"));
    second.LoadSetting();
    EXPECT_EQ(second.BufSize, 512);
    EXPECT_TRUE(second.AutoUpdate);
    second.BufSize = 2000;
    second.SaveSetting();

    TSetting again(QStringLiteral("tolvane"));
    again.LoadSetting();
    EXPECT_EQ(again.BufSize, 1000);
    EXPECT_TRUE(QFile::exists(m_config.IniFile(QStringLiteral("tolvane"))));
    EXPECT_TRUE(QFile::exists(m_config.IniFile(QStringLiteral("tolvane-copy"))));
}

TEST_F(SettingTest, TheRunningProgramsNameIsTheDefaultStore) {
    TSetting setting;
    EXPECT_EQ(setting.StoreName(), ProgramNameOf(host::ProgramFilePath()));
    setting.BufSize = 123;
    setting.SaveSetting();
    EXPECT_TRUE(QFile::exists(m_config.IniFile(setting.StoreName())));
}

} // namespace
