// The walk over the file system behind the image file search: every folder
// below the start folders is entered once, and every file whose name fits
// the mask is reported with its size, attributes and times. One backend per
// OS (host/linux, host/windows) is chosen by the build.
#pragma once

#include "NameMask.h"

#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace host {

// File attributes, with the values the other platform gives them.
enum FileAttribute : uint32_t {
    kAttrReadOnly = 0x01,
    kAttrHidden = 0x02,
    kAttrSystem = 0x04,
    kAttrArchive = 0x20,
};

struct WalkedFile {
    std::string directory; // the folder as walked, without a trailing delimiter (but "/")
    std::string name;
    int64_t size = 0;
    uint32_t attributes = 0;
    std::chrono::system_clock::time_point created;
    std::chrono::system_clock::time_point accessed;
    std::chrono::system_clock::time_point modified;
};

struct WalkRequest {
    std::vector<std::string> roots; // start folders, walked in this order
    bool recurse = true;
    TNameMask mask;
    // Folders on these file systems are not entered (device numbers); the
    // start folders themselves are always walked.
    std::vector<uint64_t> skippedFileSystems;
    // The user's home folder: files owned by the system outside it carry the
    // system attribute.
    std::string homeFolder;
};

// Called on the walking thread.
class WalkListener {
  public:
    virtual ~WalkListener() = default;
    // Asked often; true ends the walk soon.
    virtual bool StopRequested() = 0;
    virtual void FolderEntered(const std::string& path) = 0;
    virtual void FileFound(WalkedFile&& file) = 0;
};

// Walks every start folder. A folder reached twice (overlapping start
// folders, bind mounts) is walked once; links to folders are not followed;
// a file reached twice (links) is reported once; folders that cannot be
// read are passed over. False when stopped before the end.
bool WalkFolders(const WalkRequest& request, WalkListener& listener);

} // namespace host
