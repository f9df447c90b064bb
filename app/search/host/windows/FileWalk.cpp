// The walk on Windows: folders are listed with FindFirstFileExW in large
// fetches, which bring each entry's size, attributes and times with it.
// A folder is known by its volume serial number and file index; reparse
// points to folders (links, junctions, mounted volumes) are not followed.
#include "host/FileWalk.h"

#include <windows.h>

#include <set>
#include <tuple>

namespace host {
namespace {

// 100-nanosecond intervals between 1601-01-01 and 1970-01-01.
constexpr int64_t kUnixEpochInFileTime = 116444736000000000LL;

std::wstring Wide(const std::string& utf8) {
    const int length =
        ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(),
                          length);
    return wide;
}

std::string Utf8(const wchar_t* wide) {
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(length > 0 ? length - 1 : 0), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

std::chrono::system_clock::time_point TimeOf(const FILETIME& time) {
    const int64_t ticks = (static_cast<int64_t>(time.dwHighDateTime) << 32 | time.dwLowDateTime) -
                          kUnixEpochInFileTime;
    return std::chrono::system_clock::time_point(
        std::chrono::duration_cast<std::chrono::system_clock::duration>(
            std::chrono::nanoseconds(ticks * 100)));
}

// "C:\" stays; "C:\a\" becomes "C:\a".
std::string WithoutTrailingDelimiters(std::string path) {
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/'))
        path.pop_back();
    return path;
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/'))
        return folder + name;
    return folder + '\\' + name;
}

using FolderId = std::tuple<DWORD, DWORD, DWORD>; // volume, file index high, low

class Walker {
  public:
    Walker(const WalkRequest& request, WalkListener& listener)
        : m_request(request), m_listener(listener) {}

    bool Run() {
        for (const std::string& root : m_request.roots) {
            std::vector<std::string> pending{WithoutTrailingDelimiters(root)};
            while (!pending.empty()) {
                if (m_listener.StopRequested())
                    return false;
                const std::string folder = std::move(pending.back());
                pending.pop_back();
                std::vector<std::string> subfolders;
                if (FirstVisit(folder))
                    ReadFolder(folder, subfolders);
                // Walked depth first, in listing order.
                pending.insert(pending.end(), subfolders.rbegin(), subfolders.rend());
            }
        }
        return !m_listener.StopRequested();
    }

  private:
    bool FirstVisit(const std::string& folder) {
        const HANDLE handle =
            ::CreateFileW(Wide(folder).c_str(), FILE_READ_ATTRIBUTES,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        BY_HANDLE_FILE_INFORMATION info{};
        const bool known = ::GetFileInformationByHandle(handle, &info) != 0;
        ::CloseHandle(handle);
        return known && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
               m_folders
                   .insert({info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow})
                   .second;
    }

    void ReadFolder(const std::string& folder, std::vector<std::string>& subfolders) {
        WIN32_FIND_DATAW data{};
        const HANDLE find =
            ::FindFirstFileExW(Wide(JoinPath(folder, "*")).c_str(), FindExInfoBasic, &data,
                               FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
        if (find == INVALID_HANDLE_VALUE)
            return;
        m_listener.FolderEntered(folder);
        do {
            const std::wstring_view name(data.cFileName);
            if (name == L"." || name == L"..")
                continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                if (m_request.recurse && !(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                    subfolders.push_back(JoinPath(folder, Utf8(data.cFileName)));
            } else {
                std::string utf8Name = Utf8(data.cFileName);
                if (m_request.mask.Matches(utf8Name))
                    Report(folder, std::move(utf8Name), data);
            }
        } while (!m_listener.StopRequested() && ::FindNextFileW(find, &data));
        ::FindClose(find);
    }

    void Report(const std::string& folder, std::string name, const WIN32_FIND_DATAW& data) {
        WalkedFile file;
        file.directory = folder;
        file.name = std::move(name);
        file.size = static_cast<int64_t>(static_cast<uint64_t>(data.nFileSizeHigh) << 32 |
                                         data.nFileSizeLow);
        file.attributes =
            data.dwFileAttributes & (kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive);
        file.created = TimeOf(data.ftCreationTime);
        file.accessed = TimeOf(data.ftLastAccessTime);
        file.modified = TimeOf(data.ftLastWriteTime);
        m_listener.FileFound(std::move(file));
    }

    const WalkRequest& m_request;
    WalkListener& m_listener;
    std::set<FolderId> m_folders;
};

} // namespace

bool WalkFolders(const WalkRequest& request, WalkListener& listener) {
    return Walker(request, listener).Run();
}

} // namespace host
