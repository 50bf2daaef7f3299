#include "store/ContainerWriter.h"

#include <algorithm>

#include "platform/FileError.h"
#include "store/BestEffort.h"
#include "store/ContainerFormat.h"

namespace orvane {

namespace {
constexpr std::string_view TemporarySuffix = ".tmp";
}

ContainerWriter::ContainerWriter(InstallDir& dir, std::string containerName, const PetKey& key)
    : dir_(dir),
      container_(std::move(containerName)),
      temporary_(container_ + std::string(TemporarySuffix)),
      key_(key),
      pattern_(key),
      out_(dir.openWrite(temporary_, OpenForWrite::CreateOrTruncate)),
      chunk_(StreamChunkSize) {
    try {
        // A provisional check block: the real one depends on the final size.
        out_->write(key_.data(), key_.size());
    } catch (...) {
        out_.reset();
        BestEffort(dir_).deleteFile(temporary_);
        throw;
    }
    written_ = key_.size();
}

ContainerWriter::~ContainerWriter() {
    if (committed_) return;
    out_.reset();
    BestEffort(dir_).deleteFile(temporary_);
}

void ContainerWriter::appendRecord(const std::string& storedName, ReadStream& source,
                                   const std::string& sourceName) {
    const std::uint64_t size = source.size();
    if (size > MaxRecordData) throw FileError(sourceName, "大きすぎて暗号化ペットに入れられません。");
    const std::string header = recordHeader(storedName, static_cast<std::uint32_t>(size));
    out_->write(header.data(), header.size());
    for (std::uint64_t done = 0; done < size;) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(chunk_.size(), size - done));
        std::size_t got = 0;
        while (got < want) {
            const std::size_t n = source.read(chunk_.data() + got, want - got);
            if (n == 0) throw FileError(sourceName, "読み込み中にファイルが短くなりました。");
            got += n;
        }
        pattern_.scramble(chunk_.data(), want);
        out_->write(chunk_.data(), want);
        done += want;
    }
    written_ += header.size() + size;
}

void ContainerWriter::appendScrambledRecord(const std::string& storedName, ContainerReader& from,
                                           std::uint32_t size) {
    const std::string header = recordHeader(storedName, size);
    out_->write(header.data(), header.size());
    for (std::uint32_t done = 0; done < size;) {
        const std::size_t want = std::min<std::size_t>(chunk_.size(), size - done);
        from.read(chunk_.data(), want);
        out_->write(chunk_.data(), want);
        done += static_cast<std::uint32_t>(want);
    }
    written_ += header.size() + size;
}

void ContainerWriter::commit() {
    const CheckBlock check = makeCheckBlock(key_, written_);
    out_->seek(0);
    out_->write(check.data(), check.size());
    out_->flushToDisk();
    out_.reset();
    if (!dir_.replace(temporary_, container_)) {
        throw FileError(container_, "暗号化ペットのファイルを置き換えられません。");
    }
    committed_ = true;
}

}  // namespace orvane
