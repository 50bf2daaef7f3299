#include "store/ContainerReader.h"

#include <algorithm>
#include <cstring>

#include "store/ContainerErrors.h"

namespace orvane {

namespace {
constexpr std::size_t HeaderBufferSize = 64 * 1024;
}

ContainerReader::ContainerReader(ReadStream& in, std::string containerName)
    : in_(in), name_(std::move(containerName)), size_(in.size()), buffer_(HeaderBufferSize) {}

void ContainerReader::damaged() const { throw DamagedContainer(name_); }

void ContainerReader::refill() {
    begin_ = 0;
    end_ = in_.read(buffer_.data(), buffer_.size());
    if (end_ == 0) damaged();
}

void ContainerReader::read(void* out, std::size_t count) {
    if (count > size_ - position_) damaged();
    position_ += count;
    auto* target = static_cast<unsigned char*>(out);
    while (count > 0) {
        if (begin_ == end_) {
            // Large reads go straight to the caller's memory.
            if (count >= buffer_.size()) {
                const std::size_t got = in_.read(target, count);
                if (got == 0) damaged();
                target += got;
                count -= got;
                continue;
            }
            refill();
        }
        const std::size_t take = std::min(count, end_ - begin_);
        std::memcpy(target, buffer_.data() + begin_, take);
        begin_ += take;
        target += take;
        count -= take;
    }
}

void ContainerReader::skip(std::uint64_t count) {
    if (count > size_ - position_) damaged();
    position_ += count;
    if (count <= end_ - begin_) {
        begin_ += static_cast<std::size_t>(count);
        return;
    }
    begin_ = end_ = 0;
    in_.seek(position_);
}

void ContainerReader::rewind() {
    position_ = 0;
    begin_ = end_ = 0;
    in_.seek(0);
}

CheckBlock ContainerReader::readCheckBlock() {
    CheckBlock block;
    read(block.data(), block.size());
    return block;
}

std::optional<ContainerReader::RecordHeader> ContainerReader::nextRecord() {
    if (position_ == size_) return std::nullopt;
    unsigned char nameLength = 0;
    read(&nameLength, 1);
    RecordHeader header;
    header.storedName.resize(nameLength);
    read(header.storedName.data(), nameLength);
    // The NUL must end the name exactly: no name is empty or cut short.
    if (nameLength < 2 || header.storedName.find('\0') != nameLength - 1u) damaged();
    header.storedName.pop_back();
    unsigned char length[DataLengthSize];
    read(length, sizeof length);
    header.dataSize = readLittleEndian32(length);
    if (header.dataSize > size_ - position_) damaged();
    return header;
}

}  // namespace orvane
