#include "ScriptedDir.h"

#include <exception>

#include "platform/FileError.h"

namespace orvane::test {

namespace {

template <typename Stream>
struct Counting : Stream {
    Counting(std::unique_ptr<Stream> real, std::string name, ScriptedDir& dir) : real(std::move(real)), name(std::move(name)), dir(dir) {}
    void step() {
        if (!dir.step()) throw FileError(name, "scripted failure");
    }
    std::uint64_t size() override { return real->size(); }
    std::unique_ptr<Stream> real;
    std::string name;
    ScriptedDir& dir;
};

struct CountingReadStream : Counting<ReadStream> {
    using Counting::Counting;
    std::size_t read(void* buffer, std::size_t count) override { return step(), real->read(buffer, count); }
    void seek(std::uint64_t offset) override { step(), real->seek(offset); }
};

struct CountingWriteStream : Counting<WriteStream> {
    using Counting::Counting;
    void write(const void* data, std::size_t count) override { step(), real->write(data, count); }
    void seek(std::uint64_t offset) override { step(), real->seek(offset); }
    void seekToEnd() override { step(), real->seekToEnd(); }
    void flushToDisk() override { step(), real->flushToDisk(); }
};

}  // namespace

bool ScriptedDir::step() {
    if (crashed_) return false;  // so that destructors unwinding after a crash change nothing
    if (++operations_ != (fault ? fault->at : 0)) return true;
    if (fault->mode == FaultMode::Fail) return false;
    crashed_ = true;
    // Dying in a destructor cleaning up after an error: that error ends the operation.
    if (std::uncaught_exceptions() > 0) return false;
    throw SimulatedCrash{};
}

bool ScriptedDir::copyFile(const std::string& from, const std::string& to) {
    if (step()) return real_.copyFile(from, to);
    const auto source = crashed_ ? nullptr : real_.openRead(from);
    char start = 0;
    try {
        if (source && source->read(&start, 1) == 1) real_.openWrite(to, OpenForWrite::CreateOrTruncate)->write(&start, 1);
    } catch (const FileError&) {  // nowhere to write: the copy failed at once
    }
    return false;
}

std::unique_ptr<ReadStream> ScriptedDir::openRead(const std::string& name) {
    if (!step()) return nullptr;
    auto real = real_.openRead(name);
    return real ? std::make_unique<CountingReadStream>(std::move(real), name, *this) : nullptr;
}

std::unique_ptr<WriteStream> ScriptedDir::openWrite(const std::string& name, OpenForWrite mode) {
    if (!step()) throw FileError(name, "scripted failure");
    return std::make_unique<CountingWriteStream>(real_.openWrite(name, mode), name, *this);
}

}  // namespace orvane::test
