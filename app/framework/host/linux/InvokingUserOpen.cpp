// Under pkexec the program is root, but links, the help page and a
// downloaded installer belong to the user who started it: they are opened by
// the desktop's opener in a child that has become that user, never by a
// browser running as root.
#include "host/HostQueries.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <QtGlobal>

#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

extern char** environ;

namespace host {
namespace {

struct InvokingUser {
    uid_t uid = 0;
    gid_t gid = 0;
    QByteArray name;
    QByteArray home;
    QByteArray shell;
    std::vector<gid_t> groups;
};

std::optional<InvokingUser> LookUpUser(uid_t uid) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return std::nullopt;
    InvokingUser user{uid, entry.pw_gid, entry.pw_name, entry.pw_dir, entry.pw_shell, {}};
    int count = 64;
    user.groups.resize(count);
    while (::getgrouplist(entry.pw_name, entry.pw_gid, user.groups.data(), &count) < 0)
        user.groups.resize(count);
    user.groups.resize(count);
    return user;
}

bool IsOwnedFolder(const QByteArray& path, uid_t uid) {
    const QFileInfo info(QString::fromLocal8Bit(path));
    return info.isDir() && info.ownerId() == uid;
}

// The environment the opener sees: the program's own (display, locale,
// desktop), with the user's identity and home in place of root's, and the
// user's session bus where root had none.
std::vector<QByteArray> UserEnvironment(const InvokingUser& user) {
    static const QByteArrayList replaced = {"HOME", "USER", "LOGNAME", "SHELL", "PKEXEC_UID"};
    std::vector<QByteArray> environment;
    for (char** entry = environ; *entry != nullptr; ++entry) {
        const QByteArray text(*entry);
        if (!replaced.contains(text.left(text.indexOf('='))))
            environment.push_back(text);
    }
    environment.push_back("HOME=" + user.home);
    environment.push_back("USER=" + user.name);
    environment.push_back("LOGNAME=" + user.name);
    environment.push_back("SHELL=" + user.shell);
    QByteArray runtimeFolder = qgetenv("XDG_RUNTIME_DIR");
    if (runtimeFolder.isEmpty()) {
        runtimeFolder = "/run/user/" + QByteArray::number(user.uid);
        if (IsOwnedFolder(runtimeFolder, user.uid))
            environment.push_back("XDG_RUNTIME_DIR=" + runtimeFolder);
    }
    if (!qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS") &&
        QFileInfo::exists(QString::fromLocal8Bit(runtimeFolder + "/bus")))
        environment.push_back("DBUS_SESSION_BUS_ADDRESS=unix:path=" + runtimeFolder + "/bus");
    return environment;
}

std::vector<char*> Pointers(std::vector<QByteArray>& texts) {
    std::vector<char*> pointers;
    for (QByteArray& text : texts)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Runs in the forked child, so only async-signal-safe calls: drop to the
// user for good, leave root's descriptors behind (an open disk among them),
// then run the opener.
[[noreturn]] void ExecAsUser(const InvokingUser& user, char* const* arguments,
                             char* const* environment) {
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::signal(SIGPIPE, SIG_DFL);
    if (::setgroups(user.groups.size(), user.groups.data()) != 0 || ::setgid(user.gid) != 0 ||
        ::setuid(user.uid) != 0 || ::setuid(0) == 0 || ::close_range(3, ~0U, 0) != 0)
        ::_exit(127);
    if (::chdir(user.home.constData()) != 0 && ::chdir("/") != 0)
        ::_exit(127);
    ::execve(arguments[0], arguments, environment);
    ::_exit(127);
}

// Two forks: the opener belongs to no one here, so it leaves no zombie and
// may run as long as it likes.
void StartAsUser(const InvokingUser& user, const QString& opener, const QUrl& target) {
    std::vector<QByteArray> argumentTexts = {QFile::encodeName(opener),
                                             target.toEncoded(QUrl::FullyEncoded)};
    std::vector<QByteArray> environmentTexts = UserEnvironment(user);
    const std::vector<char*> arguments = Pointers(argumentTexts);
    const std::vector<char*> environment = Pointers(environmentTexts);
    const pid_t child = ::fork();
    if (child < 0) {
        qWarning("Cannot start %s: %s", qPrintable(opener), qPrintable(qt_error_string(errno)));
        return;
    }
    if (child == 0) {
        ::setsid();
        if (::fork() == 0)
            ExecAsUser(user, arguments.data(), environment.data());
        ::_exit(0);
    }
    while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
}

} // namespace

bool OpenForInvokingUser(const QUrl& target) {
    if (::geteuid() != 0 || !qEnvironmentVariableIsSet("PKEXEC_UID"))
        return false;
    bool isNumber = false;
    const uint uid = qEnvironmentVariable("PKEXEC_UID").toUInt(&isNumber);
    if (isNumber && uid == 0)
        return false;
    const std::optional<InvokingUser> user =
        isNumber ? LookUpUser(static_cast<uid_t>(uid)) : std::nullopt;
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!user)
        qWarning("Not opening %s: the invoking user is unknown", qPrintable(target.toString()));
    else if (opener.isEmpty())
        qWarning("Not opening %s: xdg-open is missing", qPrintable(target.toString()));
    else
        StartAsUser(*user, opener, target);
    return true;
}

} // namespace host
