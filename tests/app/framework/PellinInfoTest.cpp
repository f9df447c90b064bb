#include "PellinInfo.h"

#include "LogText.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <sys/statvfs.h>
#include <unistd.h>

extern char** environ;

namespace {

const QString kSeparator = QString::fromLatin1(kSeparatorLine);

void ExpectMatches(const QString& line, const char* pattern) {
    EXPECT_TRUE(QRegularExpression(QString::fromLatin1(pattern)).match(line).hasMatch())
        << line.toStdString() << " does not match " << pattern;
}

// The environment as the report shows it, secrets hidden.
QStringList CurrentEnvironment() {
    QStringList strings;
    for (char** entry = environ; *entry != nullptr; ++entry)
        strings << EnvironmentLine(QString::fromLocal8Bit(*entry));
    return strings;
}

// The figure of a "Name:  123 kB" line of /proc/meminfo, in bytes.
uint64_t MemInfoBytes(const char* name) {
    QFile file(QStringLiteral("/proc/meminfo"));
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.startsWith(QByteArray(name) + ':'))
            return line.mid(line.indexOf(':') + 1).simplified().split(' ')[0].toULongLong() * 1024;
    }
    return 0;
}

QStringList Roots(const QList<host::Drive>& drives) {
    QStringList roots;
    for (const host::Drive& drive : drives)
        roots << drive.root;
    return roots;
}

TEST(AddSystemInfo, AppendsEveryRowInOrder) {
    ASSERT_EQ(::setenv("TOLVANE_EMPTY_VALUE", "", 1), 0);
    const QStringList environment = CurrentEnvironment();
    const QStringList drivesBefore = Roots(host::LogicalDrives());
    QStringList lines{QStringLiteral("caller's line")};

    AddSystemInfo(lines);

    const QStringList drivesAfter = Roots(host::LogicalDrives());
    ::unsetenv("TOLVANE_EMPTY_VALUE");
    ASSERT_GE(lines.size(), 1 + 20 + environment.size() + 2 + 3);
    EXPECT_EQ(lines[0], QStringLiteral("caller's line"));
    const QString version = QStringLiteral(TOLVANE_EXPECTED_VERSION);
    const QStringList head{QStringLiteral("Version Information:"),
                           QStringLiteral("File Version: ") + version,
                           QStringLiteral("Product Version: ") + version, kSeparator};
    EXPECT_EQ(lines.mid(1, 4), head);
    ExpectMatches(lines[5], R"(^Operating System: Linux \d+\.\d\d+\.\d+$)");
    EXPECT_EQ(lines[6], kSeparator);
    EXPECT_EQ(lines[7], QStringLiteral("Windows Directory: /"));
    ExpectMatches(lines[8], R"(^System Directory: /\S+$)");
    EXPECT_EQ(lines[9], QStringLiteral("Temporary Directory: ") + QDir::tempPath() + u'/');
    EXPECT_EQ(lines[10], kSeparator);
    EXPECT_EQ(lines[11], QStringLiteral("Memory Status:"));
    ExpectMatches(lines[12], R"(^Memory in use: \d{1,3}%$)");
    const char* memoryRows[] = {"Total physical memory",  "Free physical memory",
                                "Total page file memory", "Free page file memory",
                                "Total virtual memory",   "Free virtual memory"};
    for (int i = 0; i < 6; ++i)
        ExpectMatches(
            lines[13 + i],
            (std::string("^") + memoryRows[i] + R"(: (0|[1-9]\d{0,2}(,\d{3})*) bytes$)").c_str());
    EXPECT_EQ(lines[19], kSeparator);
    EXPECT_EQ(lines[20], QStringLiteral("Environment Information:"));
    EXPECT_EQ(lines.mid(21, environment.size()), environment);
    EXPECT_TRUE(lines.mid(21, environment.size()).contains(QStringLiteral("TOLVANE_EMPTY_VALUE=")));
    const qsizetype drivesAt = 21 + environment.size();
    EXPECT_EQ(lines[drivesAt], kSeparator);
    EXPECT_EQ(lines[drivesAt + 1], QStringLiteral("Drive Information:"));
    const QStringList driveLines = lines.mid(drivesAt + 2, lines.size() - drivesAt - 2 - 3);
    for (const QString& line : driveLines)
        ExpectMatches(line, R"(^.+, ((Fixed Drive, Total Disk Spaces: (-1|[\d,]+) bytes, Free )"
                            R"(Disk Spaces: (-1|[\d,]+) bytes\.)|Unknown Drive Type|Invalid Root )"
                            R"(Path|Removable Drive|Remote Network Drive|CD-ROM Drive|RAM Disk)$)");
    // Other users of this machine attach devices; compare when nothing changed.
    if (drivesBefore == drivesAfter) {
        ASSERT_EQ(driveLines.size(), drivesBefore.size());
        for (qsizetype i = 0; i < driveLines.size(); ++i)
            EXPECT_TRUE(driveLines[i].startsWith(drivesBefore[i] + QStringLiteral(", ")));
    }
    const QStringList tail{kSeparator, QStringLiteral("End of System Information"), kSeparator};
    EXPECT_EQ(lines.mid(lines.size() - 3), tail);
}

TEST(AddMemoryInfo, PrintsFull64BitCountsOfThisMachine) {
    QStringList lines;
    AddMemoryInfo(lines);
    const uint64_t total = MemInfoBytes("MemTotal");
    ASSERT_GT(total, 0u);
    // More than 4 GiB must not be clamped to 4,294,967,295.
    EXPECT_EQ(lines[2], QStringLiteral("Total physical memory: ") +
                            QLocale().toString(static_cast<qulonglong>(total)) +
                            QStringLiteral(" bytes"));
}

TEST(AddMemoryInfo, FormatsTheFiguresAsGiven) {
    host::MemoryStatus status;
    status.loadPercent = 37;
    status.totalPhysical = 17179869184; // 16 GiB
    status.availablePhysical = 4294967296;
    status.totalPageFile = 999;
    status.availablePageFile = 1000;
    status.totalVirtual = 0;
    status.availableVirtual = UINT64_MAX;
    QStringList lines;
    AddMemoryInfo(status, lines);
    const QStringList expected{
        QStringLiteral("Memory Status:"),
        QStringLiteral("Memory in use: 37%"),
        QStringLiteral("Total physical memory: 17,179,869,184 bytes"),
        QStringLiteral("Free physical memory: 4,294,967,296 bytes"),
        QStringLiteral("Total page file memory: 999 bytes"),
        QStringLiteral("Free page file memory: 1,000 bytes"),
        QStringLiteral("Total virtual memory: 0 bytes"),
        QStringLiteral("Free virtual memory: 18,446,744,073,709,551,615 bytes"),
        kSeparator};
    EXPECT_EQ(lines, expected);
}

TEST(AddOSInfo, PadsTheMinorVersionToTwoDigits) {
    struct Case {
        host::OSVersion version;
        const char* line;
    };
    const Case cases[] = {
        {{QStringLiteral("Windows NT"), 6, 1, 7601}, "Operating System: Windows NT 6.01.7601"},
        {{QStringLiteral("Linux"), 6, 18, 44}, "Operating System: Linux 6.18.44"},
        {{QStringLiteral("Linux"), 5, 0, 0}, "Operating System: Linux 5.00.0"},
        {{QString(), 0, 0, 0}, "Operating System:  0.00.0"},
    };
    for (const Case& c : cases) {
        QStringList lines;
        AddOSInfo(c.version, lines);
        EXPECT_EQ(lines, (QStringList{QString::fromLatin1(c.line), kSeparator}));
    }
}

TEST(AddDirectoryInfo, AFailedQueryWritesTheErrorTextInItsPlace) {
    QStringList lines;
    AddDirectoryInfo({true, QStringLiteral("/"), 0}, {false, QString(), 2},
                     {true, QStringLiteral("/tmp/"), 0}, lines);
    const QStringList expected{
        QStringLiteral("Windows Directory: /"),
        QStringLiteral("System Directory: Cannot get the required infomation. Error Code: 2."),
        QStringLiteral("Temporary Directory: /tmp/"), kSeparator};
    EXPECT_EQ(lines, expected);
}

TEST(AddEnvironmentInfo, OneLinePerStringInBlockOrder) {
    QStringList lines;
    AddEnvironmentInfo({QStringLiteral("B=2"), QStringLiteral("A="), QStringLiteral("=C:=C:\\")},
                       lines);
    const QStringList expected{QStringLiteral("Environment Information:"), QStringLiteral("B=2"),
                               QStringLiteral("A="), QStringLiteral("=C:=C:\\"), kSeparator};
    EXPECT_EQ(lines, expected);
}

struct SecretCase {
    const char* entry;
    const char* shown;
    friend void PrintTo(const SecretCase& c, std::ostream* out) { *out << c.entry; }
};

class EnvironmentSecrets : public ::testing::TestWithParam<SecretCase> {};

TEST_P(EnvironmentSecrets, HidesValuesWhoseNameMarksASecret) {
    EXPECT_EQ(EnvironmentLine(QString::fromLatin1(GetParam().entry)),
              QString::fromLatin1(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(
    Names, EnvironmentSecrets,
    ::testing::Values(SecretCase{"AWS_SECRET_ACCESS_KEY=abc/def", "AWS_SECRET_ACCESS_KEY=<hidden>"},
                      SecretCase{"GITHUB_TOKEN=ghp_123", "GITHUB_TOKEN=<hidden>"},
                      SecretCase{"DB_PASSWORD=a=b", "DB_PASSWORD=<hidden>"},
                      SecretCase{"SSH_AUTH_SOCK=/run/agent", "SSH_AUTH_SOCK=<hidden>"},
                      SecretCase{"api_key=lower", "api_key=<hidden>"},
                      SecretCase{"Session_Cookie=", "Session_Cookie=<hidden>"},
                      // No part matches, although the name contains a secret word.
                      SecretCase{"XDG_SESSION_TYPE=x11", "XDG_SESSION_TYPE=x11"},
                      SecretCase{"XAUTHORITY=/run/xauth", "XAUTHORITY=/run/xauth"},
                      SecretCase{"KEYBOARD_LAYOUT=de", "KEYBOARD_LAYOUT=de"},
                      SecretCase{"PASSAGE=1", "PASSAGE=1"}, SecretCase{"=C:=C:\\", "=C:=C:\\"},
                      SecretCase{"A=", "A="}),
    [](const auto& testCase) {
        std::string name;
        for (const char c : std::string(testCase.param.entry)) {
            if (c == '=')
                break;
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        }
        return name.empty() ? std::string("DriveFolder") : name;
    });

TEST(AddEnvironmentInfo, WritesSecretsHiddenAndTheRestAsTheyAre) {
    QStringList lines;
    AddEnvironmentInfo({QStringLiteral("HOME=/root"), QStringLiteral("NPM_TOKEN=s3cr3t")}, lines);
    EXPECT_EQ(lines,
              (QStringList{QStringLiteral("Environment Information:"), QStringLiteral("HOME=/root"),
                           QStringLiteral("NPM_TOKEN=<hidden>"), kSeparator}));
}

TEST(AddDriveInfo, GivesSizesForFixedDrivesOnly) {
    QTemporaryDir mounted;
    struct statvfs fs {};
    ASSERT_EQ(::statvfs(QFile::encodeName(mounted.path()).constData(), &fs), 0);
    const QString total = QLocale().toString(static_cast<qulonglong>(fs.f_blocks * fs.f_frsize));
    const QList<host::Drive> drives{
        {mounted.path(), QStringLiteral("/dev/x1"), host::DriveType::Fixed},
        {QStringLiteral("/dev/sr0"), QStringLiteral("/dev/sr0"), host::DriveType::CdRom},
        {QStringLiteral("/dev/sdz1"), QStringLiteral("/dev/sdz1"), host::DriveType::Removable},
        {QStringLiteral("/dev/ram0"), QStringLiteral("/dev/ram0"), host::DriveType::RamDisk},
        {QStringLiteral("/net"), QString(), host::DriveType::Remote},
        {QStringLiteral("/x"), QString(), host::DriveType::Unknown},
        {QStringLiteral("/y"), QString(), host::DriveType::NoRootDir},
        // A fixed drive whose sizes cannot be had: both read -1.
        {QStringLiteral("/no/such/root"), QString(), host::DriveType::Fixed},
    };
    QStringList lines;
    AddDriveInfo(drives, lines);

    ASSERT_EQ(lines.size(), 2 + drives.size());
    EXPECT_EQ(lines[0], QStringLiteral("Drive Information:"));
    ExpectMatches(lines[1], (QRegularExpression::escape(mounted.path()) +
                             QStringLiteral(", Fixed Drive, Total Disk Spaces: ") + total +
                             QStringLiteral(" bytes, Free Disk Spaces: [\\d,]+ bytes\\.$"))
                                .toLatin1()
                                .constData());
    EXPECT_EQ(lines.mid(2, 6), (QStringList{QStringLiteral("/dev/sr0, CD-ROM Drive"),
                                            QStringLiteral("/dev/sdz1, Removable Drive"),
                                            QStringLiteral("/dev/ram0, RAM Disk"),
                                            QStringLiteral("/net, Remote Network Drive"),
                                            QStringLiteral("/x, Unknown Drive Type"),
                                            QStringLiteral("/y, Invalid Root Path")}));
    EXPECT_EQ(lines[8], QStringLiteral("/no/such/root, Fixed Drive, Total Disk Spaces: -1 bytes, "
                                       "Free Disk Spaces: -1 bytes."));
    EXPECT_EQ(lines[9], kSeparator);
}

} // namespace
