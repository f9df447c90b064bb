#include "host/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

  private:
    int FFd;
};

} // namespace

bool MakePrivateFolder(const QString& folder) {
    const QString path = QDir::cleanPath(folder);
    const QByteArray name = QFile::encodeName(path);
    QDir().mkpath(QFileInfo(path).path());
    if (::mkdir(name.constData(), kOwnerOnly) != 0 && errno != EEXIST)
        return false;
    // Opened without following a link, then judged by what was opened.
    const Descriptor dir(::open(name.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (dir.Get() < 0 || ::fstat(dir.Get(), &st) != 0)
        return false;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    return (st.st_mode & 077) == 0 || ::fchmod(dir.Get(), kOwnerOnly) == 0;
}

} // namespace host
