#include "ScriptedDir.h"

#include "platform/FileError.h"

namespace orvane::test {

namespace {

class CountingWriteStream : public WriteStream {
public:
    CountingWriteStream(std::unique_ptr<WriteStream> real, std::string name, std::uint64_t& written,
                        std::optional<std::uint64_t> limit)
        : real_(std::move(real)), name_(std::move(name)), written_(written), limit_(limit) {}

    void write(const void* data, std::size_t count) override {
        if (limit_ && written_ + count > *limit_) throw FileError(name_, "scripted write failure");
        written_ += count;
        real_->write(data, count);
    }
    void seek(std::uint64_t offset) override { real_->seek(offset); }
    void seekToEnd() override { real_->seekToEnd(); }
    std::uint64_t size() override { return real_->size(); }
    void flushToDisk() override { real_->flushToDisk(); }

private:
    std::unique_ptr<WriteStream> real_;
    std::string name_;
    std::uint64_t& written_;
    std::optional<std::uint64_t> limit_;
};

}  // namespace

std::unique_ptr<ReadStream> ScriptedDir::openRead(const std::string& name) {
    ++readOpens[name];
    if (unreadable.count(name)) return nullptr;
    return real_.openRead(name);
}

std::unique_ptr<WriteStream> ScriptedDir::openWrite(const std::string& name, OpenForWrite mode) {
    ++writeOpens[name];
    return std::make_unique<CountingWriteStream>(real_.openWrite(name, mode), name, written_, failWritesAfter);
}

}  // namespace orvane::test
