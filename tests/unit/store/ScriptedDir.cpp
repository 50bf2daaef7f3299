#include "ScriptedDir.h"

#include <exception>

#include "platform/FileError.h"

namespace orvane::test {

namespace {

[[noreturn]] void scriptedFailure(const std::string& name) { throw FileError(name, "scripted failure"); }

class CountingReadStream : public ReadStream {
public:
    CountingReadStream(std::unique_ptr<ReadStream> real, std::string name, ScriptedDir& dir)
        : real_(std::move(real)), name_(std::move(name)), dir_(dir) {}

    std::size_t read(void* buffer, std::size_t count) override {
        if (!dir_.step()) scriptedFailure(name_);
        return real_->read(buffer, count);
    }
    void seek(std::uint64_t offset) override {
        if (!dir_.step()) scriptedFailure(name_);
        real_->seek(offset);
    }
    std::uint64_t size() override { return real_->size(); }

private:
    std::unique_ptr<ReadStream> real_;
    std::string name_;
    ScriptedDir& dir_;
};

class CountingWriteStream : public WriteStream {
public:
    CountingWriteStream(std::unique_ptr<WriteStream> real, std::string name, ScriptedDir& dir,
                        std::uint64_t& written, std::optional<std::uint64_t> limit)
        : real_(std::move(real)), name_(std::move(name)), dir_(dir), written_(written), limit_(limit) {}

    void write(const void* data, std::size_t count) override {
        if (!dir_.step()) scriptedFailure(name_);
        if (limit_ && written_ + count > *limit_) scriptedFailure(name_);
        written_ += count;
        real_->write(data, count);
    }
    void seek(std::uint64_t offset) override {
        if (!dir_.step()) scriptedFailure(name_);
        real_->seek(offset);
    }
    void seekToEnd() override {
        if (!dir_.step()) scriptedFailure(name_);
        real_->seekToEnd();
    }
    std::uint64_t size() override { return real_->size(); }
    void flushToDisk() override {
        if (!dir_.step()) scriptedFailure(name_);
        real_->flushToDisk();
    }

private:
    std::unique_ptr<WriteStream> real_;
    std::string name_;
    ScriptedDir& dir_;
    std::uint64_t& written_;
    std::optional<std::uint64_t> limit_;
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
    ++readOpens[name];
    if (!step() || unreadable.count(name)) return nullptr;
    auto real = real_.openRead(name);
    if (!real) return nullptr;
    return std::make_unique<CountingReadStream>(std::move(real), name, *this);
}

std::unique_ptr<WriteStream> ScriptedDir::openWrite(const std::string& name, OpenForWrite mode) {
    ++writeOpens[name];
    if (!step()) scriptedFailure(name);
    return std::make_unique<CountingWriteStream>(real_.openWrite(name, mode), name, *this, written_,
                                                 failWritesAfter);
}

}  // namespace orvane::test
