#include "host/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

#include <cerrno>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>
#include <vector>

namespace host {
namespace {

constexpr mode_t kOwnerOnly = 0700;

class Descriptor {
  public:
    explicit Descriptor(int fd) : FFd(fd) {}
    ~Descriptor() {
        if (FFd >= 0)
            ::close(FFd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return FFd; }
    int Release() { return std::exchange(FFd, -1); }

  private:
    int FFd;
};

bool IsFolderOf(int fd, uid_t owner) {
    struct stat st {};
    return fd >= 0 && ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == owner;
}

// A real folder of the owner's, closed to everyone else.
bool KeepPrivate(int fd, uid_t owner) {
    struct stat st {};
    if (!IsFolderOf(fd, owner) || ::fstat(fd, &st) != 0)
        return false;
    return (st.st_mode & 077) == 0 || ::fchmod(fd, kOwnerOnly) == 0;
}

// Opens the folder `name` in `parent`, never through a link, making it for
// the user where it is missing. A folder root made is handed to the user;
// one that was there already must be the user's own.
int OpenFolderFor(int parent, const char* name, const InvokingUser& user) {
    const bool made = ::mkdirat(parent, name, kOwnerOnly) == 0;
    if (!made && errno != EEXIST)
        return -1;
    Descriptor folder(::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (folder.Get() >= 0 && made && ::fchown(folder.Get(), user.uid, user.gid) != 0)
        return -1;
    return IsFolderOf(folder.Get(), user.uid) ? folder.Release() : -1;
}

std::optional<InvokingUser> LookUpInPasswordDatabase(uint uid) {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(uid, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return std::nullopt;
    return InvokingUser{entry.pw_uid, entry.pw_gid, QFile::decodeName(entry.pw_dir)};
}

UserLookup& Lookup() {
    static UserLookup lookup;
    return lookup;
}

} // namespace

bool MakePrivateFolder(const QString& folder) {
    const QString path = QDir::cleanPath(folder);
    const QByteArray name = QFile::encodeName(path);
    QDir().mkpath(QFileInfo(path).path());
    if (::mkdir(name.constData(), kOwnerOnly) != 0 && errno != EEXIST)
        return false;
    // Opened without following a link, then judged by what was opened.
    const Descriptor dir(::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    return KeepPrivate(dir.Get(), ::geteuid());
}

bool RunsForInvokingUser(std::optional<InvokingUser>& user) {
    user.reset();
    if (::geteuid() != 0 || !qEnvironmentVariableIsSet("PKEXEC_UID"))
        return false;
    bool isNumber = false;
    const uint uid = qEnvironmentVariable("PKEXEC_UID").toUInt(&isNumber);
    if (isNumber && uid == 0)
        return false;
    if (isNumber)
        user = Lookup() ? Lookup()(uid) : LookUpInPasswordDatabase(uid);
    return true;
}

void SetUserLookup(UserLookup lookup) {
    Lookup() = std::move(lookup);
}

UserFolder::~UserFolder() {
    if (FFd >= 0)
        ::close(FFd);
}

bool UserFolder::Open(const InvokingUser& user, const QString& program) {
    if (FFd >= 0 || user.home.isEmpty() || program.isEmpty() || program.contains(u'/'))
        return false;
    const Descriptor home(
        ::open(QFile::encodeName(user.home).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!IsFolderOf(home.Get(), user.uid))
        return false;
    const Descriptor cache(OpenFolderFor(home.Get(), ".cache", user));
    Descriptor folder(OpenFolderFor(cache.Get(), QFile::encodeName(program).constData(), user));
    if (!KeepPrivate(folder.Get(), user.uid))
        return false;
    FFd = folder.Release();
    FUser = user;
    FPath = QDir::cleanPath(user.home) + QStringLiteral("/.cache/") + program + u'/';
    return true;
}

bool UserFolder::CreateNewFile(const QString& name, QFile& file, bool& taken) {
    const QByteArray encoded = QFile::encodeName(name);
    Descriptor created(::openat(FFd, encoded.constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    taken = created.Get() < 0 && errno == EEXIST;
    if (created.Get() < 0)
        return false;
    if (::fchown(created.Get(), FUser.uid, FUser.gid) != 0 ||
        !file.open(created.Get(), QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::unlinkat(FFd, encoded.constData(), 0);
        return false;
    }
    created.Release();
    return true;
}

void UserFolder::Remove(const QString& name) {
    ::unlinkat(FFd, QFile::encodeName(name).constData(), 0);
}

} // namespace host
