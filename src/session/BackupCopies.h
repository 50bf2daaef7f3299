#pragma once

#include <string>
#include <vector>

#include "platform/InstallDir.h"

namespace orvane {

// Copies into a backup folder, overwriting, and notes every file that
// could not be copied.
class BackupCopies {
public:
    explicit BackupCopies(InstallDir& dir) : dir_(dir) {}

    // Every file matching the pattern into the target folder (a name
    // ending in "\"). Matching folders are passed over.
    void copyMatchingFiles(const std::string& pattern, const std::string& target);
    // Every folder matching the pattern is made again in the target folder
    // with the files directly inside it; its subfolders are left out.
    void copyMatchingFolders(const std::string& pattern, const std::string& target);
    void copyFile(const std::string& from, const std::string& to);

    const std::vector<std::string>& failed() const { return failed_; }
    void noteFailed(const std::string& name) { failed_.push_back(name); }

private:
    InstallDir& dir_;
    std::vector<std::string> failed_;
};

}  // namespace orvane
