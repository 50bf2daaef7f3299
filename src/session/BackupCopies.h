#pragma once

#include <set>
#include <string>
#include <vector>

#include "platform/InstallDir.h"

namespace orvane {

// Copies into a backup folder, overwriting, and notes every file that
// could not be copied whole.
class BackupCopies {
public:
    explicit BackupCopies(InstallDir& dir) : dir_(dir) {}

    // An entry of the installation directory that no pattern copies.
    void leaveOut(const std::string& name) { leftOut_.insert(name); }

    // Every file matching the pattern into the target folder (a name
    // ending in "\"). Matching folders are passed over.
    void copyMatchingFiles(const std::string& pattern, const std::string& target);
    // Every folder matching the pattern is made again in the target folder
    // with the files directly inside it; its subfolders are left out.
    void copyMatchingFolders(const std::string& pattern, const std::string& target);
    // A copy counts only when it has the size of its source.
    void copyFile(const std::string& from, const std::string& to);

    const std::vector<std::string>& failed() const { return failed_; }
    void noteFailed(const std::string& name) { failed_.push_back(name); }

private:
    bool isLeftOut(const std::string& name) const;

    InstallDir& dir_;
    std::set<std::string> leftOut_;
    std::vector<std::string> failed_;
};

}  // namespace orvane
