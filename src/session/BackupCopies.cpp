#include "session/BackupCopies.h"

#include <algorithm>

#include "store/BestEffort.h"
#include "text/FileNameCase.h"

namespace orvane {

namespace {

// The folder part of a pattern, with its "\", or "" for the root.
std::string folderOf(const std::string& pattern) {
    const std::size_t slash = pattern.rfind('\\');
    return slash == std::string::npos ? std::string() : pattern.substr(0, slash + 1);
}

}  // namespace

bool BackupCopies::isLeftOut(const std::string& name) const {
    return std::any_of(leftOut_.begin(), leftOut_.end(),
                       [&](const std::string& out) { return text::sameFileName(name, out); });
}

void BackupCopies::copyMatchingFiles(const std::string& pattern, const std::string& target) {
    const std::string folder = folderOf(pattern);
    for (const DirEntry& entry : dir_.list(pattern)) {
        if (!entry.isFolder && !isLeftOut(folder + entry.name)) copyFile(folder + entry.name, target + entry.name);
    }
}

void BackupCopies::copyMatchingFolders(const std::string& pattern, const std::string& target) {
    for (const DirEntry& entry : dir_.list(pattern)) {
        if (!entry.isFolder || isLeftOut(entry.name)) continue;
        // A folder left from an earlier run in the same second is reused;
        // one that cannot be made shows as the files that fail to copy.
        BestEffort(dir_).makeFolder(target + entry.name);
        copyMatchingFiles(entry.name + "\\*.*", target + entry.name + "\\");
    }
}

void BackupCopies::copyFile(const std::string& from, const std::string& to) {
    if (!dir_.copyFile(from, to) || dir_.fileSize(to) != dir_.fileSize(from)) noteFailed(from);
}

}  // namespace orvane
