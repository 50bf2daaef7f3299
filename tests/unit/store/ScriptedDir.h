#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/InstallDir.h"

namespace orvane::test {

// A real installation directory with faults on request and a count of the
// files opened, to test what the store does when the disk lets it down.
class ScriptedDir : public InstallDir {
public:
    explicit ScriptedDir(InstallDir& real) : real_(real) {}

    std::set<std::string> unreadable;               // openRead gives nullptr
    std::optional<std::uint64_t> failWritesAfter;   // bytes written in all
    bool failReplace = false;
    std::map<std::string, int> readOpens;
    std::map<std::string, int> writeOpens;

    bool exists(const std::string& name) override { return real_.exists(name); }
    bool isFolder(const std::string& name) override { return real_.isFolder(name); }
    std::optional<std::uint64_t> fileSize(const std::string& name) override { return real_.fileSize(name); }
    std::vector<DirEntry> list(const std::string& pattern) override { return real_.list(pattern); }
    bool rename(const std::string& from, const std::string& to) override { return real_.rename(from, to); }
    bool replace(const std::string& from, const std::string& to) override {
        return !failReplace && real_.replace(from, to);
    }
    bool copyFile(const std::string& from, const std::string& to) override { return real_.copyFile(from, to); }
    bool deleteFile(const std::string& name) override { return real_.deleteFile(name); }
    bool makeFolder(const std::string& name) override { return real_.makeFolder(name); }
    bool removeFolder(const std::string& name) override { return real_.removeFolder(name); }
    std::unique_ptr<ReadStream> openRead(const std::string& name) override;
    std::unique_ptr<WriteStream> openWrite(const std::string& name, OpenForWrite mode) override;
    std::string path() const override { return real_.path(); }

private:
    InstallDir& real_;
    std::uint64_t written_ = 0;
};

}  // namespace orvane::test
