#include "ScriptedDir.h"

#include <exception>

#include "platform/FileError.h"

namespace orvane::test {

namespace {

// Counts each call as a step of the directory, throwing FileError for the one that fails.
class StepCounter {
protected:
    StepCounter(std::string name, ScriptedDir& dir) : name_(std::move(name)), dir_(dir) {}
    void step() {
        if (!dir_.step()) throw FileError(name_, "scripted failure");
    }

private:
    std::string name_;
    ScriptedDir& dir_;
};

class CountingReadStream : public ReadStream, StepCounter {
public:
    CountingReadStream(std::unique_ptr<ReadStream> real, std::string name, ScriptedDir& dir)
        : StepCounter(std::move(name), dir), real_(std::move(real)) {}

    std::size_t read(void* buffer, std::size_t count) override { return step(), real_->read(buffer, count); }
    void seek(std::uint64_t offset) override { step(), real_->seek(offset); }
    std::uint64_t size() override { return real_->size(); }

private:
    std::unique_ptr<ReadStream> real_;
};

class CountingWriteStream : public WriteStream, StepCounter {
public:
    CountingWriteStream(std::unique_ptr<WriteStream> real, std::string name, ScriptedDir& dir)
        : StepCounter(std::move(name), dir), real_(std::move(real)) {}

    void write(const void* data, std::size_t count) override { step(), real_->write(data, count); }
    void seek(std::uint64_t offset) override { step(), real_->seek(offset); }
    void seekToEnd() override { step(), real_->seekToEnd(); }
    std::uint64_t size() override { return real_->size(); }
    void flushToDisk() override { step(), real_->flushToDisk(); }

private:
    std::unique_ptr<WriteStream> real_;
};

}  // namespace

bool ScriptedDir::step() {
    if (crashed_) return false;
    ++operations_;
    if (!fault || operations_ != fault->at) return true;
    if (fault->mode == FaultMode::Fail) return false;
    crashed_ = true;
    // Dying inside a destructor that cleans up after an error: nothing more
    // reaches the disk, and the error already on its way ends the operation.
    if (std::uncaught_exceptions() > 0) return false;
    throw SimulatedCrash{};
}

std::unique_ptr<ReadStream> ScriptedDir::openRead(const std::string& name) {
    if (!step()) return nullptr;
    auto real = real_.openRead(name);
    if (!real) return nullptr;
    return std::make_unique<CountingReadStream>(std::move(real), name, *this);
}

std::unique_ptr<WriteStream> ScriptedDir::openWrite(const std::string& name, OpenForWrite mode) {
    if (!step()) throw FileError(name, "scripted failure");
    return std::make_unique<CountingWriteStream>(real_.openWrite(name, mode), name, *this);
}

}  // namespace orvane::test
