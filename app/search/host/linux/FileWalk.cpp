// The walk on Linux: folders are read in large chunks with getdents64, whose
// entry types tell folders from files without a stat; only files whose name
// fits the mask are looked at further. Subfolders are opened relative to
// their parent's descriptor, which stays open while its subfolders are
// walked (up to a depth; deeper ones are opened by their full path).
#include "host/FileWalk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <unordered_set>

namespace host {
namespace {

constexpr size_t kMaxOpenDepth = 64;
constexpr size_t kReadBufferSize = 64 * 1024;
constexpr int kFolderOpenFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NONBLOCK;

struct FileId {
    uint64_t device;
    uint64_t inode;
    bool operator==(const FileId&) const = default;
};

struct FileIdHash {
    size_t operator()(const FileId& id) const {
        return std::hash<uint64_t>()(id.inode * 0x9E3779B97F4A7C15ull ^ id.device);
    }
};

struct Folder {
    int fd = -1; // open while its subfolders are walked, unless too deep
    std::string path;
    std::vector<std::string> subfolders;
    size_t next = 0;
};

std::string JoinPath(const std::string& folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path = folder;
    if (path.empty() || path.back() != '/')
        path += '/';
    path += name;
    return path;
}

// "/a/b//" becomes "/a/b"; "/" stays.
std::string WithoutTrailingDelimiters(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::chrono::system_clock::time_point TimeOf(const struct statx_timestamp& t) {
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec)));
}

bool IsInsideFolder(const std::string& path, const std::string& folder) {
    if (folder.empty())
        return false;
    if (folder == "/")
        return true;
    return path.compare(0, folder.size(), folder) == 0 &&
           (path.size() == folder.size() || path[folder.size()] == '/');
}

class Walker {
  public:
    Walker(const WalkRequest& request, WalkListener& listener)
        : m_request(request), m_listener(listener), m_buffer(kReadBufferSize),
          m_homeFolder(WithoutTrailingDelimiters(request.homeFolder)) {}

    ~Walker() {
        for (Folder& folder : m_stack)
            CloseFolder(folder);
    }

    bool Run() {
        for (const std::string& root : m_request.roots) {
            if (!WalkRoot(WithoutTrailingDelimiters(root)))
                return false;
        }
        return true;
    }

  private:
    bool WalkRoot(const std::string& root) {
        // The start folder itself may be a link to a folder.
        const int fd = ::open(root.c_str(), kFolderOpenFlags);
        if (fd < 0)
            return !m_listener.StopRequested();
        Enter(fd, root, true);
        while (!m_stack.empty()) {
            if (m_listener.StopRequested())
                return false;
            Folder& top = m_stack.back();
            if (top.next == top.subfolders.size()) {
                CloseFolder(top);
                m_stack.pop_back();
                continue;
            }
            const std::string& name = top.subfolders[top.next++];
            std::string path = JoinPath(top.path, name);
            const int child = top.fd >= 0
                                  ? ::openat(top.fd, name.c_str(), kFolderOpenFlags | O_NOFOLLOW)
                                  : ::open(path.c_str(), kFolderOpenFlags | O_NOFOLLOW);
            if (child >= 0)
                Enter(child, std::move(path), false);
        }
        return !m_listener.StopRequested();
    }

    // Walks the files of an opened folder once, and keeps it for its
    // subfolders if it has any.
    void Enter(int fd, std::string path, bool isRoot) {
        struct stat st {};
        if (::fstat(fd, &st) != 0 || !m_folders.insert({st.st_dev, st.st_ino}).second ||
            (!isRoot && IsSkippedFileSystem(st.st_dev))) {
            ::close(fd);
            return;
        }
        m_listener.FolderEntered(path);
        Folder folder{fd, std::move(path), {}, 0};
        ReadEntries(folder);
        if (folder.subfolders.empty()) {
            CloseFolder(folder);
            return;
        }
        if (m_stack.size() >= kMaxOpenDepth)
            CloseFolder(folder);
        m_stack.push_back(std::move(folder));
    }

    void ReadEntries(Folder& folder) {
        for (;;) {
            const ssize_t length = ::getdents64(folder.fd, m_buffer.data(), m_buffer.size());
            if (length <= 0 || m_listener.StopRequested())
                return;
            for (ssize_t offset = 0; offset < length;) {
                const auto* entry = reinterpret_cast<const struct dirent64*>(&m_buffer[offset]);
                offset += entry->d_reclen;
                HandleEntry(folder, entry->d_name, entry->d_type);
            }
        }
    }

    void HandleEntry(Folder& folder, const char* name, unsigned char type) {
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            return;
        if (type == DT_UNKNOWN)
            type = TypeOf(folder.fd, name);
        if (type == DT_DIR) {
            if (m_request.recurse)
                folder.subfolders.emplace_back(name);
        } else if ((type == DT_REG || type == DT_LNK) && m_request.mask.Matches(name)) {
            ReportFile(folder, name);
        }
    }

    static unsigned char TypeOf(int folderFd, const char* name) {
        struct stat st {};
        if (::fstatat(folderFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            return DT_UNKNOWN;
        if (S_ISDIR(st.st_mode))
            return DT_DIR;
        if (S_ISLNK(st.st_mode))
            return DT_LNK;
        return S_ISREG(st.st_mode) ? DT_REG : DT_UNKNOWN;
    }

    // A link counts as the file it leads to; links to anything but a
    // regular file, and files already reported, are passed over.
    void ReportFile(const Folder& folder, const char* name) {
        struct statx sx {};
        if (::statx(folder.fd, name, AT_STATX_SYNC_AS_STAT, STATX_BASIC_STATS | STATX_BTIME, &sx) !=
                0 ||
            !S_ISREG(sx.stx_mode) ||
            !m_files.insert({makedev(sx.stx_dev_major, sx.stx_dev_minor), sx.stx_ino}).second)
            return;
        WalkedFile file;
        file.directory = folder.path;
        file.name = name;
        file.size = static_cast<int64_t>(sx.stx_size);
        file.attributes = AttributesOf(folder, name, sx);
        file.created = TimeOf((sx.stx_mask & STATX_BTIME) ? sx.stx_btime : sx.stx_ctime);
        file.accessed = TimeOf(sx.stx_atime);
        file.modified = TimeOf(sx.stx_mtime);
        m_listener.FileFound(std::move(file));
    }

    // Read-only: nobody may write it, or this user cannot. Hidden: a name
    // beginning with ".". System: the system's own, outside the user's home.
    // Archive: every regular file.
    uint32_t AttributesOf(const Folder& folder, const char* name, const struct statx& sx) const {
        uint32_t attributes = kAttrArchive;
        if ((sx.stx_mode & 0222) == 0 || ::faccessat(folder.fd, name, W_OK, AT_EACCESS) != 0)
            attributes |= kAttrReadOnly;
        if (name[0] == '.')
            attributes |= kAttrHidden;
        if (sx.stx_uid == 0 && !IsInsideFolder(folder.path, m_homeFolder))
            attributes |= kAttrSystem;
        return attributes;
    }

    bool IsSkippedFileSystem(dev_t device) const {
        return std::find(m_request.skippedFileSystems.begin(), m_request.skippedFileSystems.end(),
                         static_cast<uint64_t>(device)) != m_request.skippedFileSystems.end();
    }

    static void CloseFolder(Folder& folder) {
        if (folder.fd >= 0)
            ::close(folder.fd);
        folder.fd = -1;
    }

    const WalkRequest& m_request;
    WalkListener& m_listener;
    std::vector<char> m_buffer;
    std::string m_homeFolder;
    std::vector<Folder> m_stack;
    std::unordered_set<FileId, FileIdHash> m_folders;
    std::unordered_set<FileId, FileIdHash> m_files;
};

} // namespace

bool WalkFolders(const WalkRequest& request, WalkListener& listener) {
    return Walker(request, listener).Run();
}

} // namespace host
