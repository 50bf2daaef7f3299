#include "platform/posix/FolderIndex.h"

#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/posix/FolderEntries.h"
#include "text/FileNameCase.h"

namespace orvane {

namespace {

constexpr std::uint32_t kWatchedChanges =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;

void keepFirst(std::optional<std::string>& first, std::string_view candidate) {
    if (!first || text::fileNameLess(candidate, *first)) first = std::string(candidate);
}

void addName(std::unordered_map<std::u32string, std::vector<std::string>>& index, std::string_view name) {
    auto& spellings = index[text::foldFileNameCase(name)];
    if (std::find(spellings.begin(), spellings.end(), name) == spellings.end()) spellings.emplace_back(name);
}

void removeName(std::unordered_map<std::u32string, std::vector<std::string>>& index, std::string_view name) {
    const auto found = index.find(text::foldFileNameCase(name));
    if (found == index.end()) return;
    std::erase(found->second, name);
    if (found->second.empty()) index.erase(found);
}

}  // namespace

FolderIndex::~FolderIndex() {
    if (inotify_ >= 0) ::close(inotify_);
}

std::optional<std::string> FolderIndex::find(const std::string& folder, std::string_view wanted) {
    std::optional<std::string> first;
    if (const Folder* known = watched(folder)) {
        const auto found = known->byFoldedName.find(text::foldFileNameCase(wanted));
        if (found != known->byFoldedName.end()) {
            for (const std::string& name : found->second) keepFirst(first, name);
        }
        return first;
    }
    const std::u32string folded = text::foldFileNameCase(wanted);
    forEachFolderEntry(folder, [&](std::string_view name) {
        if (text::foldFileNameCase(name) == folded) keepFirst(first, name);
    });
    return first;
}

// The current index of the folder, read now if it is not watched yet;
// nullptr when it cannot be watched.
FolderIndex::Folder* FolderIndex::watched(const std::string& folder) {
    if (!startWatching()) return nullptr;
    applyPendingChanges();
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0) return nullptr;
    const auto known = folders_.find(folder);
    if (known != folders_.end()) {
        // The path may name another folder now, after a rename above it.
        if (known->second.device == st.st_dev && known->second.inode == st.st_ino) return &known->second;
        forget(known->second.watch);
    }
    // Watch before reading, so that no change between the two is lost.
    const int watch = ::inotify_add_watch(inotify_, folder.c_str(), kWatchedChanges);
    if (watch < 0) return nullptr;
    // The same folder under a path that went stale shares the watch.
    if (const auto stale = folderOfWatch_.find(watch); stale != folderOfWatch_.end()) {
        folders_.erase(stale->second);
    }
    Folder fresh{watch, st.st_dev, st.st_ino, {}};
    if (!forEachFolderEntry(folder, [&](std::string_view name) { addName(fresh.byFoldedName, name); })) {
        ::inotify_rm_watch(inotify_, watch);
        folderOfWatch_.erase(watch);
        return nullptr;
    }
    folderOfWatch_[watch] = folder;
    return &(folders_[folder] = std::move(fresh));
}

bool FolderIndex::startWatching() {
    if (inotify_ < 0 && !inotifyFailed_) {
        inotify_ = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        inotifyFailed_ = inotify_ < 0;
    }
    return inotify_ >= 0;
}

void FolderIndex::applyPendingChanges() {
    alignas(inotify_event) char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(inotify_, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return;
        for (ssize_t offset = 0; offset < got;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
            if (event->mask & IN_Q_OVERFLOW) {
                forgetAll();
                continue;
            }
            const auto path = folderOfWatch_.find(event->wd);
            if (path == folderOfWatch_.end()) continue;
            auto& index = folders_.at(path->second).byFoldedName;
            if (event->mask & (IN_CREATE | IN_MOVED_TO)) addName(index, event->name);
            if (event->mask & (IN_DELETE | IN_MOVED_FROM)) removeName(index, event->name);
            if (event->mask & (IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT)) forget(event->wd);
        }
    }
}

void FolderIndex::forget(int watch) {
    const auto path = folderOfWatch_.find(watch);
    if (path == folderOfWatch_.end()) return;
    ::inotify_rm_watch(inotify_, watch);
    folders_.erase(path->second);
    folderOfWatch_.erase(path);
}

void FolderIndex::forgetAll() {
    while (!folderOfWatch_.empty()) forget(folderOfWatch_.begin()->first);
}

}  // namespace orvane
