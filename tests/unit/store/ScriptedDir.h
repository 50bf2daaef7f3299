#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/InstallDir.h"

namespace orvane::test {

// The process dying mid-operation: derives from nothing the code under test catches.
struct SimulatedCrash {};

// Fail: the step fails (or throws FileError) and the rest go on; Crash: SimulatedCrash is thrown.
enum class FaultMode { Fail, Crash };

struct Fault {
    std::uint64_t at = 0;  // counted from 1
    FaultMode mode = FaultMode::Fail;
};

// A real installation directory failing, or dying, at a chosen step: each change or read of a
// file, each read, write, seek and flush of an open one; queries are no steps. A copy that fails
// leaves the start of the file at its target, as a full disk would.
class ScriptedDir : public InstallDir {
public:
    explicit ScriptedDir(InstallDir& real) : real_(real) {}

    std::optional<Fault> fault;
    std::uint64_t operations() const { return operations_; }
    bool step();

    bool exists(const std::string& name) override { return real_.exists(name); }
    bool isFolder(const std::string& name) override { return real_.isFolder(name); }
    std::optional<std::uint64_t> fileSize(const std::string& name) override { return real_.fileSize(name); }
    std::vector<DirEntry> list(const std::string& pattern) override { return real_.list(pattern); }
    bool rename(const std::string& from, const std::string& to) override { return step() && real_.rename(from, to); }
    bool replace(const std::string& from, const std::string& to) override { return step() && real_.replace(from, to); }
    bool copyFile(const std::string& from, const std::string& to) override;
    bool deleteFile(const std::string& name) override { return step() && real_.deleteFile(name); }
    bool makeFolder(const std::string& name) override { return step() && real_.makeFolder(name); }
    bool removeFolder(const std::string& name) override { return step() && real_.removeFolder(name); }
    std::unique_ptr<ReadStream> openRead(const std::string& name) override;
    std::unique_ptr<WriteStream> openWrite(const std::string& name, OpenForWrite mode) override;
    std::string path() const override { return real_.path(); }

private:
    InstallDir& real_;
    std::uint64_t operations_ = 0;
    bool crashed_ = false;
};

}  // namespace orvane::test
