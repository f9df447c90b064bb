// The update check: what it shows for the information a server gives, and
// that every fault of the server ends it silently, leaving nothing behind.
#include "IniFile.h"
#include "UpdateFixture.h"

#include <QElapsedTimer>
#include <QStringEncoder>
#include <QTemporaryFile>
#include <QTest>

using namespace updatetest;

namespace {

const QString kWhatsNewText = QStringLiteral("Größere Abbilder – schneller\nÄnderungen: ★ \"neu\"");

QByteArray InfoFile(const QString& newVersion, const QString& whatsNewUrl = {}) {
    QString text = "[update]\r\nnewversion=" + newVersion + "\r\n";
    if (!whatsNewUrl.isEmpty())
        text += "[whatsnew]\r\nfile=" + whatsNewUrl + "\r\n";
    return text.toUtf8();
}

QByteArray Encoded(const QString& text, QStringConverter::Encoding encoding, bool withMark) {
    QStringEncoder encoder(encoding, withMark ? QStringConverter::Flag::WriteBom
                                              : QStringConverter::Flag::Default);
    return encoder.encode(text);
}

} // namespace

struct WhatsNewCase {
    const char* name;
    QStringConverter::Encoding encoding;
    bool withMark;
};

class WhatsNewEncoding : public UpdateTest, public ::testing::WithParamInterface<WhatsNewCase> {};

TEST_P(WhatsNewEncoding, NewerVersionShowsItsNumberAndTheText) {
    server.Serve("/whatsnew.txt",
                 {Answer::Whole, Encoded(kWhatsNewText, GetParam().encoding, GetParam().withMark)});
    server.Serve("/vorlik.inf",
                 {Answer::Whole, InfoFile("2,0,0,0", server.Url("/whatsnew.txt").toString())});

    RunCheck("/vorlik.inf");

    EXPECT_EQ(messages.windows, (QStringList{"CheckUpdateForm", "NewVersionForm"}));
    EXPECT_EQ(messages.newVersionPrompt,
              "<B>A new version(2.0.0.0) is available. Please find the what's new information "
              "below:</B>");
    EXPECT_EQ(messages.whatsNew, kWhatsNewText);
    EXPECT_TRUE(messages.shown.isEmpty()) << "declining the upgrade shows nothing more";
    EXPECT_EQ(server.requests, (QStringList{"/vorlik.inf", "/whatsnew.txt"}));
    EXPECT_TRUE(TempEntries().isEmpty()) << TempEntries().join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Texts, WhatsNewEncoding,
    ::testing::Values(WhatsNewCase{"Utf8WithMark", QStringConverter::Utf8, true},
                      WhatsNewCase{"Utf16LittleEndianWithMark", QStringConverter::Utf16LE, true},
                      WhatsNewCase{"Utf16BigEndianWithMark", QStringConverter::Utf16BE, true},
                      WhatsNewCase{"SystemEncodingWithoutMark", QStringConverter::System, false}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(UpdateTest, MissingWhatsNewSaysThereIsNone) {
    server.Serve("/empty.txt", {Answer::Whole, QByteArray()});
    server.Serve("/cut.txt", {Answer::Truncated, "half of this text goes missing"});
    const QStringList sources = {QString(), server.Url("/empty.txt").toString(),
                                 server.Url("/absent.txt").toString(),
                                 server.Url("/cut.txt").toString()};
    for (const QString& source : sources) {
        SCOPED_TRACE(source.toStdString());
        server.Serve("/vorlik.inf", {Answer::Whole, InfoFile("1.0.0.1", source)});
        messages.whatsNew.clear();

        RunCheck("/vorlik.inf");

        EXPECT_EQ(messages.newVersionPrompt,
                  "<B>A new version(1.0.0.1) is available. Please find the what's new "
                  "information below:</B>");
        EXPECT_EQ(messages.whatsNew, "Sorry but no what's new information available!");
        EXPECT_TRUE(TempEntries().isEmpty()) << TempEntries().join(' ').toStdString();
    }
}

TEST_F(UpdateTest, VersionFromTheNetworkIsShownAsText) {
    server.Serve("/vorlik.inf", {Answer::Whole, InfoFile("3,1 <a href='x'>x</a>")});
    RunCheck("/vorlik.inf");
    EXPECT_EQ(messages.newVersionPrompt,
              "<B>A new version(3.1 &lt;a href='x'&gt;x&lt;/a&gt;) is available. Please "
              "find the what's new information below:</B>");
}

TEST_F(UpdateTest, NothingIsShownWithoutANewerVersion) {
    // The program runs as version 1.0.0.0.
    const char* versions[] = {"1.0.0.0", "1,0", "0.9.9.9", "", "abc", "0.0.0.0", "65536"};
    for (const char* version : versions) {
        SCOPED_TRACE(version);
        server.Serve("/vorlik.inf", {Answer::Whole, InfoFile(version)});
        RunCheck("/vorlik.inf");
    }
    server.Serve("/vorlik.inf", {Answer::Whole, "[other]\nnewversion=9.0\n"});
    RunCheck("/vorlik.inf");

    EXPECT_FALSE(messages.windows.contains("NewVersionForm"))
        << messages.windows.join(' ').toStdString();
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_EQ(server.requests.size(), 8);
    EXPECT_TRUE(TempEntries().isEmpty());
}

TEST_F(UpdateTest, ProgramWithoutVersionNeverSeesANewerOne) {
    server.Serve("/vorlik.inf", {Answer::Whole, InfoFile("99.0.0.0")});
    TCheckUpdateForm form(nullptr, messages, server.Url("/vorlik.inf"));
    QTemporaryFile unversioned;
    ASSERT_TRUE(unversioned.open());
    form.WebUpdate()->SetProgramFile(unversioned.fileName());
    messages.ShowModal(&form);

    EXPECT_EQ(server.requests, QStringList{"/vorlik.inf"});
    EXPECT_EQ(messages.windows, QStringList{"CheckUpdateForm"});
}

// Each way a server can fail the information file: the check window closes
// by itself, nothing is shown, and no temporary file stays.
struct FaultCase {
    const char* name;
    Answer answer;
    bool untrusted = false;
};

class InformationFault : public UpdateTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(InformationFault, EndsTheCheckSilently) {
    TestHttpsServer stranger(UntrustedCertificate());
    ASSERT_TRUE(stranger.Listen());
    TestHttpsServer& used = GetParam().untrusted ? stranger : server;
    used.Serve("/vorlik.inf", GetParam().answer);

    TCheckUpdateForm form(nullptr, messages, used.Url("/vorlik.inf"));
    form.WebUpdate()->SetTimeout(400);
    messages.ShowModal(&form);

    EXPECT_EQ(form.result(), TCheckUpdateForm::kModalClose);
    EXPECT_EQ(messages.windows, QStringList{"CheckUpdateForm"});
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(TempEntries().isEmpty()) << TempEntries().join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Server, InformationFault,
    ::testing::Values(
        FaultCase{"UntrustedCertificate", {Answer::Whole, InfoFile("9.0.0.0")}, true},
        FaultCase{
            "TruncatedBody", {Answer::Truncated, InfoFile("9.0.0.0") + QByteArray(64, ' ')}, false},
        FaultCase{"ConnectionReset", {Answer::Reset}, false},
        FaultCase{"RedirectToPlainHttp", {Answer::RedirectToHttp}, false},
        FaultCase{"NotFound", {Answer::Whole, InfoFile("9.0.0.0"), 404}, false},
        FaultCase{"ServerError", {Answer::Whole, InfoFile("9.0.0.0"), 500}, false},
        FaultCase{"SilentPastTheTimeout", {Answer::Silent}, false},
        FaultCase{
            "HeldBackPastTheTimeout", {Answer::HeldBack, InfoFile("9.0.0.0"), 200, 10}, false},
        FaultCase{
            "Oversized", {Answer::Whole, InfoFile("9.0.0.0") + QByteArray(2 << 20, ';')}, false},
        FaultCase{"BinaryGarbage",
                  {Answer::Whole, QByteArray("\x00\xff\xfe[update\x00]=\x01", 14)},
                  false}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(UpdateTest, ClosingTheWindowCancelsASlowCheck) {
    server.Serve("/vorlik.inf", {Answer::Silent});
    TCheckUpdateForm form(nullptr, messages, server.Url("/vorlik.inf"));
    messages.onModal = [&](QDialog* dialog) {
        auto* close = dialog->findChild<QPushButton*>("btnClose");
        // Closed once the request is on its way, long before the 30 s pass.
        auto* poll = new QTimer(dialog);
        QObject::connect(poll, &QTimer::timeout, dialog, [this, close, poll] {
            if (!server.requests.isEmpty()) {
                poll->stop();
                close->click();
            }
        });
        poll->start(10);
    };
    QElapsedTimer clock;
    clock.start();
    messages.ShowModal(&form);

    EXPECT_LT(clock.elapsed(), TWebUpdate::kDefaultTimeoutMsecs);
    EXPECT_EQ(form.WebUpdate()->Timeout(), TWebUpdate::kDefaultTimeoutMsecs);
    EXPECT_EQ(form.result(), TCheckUpdateForm::kModalClose);
    EXPECT_EQ(messages.windows, QStringList{"CheckUpdateForm"});
    QTest::qWait(50);
    EXPECT_TRUE(messages.shown.isEmpty());
    EXPECT_TRUE(TempEntries().isEmpty());
}

TEST_F(UpdateTest, WindowShowsTheWaitTextWhileChecking) {
    server.Serve("/vorlik.inf", {Answer::Whole, InfoFile("1.0.0.0")});
    TCheckUpdateForm form(nullptr, messages, server.Url("/vorlik.inf"));
    QString shownText;
    bool visible = false;
    messages.onModal = [&](QDialog* dialog) {
        QTimer::singleShot(0, dialog, [&, dialog] {
            shownText = dialog->findChild<QLabel*>("labMsg")->text();
            visible = dialog->isVisible();
        });
    };
    messages.ShowModal(&form);
    EXPECT_TRUE(visible);
    EXPECT_EQ(shownText, "Check for product updates. Please wait ...");
    EXPECT_EQ(form.windowTitle(), "Check for Update...");
    EXPECT_FALSE(form.isVisible());
}

struct VersionCase {
    const char* text;
    uint64_t expected;
};

TEST(ParseVersion, ReadsUpToFourSixteenBitFields) {
    const VersionCase cases[] = {{"2,0,0,0", 0x0002'0000'0000'0000},
                                 {"1.2", 0x0001'0002'0000'0000},
                                 {"1.2.3.4.5", 0x0001'0002'0003'0004},
                                 {"65536", 0},
                                 {"65537.1", 0x0001'0001'0000'0000},
                                 {"1..2", 0x0001'0002'0000'0000},
                                 {" 3, 4", 0x0003'0004'0000'0000},
                                 {"1.x.3", 0x0001'0000'0003'0000},
                                 {"", 0},
                                 {"abc", 0},
                                 {"65535.65535.65535.65535", 0xFFFF'FFFF'FFFF'FFFF},
                                 {"99999999999", 0}};
    for (const VersionCase& c : cases)
        EXPECT_EQ(TWebUpdate::ParseVersion(c.text), c.expected) << c.text;
}

TEST(ParseVersion, RunningProgramHasItsBuiltVersion) {
    EXPECT_EQ(TWebUpdate::GetFileVersion(QCoreApplication::applicationFilePath()),
              TWebUpdate::ParseVersion(TOLVANE_EXPECTED_VERSION));
    EXPECT_EQ(TWebUpdate::GetFileVersion(QDir::temp().filePath("no-such-program")), 0u);
}

TEST(IniFile, ReadsAsTheSystemProfileFunctionsDo) {
    const TIniFile ini =
        TIniFile::FromText("; comment\n[Update]\nNewVersion = 2,0,0,0 \nfile=https://h/a?b=c;d\n"
                           "newversion=3.0\n[whatsnew]\r\nfile=\r\n");
    EXPECT_EQ(ini.ReadString("update", "newversion"), "2,0,0,0");
    EXPECT_EQ(ini.ReadString("UPDATE", "FILE"), "https://h/a?b=c;d");
    EXPECT_EQ(ini.ReadString("whatsnew", "file"), "");
    EXPECT_EQ(ini.ReadString("whatsnew", "missing", "default"), "default");
    EXPECT_EQ(ini.ReadString("nowhere", "file"), "");
}
