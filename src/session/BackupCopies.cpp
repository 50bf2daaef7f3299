#include "session/BackupCopies.h"

#include "store/BestEffort.h"

namespace orvane {

namespace {

// The folder part of a pattern, with its "\", or "" for the root.
std::string folderOf(const std::string& pattern) {
    const std::size_t slash = pattern.rfind('\\');
    return slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
}

}  // namespace

void BackupCopies::copyMatchingFiles(const std::string& pattern, const std::string& target) {
    const std::string folder = folderOf(pattern);
    for (const DirEntry& entry : dir_.list(pattern)) {
        if (!entry.isFolder) copyFile(folder + entry.name, target + entry.name);
    }
}

void BackupCopies::copyMatchingFolders(const std::string& pattern, const std::string& target) {
    for (const DirEntry& entry : dir_.list(pattern)) {
        if (!entry.isFolder) continue;
        // A folder left from an earlier run in the same second is reused;
        // one that cannot be made shows as the files that fail to copy.
        BestEffort(dir_).makeFolder(target + entry.name);
        copyMatchingFiles(entry.name + "\\*.*", target + entry.name + "\\");
    }
}

void BackupCopies::copyFile(const std::string& from, const std::string& to) {
    if (!dir_.copyFile(from, to)) noteFailed(from);
}

}  // namespace orvane
