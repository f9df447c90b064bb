// The installer download: the byte count and the Abort button, where and
// how the file is saved, every fault of the server, and the start of the
// installer.
#include "IniFile.h"
#include "InstallerFile.h"
#include "ShellOpen.h"
#include "UpdateFixture.h"
#include "host/PrivateFolder.h"

#include <QApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTest>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <optional>

using namespace updatetest;

namespace {

const QByteArray kInstaller = QByteArray(300000, 'i') + "end of installer";

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The byte count the download window shows, or -1.
qint64 ShownCount(QDialog* dialog) {
    static const QRegularExpression count(QStringLiteral("<B>([0-9,]+) bytes downloaded</B>"));
    const auto match = count.match(dialog->findChild<QLabel*>("labMsg")->text());
    return match.hasMatch() ? match.captured(1).remove(u',').toLongLong() : -1;
}

// Calls `step` every few milliseconds while the window is up, until it
// answers true.
void WhileShown(QDialog* dialog, std::function<bool()> step) {
    auto* timer = new QTimer(dialog);
    QObject::connect(timer, &QTimer::timeout, dialog, [timer, step] {
        if (step())
            timer->stop();
    });
    timer->start(5);
}

class ShellCapture {
  public:
    explicit ShellCapture(bool opens = true) {
        SetShellOpenReportingHandler([this, opens](const QUrl& url) {
            opened << url;
            return opens;
        });
    }
    ~ShellCapture() { SetShellOpenHandler(nullptr); }
    QList<QUrl> opened;
};

} // namespace

class InstallerDownload : public UpdateTest {
  protected:
    void SetUp() override {
        UpdateTest::SetUp();
        if (IsSkipped())
            return;
        folder = QDir(CacheHome()).filePath(QCoreApplication::applicationName());
        ASSERT_EQ(QDir::cleanPath(TInstallerFile::Folder()), folder);
    }

    // Downloads from the update information's installer address.
    void Install(const QString& address, int timeoutMsecs = 5000) {
        TWebUpdate update(nullptr, messages, QUrl());
        update.SetTimeout(timeoutMsecs);
        update.DownloadAndInstall(TIniFile::FromText("[update]\nfile=" + address + "\n"));
    }
    QString Installer(const QString& url) { return server.Url(url).toString(); }
    QString Saved(const QString& name) const { return QDir(folder).filePath(name); }
    QStringList FolderEntries() const {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                      QDir::NoDotAndDotDot);
    }

    QString folder;
};

TEST_F(InstallerDownload, CountStartsAtZeroAndGrowsThenDecliningKeepsTheFile) {
    server.Serve("/setup.deb", {Answer::HeldBack, kInstaller, 200, 4096});
    QList<qint64> counts;
    messages.onModal = [&](QDialog* dialog) {
        counts << ShownCount(dialog);
        WhileShown(dialog, [&, dialog] {
            if (ShownCount(dialog) <= 0)
                return false;
            counts << ShownCount(dialog);
            server.Release();
            return true;
        });
    };
    messages.answers = {MessageService::Answer::No};
    ShellCapture shell;

    Install(Installer("/setup.deb"));

    ASSERT_EQ(counts.size(), 2);
    EXPECT_EQ(counts[0], 0);
    EXPECT_GT(counts[1], 0);
    EXPECT_LE(counts[1], kInstaller.size());
    EXPECT_EQ(messages.windows, QStringList{"DownloadForm"});
    EXPECT_EQ(messages.Texts("confirm"),
              QStringList{"Download completed successfully. Would you like to install the latest "
                          "version now?"});
    EXPECT_TRUE(messages.Texts("error").isEmpty());
    EXPECT_EQ(ReadAll(Saved("File0.deb")), kInstaller);
    EXPECT_TRUE(shell.opened.isEmpty());
}

TEST_F(InstallerDownload, WindowNamesTheAddressAndTheCount) {
    server.Serve("/setup.deb", {Answer::Whole, kInstaller});
    QString first;
    QString title;
    messages.onModal = [&](QDialog* dialog) {
        first = dialog->findChild<QLabel*>("labMsg")->text();
        title = dialog->windowTitle();
    };
    messages.answers = {MessageService::Answer::No};
    Install(Installer("/setup.deb"));
    EXPECT_EQ(title, "Download File...");
    EXPECT_EQ(first, "Download file from " + Installer("/setup.deb") +
                         " ...<BR><BR><B>0 bytes downloaded</B>");
}

TEST_F(InstallerDownload, AbortAnsweredNoLetsItFinish) {
    server.Serve("/setup.deb", {Answer::HeldBack, kInstaller, 200, 4096});
    messages.onModal = [&](QDialog* dialog) {
        WhileShown(dialog, [&, dialog] {
            if (ShownCount(dialog) <= 0)
                return false;
            dialog->findChild<QPushButton*>("btnAbort")->click();
            server.Release();
            return true;
        });
    };
    messages.answers = {MessageService::Answer::No, MessageService::Answer::No};

    Install(Installer("/setup.deb"));

    EXPECT_EQ(messages.Texts("confirm"),
              (QStringList{"Would you like to abort the download process?",
                           "Download completed successfully. Would you like to install the "
                           "latest version now?"}));
    EXPECT_TRUE(messages.Texts("error").isEmpty());
    EXPECT_EQ(ReadAll(Saved("File0.deb")), kInstaller);
}

TEST_F(InstallerDownload, AbortAnsweredYesFailsAndLeavesNoFile) {
    server.Serve("/setup.deb", {Answer::HeldBack, kInstaller, 200, 4096});
    messages.onModal = [&](QDialog* dialog) {
        WhileShown(dialog, [dialog] {
            if (ShownCount(dialog) <= 0)
                return false;
            QTest::keyClick(dialog, Qt::Key_Escape); // Esc presses Abort
            return true;
        });
    };
    messages.answers = {MessageService::Answer::Yes};

    Install(Installer("/setup.deb"));

    EXPECT_EQ(messages.Texts("confirm"),
              QStringList{"Would you like to abort the download process?"});
    EXPECT_EQ(messages.Texts("error"), QStringList{"Error: Download failed!"});
    EXPECT_TRUE(FolderEntries().isEmpty()) << FolderEntries().join(' ').toStdString();
}

TEST_F(InstallerDownload, MissingOrPlainAddressFailsWithoutTheWindow) {
    for (const QString& address :
         {QString(), QString("http://127.0.0.1:1/setup.deb"), QString("ftp://127.0.0.1/setup"),
          QString("setup.deb"), QString("file:///etc/passwd")}) {
        SCOPED_TRACE(address.toStdString());
        messages.shown.clear();
        Install(address);
        EXPECT_EQ(messages.Texts("error"), QStringList{"Error: Download failed!"});
    }
    EXPECT_TRUE(messages.windows.isEmpty());
    EXPECT_TRUE(server.requests.isEmpty());
    EXPECT_TRUE(FolderEntries().isEmpty());
}

struct DownloadFault {
    const char* name;
    Answer answer;
    bool untrusted = false;
};

class InstallerFault : public InstallerDownload,
                       public ::testing::WithParamInterface<DownloadFault> {};

TEST_P(InstallerFault, FailsAndLeavesNoPartialFile) {
    TestHttpsServer stranger(UntrustedCertificate());
    ASSERT_TRUE(stranger.Listen());
    TestHttpsServer& used = GetParam().untrusted ? stranger : server;
    used.Serve("/setup.deb", GetParam().answer);

    Install(used.Url("/setup.deb").toString(), 400);

    EXPECT_EQ(messages.windows, QStringList{"DownloadForm"});
    EXPECT_EQ(messages.Texts("error"), QStringList{"Error: Download failed!"});
    EXPECT_TRUE(messages.Texts("confirm").isEmpty());
    EXPECT_TRUE(FolderEntries().isEmpty()) << FolderEntries().join(' ').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Server, InstallerFault,
    ::testing::Values(
        DownloadFault{"UntrustedCertificate", {Answer::Whole, kInstaller}, true},
        DownloadFault{"TruncatedBody", {Answer::Truncated, kInstaller}, false},
        DownloadFault{"ConnectionReset", {Answer::Reset}, false},
        DownloadFault{"RedirectToPlainHttp", {Answer::RedirectToHttp}, false},
        DownloadFault{"NotFound", {Answer::Whole, kInstaller, 404}, false},
        DownloadFault{"SilentPastTheTimeout", {Answer::Silent}, false},
        DownloadFault{"StallsPastTheTimeout", {Answer::HeldBack, kInstaller, 200, 5000}, false}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(InstallerDownload, TakenNamesMoveOnToTheNextCounter) {
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile taken(Saved("File0.deb"));
    ASSERT_TRUE(taken.open(QIODevice::WriteOnly));
    taken.write("someone else's");
    taken.close();
    // A planted link, dangling or not, is never written through.
    const QString victim = QDir(CacheHome()).filePath("victim");
    ASSERT_TRUE(QFile::link(victim, Saved("File1.deb")));
    server.Serve("/setup.deb", {Answer::Whole, kInstaller});
    messages.answers = {MessageService::Answer::No};

    Install(Installer("/setup.deb"));

    EXPECT_TRUE(messages.Texts("error").isEmpty());
    EXPECT_EQ(ReadAll(Saved("File0.deb")), "someone else's");
    EXPECT_FALSE(QFileInfo::exists(victim));
    EXPECT_TRUE(QFileInfo(Saved("File1.deb")).isSymLink());
    EXPECT_EQ(ReadAll(Saved("File2.deb")), kInstaller);
}

TEST_F(InstallerDownload, LinkToAnExistingFileIsNotFollowed) {
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString victim = QDir(CacheHome()).filePath("victim");
    QFile file(victim);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("precious");
    file.close();
    ASSERT_TRUE(QFile::link(victim, Saved("File0")));
    server.Serve("/setup", {Answer::Whole, kInstaller});
    messages.answers = {MessageService::Answer::No};

    Install(Installer("/setup"));

    EXPECT_EQ(ReadAll(victim), "precious");
    EXPECT_EQ(ReadAll(Saved("File1")), kInstaller);
}

TEST_F(InstallerDownload, FolderIsCreatedForTheOwnerOnly) {
    server.Serve("/setup.deb", {Answer::Whole, kInstaller});
    messages.answers = {MessageService::Answer::No};
    Install(Installer("/setup.deb"));

    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &st), 0);
    EXPECT_TRUE(S_ISDIR(st.st_mode));
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(ReadAll(Saved("File0.deb")), kInstaller);
}

TEST_F(InstallerDownload, FolderOpenToOthersIsClosedFirst) {
    ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), 0777), 0);
    server.Serve("/setup.deb", {Answer::Whole, kInstaller});
    messages.answers = {MessageService::Answer::No};
    Install(Installer("/setup.deb"));

    struct stat st {};
    ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_EQ(ReadAll(Saved("File0.deb")), kInstaller);
}

TEST_F(InstallerDownload, FolderThatIsALinkIsRefused) {
    const QString elsewhere = QDir(CacheHome()).filePath("elsewhere");
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(QFile::link(elsewhere, folder));
    server.Serve("/setup.deb", {Answer::Whole, kInstaller});

    Install(Installer("/setup.deb"));

    EXPECT_EQ(messages.Texts("error"), QStringList{"Error: Download failed!"});
    EXPECT_TRUE(messages.windows.isEmpty());
    EXPECT_TRUE(QDir(elsewhere).isEmpty());
}

TEST_F(InstallerDownload, FolderOwnedBySomeoneElseIsRefused) {
    ASSERT_TRUE(QDir().mkpath(folder));
    const QByteArray path = QFile::encodeName(folder);
    if (::chown(path.constData(), ::geteuid() + 4242, static_cast<gid_t>(-1)) != 0)
        GTEST_SKIP() << "giving the folder to another user needs root";
    server.Serve("/setup.deb", {Answer::Whole, kInstaller});

    Install(Installer("/setup.deb"));

    EXPECT_EQ(messages.Texts("error"), QStringList{"Error: Download failed!"});
    EXPECT_TRUE(messages.windows.isEmpty());
    EXPECT_TRUE(FolderEntries().isEmpty());
}

TEST_F(InstallerDownload, CannotLaunchIsReportedAndTheProgramGoesOn) {
    server.Serve("/setup.deb", {Answer::Whole, kInstaller});
    ShellCapture shell(false);
    Install(Installer("/setup.deb"));

    EXPECT_EQ(shell.opened, QList<QUrl>{QUrl::fromLocalFile(Saved("File0.deb"))});
    EXPECT_EQ(messages.Texts("error"), QStringList{"Error: Cannot launch the installer!"});
}

// Run as root under pkexec, the installer is saved for the user who started
// the program: in that user's cache folder, as that user's file. The user
// is the real unprivileged "nobody" with a home of the test's own.
class InstallerForInvokingUser : public InstallerDownload {
  protected:
    void SetUp() override {
        if (::geteuid() != 0)
            GTEST_SKIP() << "saving a file for another user needs root";
        InstallerDownload::SetUp();
        if (IsSkipped())
            return;
        const passwd* nobody = ::getpwnam("nobody");
        ASSERT_NE(nobody, nullptr);
        ASSERT_TRUE(m_homes.isValid());
        user = {nobody->pw_uid, nobody->pw_gid, QString()};
        ASSERT_NO_FATAL_FAILURE(NewHome("home"));
        host::SetUserLookup(
            [this](uint uid) { return uid == user.uid ? std::optional(user) : std::nullopt; });
        m_invoker.emplace("PKEXEC_UID", QByteArray::number(user.uid));
    }
    void TearDown() override { host::SetUserLookup(nullptr); }

    // A fresh home of the user's, for the next download.
    void NewHome(const QString& name) {
        user.home = m_homes.filePath(name);
        ASSERT_TRUE(QDir().mkpath(user.home));
        ASSERT_TRUE(GiveToUser(user.home));
        userFolder = user.home + "/.cache/" + QCoreApplication::applicationName();
    }
    bool GiveToUser(const QString& path) const {
        return ::lchown(QFile::encodeName(path).constData(), user.uid, user.gid) == 0;
    }
    // A folder outside the home that the user's links may point at.
    QString Elsewhere(const QString& name) const {
        const QString path = m_homes.filePath(name);
        QDir().mkpath(path);
        return path;
    }
    static struct stat Stat(const QString& path) {
        struct stat st {};
        ::lstat(QFile::encodeName(path).constData(), &st);
        return st;
    }
    QString InUserFolder(const QString& name) const { return userFolder + u'/' + name; }
    QStringList UserFolderEntries() const {
        return QDir(userFolder)
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    void ExpectOwnedByUser(const QString& path, mode_t type) const {
        const struct stat st = Stat(path);
        EXPECT_EQ(st.st_mode & S_IFMT, type) << path.toStdString();
        EXPECT_EQ(st.st_uid, user.uid) << path.toStdString();
        EXPECT_EQ(st.st_gid, user.gid) << path.toStdString();
    }

    host::InvokingUser user;
    QString userFolder;

  private:
    QTemporaryDir m_homes;
    std::optional<ScopedEnv> m_invoker;
};

TEST_F(InstallerForInvokingUser, SavedInTheUsersCacheFolderAsTheUsersFile) {
    server.Serve("/setup.deb", {Answer::Whole, kInstaller});
    messages.answers = {MessageService::Answer::Yes};
    ShellCapture shell;

    Install(Installer("/setup.deb"));

    EXPECT_TRUE(messages.Texts("error").isEmpty());
    EXPECT_EQ(shell.opened, QList<QUrl>{QUrl::fromLocalFile(InUserFolder("File0.deb"))});
    EXPECT_EQ(ReadAll(InUserFolder("File0.deb")), kInstaller);
    ExpectOwnedByUser(InUserFolder("File0.deb"), S_IFREG);
    ExpectOwnedByUser(user.home + "/.cache", S_IFDIR);
    ExpectOwnedByUser(userFolder, S_IFDIR);
    EXPECT_EQ(Stat(userFolder).st_mode & 0777, 0700u);
    EXPECT_FALSE(QFileInfo::exists(folder)) << "root's own cache folder was used";
}

TEST_F(InstallerForInvokingUser, UsersFolderOpenToOthersIsClosedFirst) {
    ASSERT_TRUE(QDir().mkpath(userFolder));
    ASSERT_TRUE(GiveToUser(user.home + "/.cache") && GiveToUser(userFolder));
    ASSERT_EQ(::chmod(QFile::encodeName(userFolder).constData(), 0777), 0);
    server.Serve("/setup.deb", {Answer::Whole, kInstaller});
    messages.answers = {MessageService::Answer::No};

    Install(Installer("/setup.deb"));

    EXPECT_TRUE(messages.Texts("error").isEmpty());
    EXPECT_EQ(Stat(userFolder).st_mode & 0777, 0700u);
    EXPECT_EQ(ReadAll(InUserFolder("File0.deb")), kInstaller);
    ExpectOwnedByUser(InUserFolder("File0.deb"), S_IFREG);
}

// Links the user planted in the folder lead root nowhere: a link to a file
// of root's and a dangling link are both passed over.
TEST_F(InstallerForInvokingUser, PlantedLinksAreNotFollowed) {
    ASSERT_TRUE(QDir().mkpath(userFolder));
    ASSERT_TRUE(GiveToUser(user.home + "/.cache") && GiveToUser(userFolder));
    const QString victim = QDir(Elsewhere("root")).filePath("victim");
    QFile precious(victim);
    ASSERT_TRUE(precious.open(QIODevice::WriteOnly));
    precious.write("precious");
    precious.close();
    const QString created = QDir(Elsewhere("root")).filePath("created");
    ASSERT_TRUE(QFile::link(victim, InUserFolder("File0.deb")));
    ASSERT_TRUE(QFile::link(created, InUserFolder("File1.deb")));
    ASSERT_TRUE(GiveToUser(InUserFolder("File0.deb")) && GiveToUser(InUserFolder("File1.deb")));
    server.Serve("/setup.deb", {Answer::Whole, kInstaller});
    messages.answers = {MessageService::Answer::No};

    Install(Installer("/setup.deb"));

    EXPECT_TRUE(messages.Texts("error").isEmpty());
    EXPECT_EQ(ReadAll(victim), "precious");
    EXPECT_EQ(Stat(victim).st_uid, 0u);
    EXPECT_FALSE(QFileInfo::exists(created));
    EXPECT_EQ(ReadAll(InUserFolder("File2.deb")), kInstaller);
    ExpectOwnedByUser(InUserFolder("File2.deb"), S_IFREG);
}

TEST_F(InstallerForInvokingUser, FailedDownloadLeavesNothingInTheUsersFolder) {
    server.Serve("/setup.deb", {Answer::Truncated, kInstaller});

    Install(Installer("/setup.deb"), 400);

    EXPECT_EQ(messages.Texts("error"), QStringList{"Error: Download failed!"});
    EXPECT_TRUE(UserFolderEntries().isEmpty()) << UserFolderEntries().join(' ').toStdString();
}

// Whatever the user's home holds on the way, root neither writes through
// it nor falls back to a folder of its own; an invoker that cannot be
// looked up gets nothing.
TEST_F(InstallerForInvokingUser, FolderTheUserCannotOwnIsRefused) {
    const QString elsewhere = Elsewhere("elsewhere");
    struct Case {
        const char* name;
        std::function<bool()> prepare;
    };
    const std::vector<Case> cases = {
        {"CacheIsALink", [&] { return QFile::link(elsewhere, user.home + "/.cache"); }},
        {"CacheOwnedByRoot", [&] { return QDir().mkpath(user.home + "/.cache"); }},
        {"FolderIsALink",
         [&] {
             return QDir().mkpath(user.home + "/.cache") && GiveToUser(user.home + "/.cache") &&
                    QFile::link(elsewhere, userFolder);
         }},
        {"FolderOwnedByRoot",
         [&] { return QDir().mkpath(userFolder) && GiveToUser(user.home + "/.cache"); }},
        {"HomeOwnedByRoot",
         [&] { return ::lchown(QFile::encodeName(user.home).constData(), 0, 0) == 0; }},
        {"UnknownInvoker", [&] { return qputenv("PKEXEC_UID", "4242"); }},
        {"InvokerNotANumber", [&] { return qputenv("PKEXEC_UID", "nobody"); }},
    };
    server.Serve("/setup.deb", {Answer::Whole, kInstaller});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(NewHome(c.name));
        qputenv("PKEXEC_UID", QByteArray::number(user.uid));
        ASSERT_TRUE(c.prepare());
        messages.shown.clear();

        Install(Installer("/setup.deb"));

        EXPECT_EQ(messages.Texts("error"), QStringList{"Error: Download failed!"});
        EXPECT_TRUE(QDir(elsewhere).isEmpty());
        EXPECT_FALSE(QFileInfo::exists(folder)) << "root's own cache folder was used";
        EXPECT_FALSE(QFileInfo::exists(InUserFolder("File0.deb")));
    }
    EXPECT_TRUE(messages.windows.isEmpty());
    EXPECT_TRUE(server.requests.isEmpty());
}

// The whole road from the check to the installer's start, in the running
// application's event loop, which the start of the installer ends.
TEST_F(UpdateTest, AcceptedUpgradeStartsTheInstallerAndEndsTheProgram) {
    server.Serve("/setup.deb", {Answer::Whole, kInstaller});
    server.Serve("/vorlik.inf",
                 {Answer::Whole, "[update]\nnewversion=1.1\nfile=" +
                                     server.Url("/setup.deb").toString().toUtf8() + "\n"});
    messages.upgrade = true;
    ShellCapture shell;
    bool checkEnded = false;
    QTimer::singleShot(0, qApp, [&] {
        RunCheck("/vorlik.inf");
        checkEnded = true;
    });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, &QCoreApplication::quit);
    guard.start(20000);

    QApplication::exec();

    EXPECT_TRUE(guard.isActive()) << "the program was not asked to end";
    EXPECT_TRUE(checkEnded);
    const QString saved =
        QDir(CacheHome()).filePath(QCoreApplication::applicationName() + "/File0.deb");
    EXPECT_EQ(shell.opened, QList<QUrl>{QUrl::fromLocalFile(saved)});
    EXPECT_EQ(ReadAll(saved), kInstaller);
    EXPECT_EQ(messages.windows, (QStringList{"CheckUpdateForm", "NewVersionForm", "DownloadForm"}));
    EXPECT_TRUE(messages.Texts("error").isEmpty());
    EXPECT_TRUE(TempEntries().isEmpty());
}
