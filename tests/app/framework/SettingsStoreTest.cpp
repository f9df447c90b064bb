#include "SettingsStore.h"

#include "TempConfigFolder.h"

#include <QFile>

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramName, IsTheFileNameWithoutExtension) {
    EXPECT_EQ(ProgramNameOf(QStringLiteral("/usr/bin/tolvane")), QStringLiteral("tolvane"));
    EXPECT_EQ(ProgramNameOf(QStringLiteral("/opt/t/tolvane.bin")), QStringLiteral("tolvane"));
    EXPECT_EQ(ProgramNameOf(QStringLiteral("/opt/v1.2/tolvane")), QStringLiteral("tolvane"));
    EXPECT_EQ(ProgramNameOf(QStringLiteral("/opt/t/a.b.c")), QStringLiteral("a.b"));
    EXPECT_FALSE(ProgramName().isEmpty());
}

class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_config.IsValid()); }
    void Plant(const QString& name, const QVariant& value) const {
        m_config.Open(kProgram)->setValue(QStringLiteral("Misc/") + name, value);
    }

    const QString kProgram = QStringLiteral("store-test");
    apptest::TempConfigFolder m_config;
};

TEST_F(SettingsStoreTest, NumbersAcceptDecimalTextAndFallBackOtherwise) {
    struct Case {
        const char* stored;
        int32_t read;
    };
    const Case cases[] = {{"4096", 4096},
                          {"-7", -7},
                          {"abc", 99},
                          {"12abc", 99},
                          {"", 99},
                          {"0x10", 99},
                          {"2147483647", 2147483647},
                          {"2147483648", 99} /* beyond 32 bits */};
    for (const Case& c : cases) {
        Plant(QStringLiteral("Number"), QString::fromLatin1(c.stored));
        const TSettingsStore store(kProgram);
        EXPECT_EQ(store.ReadNumber(QStringLiteral("Number"), 99), c.read) << c.stored;
    }
    const TSettingsStore store(kProgram);
    EXPECT_EQ(store.ReadNumber(QStringLiteral("Missing"), 99), 99);
}

TEST_F(SettingsStoreTest, BooleansAreWrittenAsOneOrZeroAndReadAsNumbers) {
    {
        TSettingsStore store(kProgram);
        store.WriteBool(QStringLiteral("Yes"), true);
        store.WriteBool(QStringLiteral("No"), false);
    }
    const auto ini = m_config.Open(kProgram);
    EXPECT_EQ(ini->value(QStringLiteral("Misc/Yes")).toString(), QStringLiteral("1"));
    EXPECT_EQ(ini->value(QStringLiteral("Misc/No")).toString(), QStringLiteral("0"));

    Plant(QStringLiteral("Other"), QStringLiteral("2"));
    Plant(QStringLiteral("Text"), QStringLiteral("yes"));
    const TSettingsStore store(kProgram);
    EXPECT_TRUE(store.ReadBool(QStringLiteral("Yes"), false));
    EXPECT_FALSE(store.ReadBool(QStringLiteral("No"), true));
    EXPECT_TRUE(store.ReadBool(QStringLiteral("Other"), false));
    EXPECT_FALSE(store.ReadBool(QStringLiteral("Text"), false));
    EXPECT_TRUE(store.ReadBool(QStringLiteral("Missing"), true));
}

TEST_F(SettingsStoreTest, UnquotedTextWithCommasReadsWhole) {
    // As an editor would leave it; the INI reader takes it for a list.
    QFile file(m_config.IniFile(kProgram));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("[Misc]\nDir=/a,b/c\n");
    file.close();
    const TSettingsStore store(kProgram);
    EXPECT_EQ(store.ReadString(QStringLiteral("Dir"), QString()), QStringLiteral("/a,b/c"));
}

} // namespace
