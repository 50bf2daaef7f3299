#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvane {

// Finds a folder's entries without regard to letter case, as Windows does.
// Reading a folder afresh for every name that is not spelled exactly would
// make creating n files in it cost n^2; so a folder is read once and kept
// current from inotify, which reports every change to it from this process
// or any other. Where inotify is unavailable, each lookup reads the folder.
// Not thread-safe, like the InstallDir that owns it.
class FolderIndex {
public:
    FolderIndex() = default;
    ~FolderIndex();
    FolderIndex(const FolderIndex&) = delete;
    FolderIndex& operator=(const FolderIndex&) = delete;

    // The name of the folder's entry that matches wanted without regard to
    // case, the first in listing order when several do; nullopt when none
    // does or the folder cannot be read.
    std::optional<std::string> find(const std::string& folder, std::string_view wanted);

private:
    struct Folder {
        int watch = -1;
        dev_t device = 0;
        ino_t inode = 0;
        // Entry names by folded name; more than one only on a case-sensitive
        // file system that holds several spellings.
        std::unordered_map<std::u32string, std::vector<std::string>> byFoldedName;
    };

    Folder* watched(const std::string& folder);
    bool startWatching();
    void applyPendingChanges();
    void forget(int watch);
    void forgetAll();

    int inotify_ = -1;
    bool inotifyFailed_ = false;
    std::unordered_map<std::string, Folder> folders_;
    std::unordered_map<int, std::string> folderOfWatch_;
};

}  // namespace orvane
