#pragma once

#include <string>

#include "platform/InstallDir.h"

namespace orvane {

// The file steps on pet pieces whose failure is passed over: a piece that
// was never there, or a target that is already taken, leaves that piece as
// it was and the sequence goes on. Every such step goes through here, so
// that no other failure is dropped by accident.
class BestEffort {
public:
    explicit BestEffort(InstallDir& dir) : dir_(dir) {}

    void rename(const std::string& from, const std::string& to) const;
    void copyFile(const std::string& from, const std::string& to) const;
    void deleteFile(const std::string& name) const;
    void makeFolder(const std::string& name) const;
    void removeFolder(const std::string& name) const;
    // Creates or truncates a file to no bytes.
    void createEmptyFile(const std::string& name) const;

private:
    InstallDir& dir_;
};

}  // namespace orvane
