#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/InstallDir.h"
#include "store/ContainerFormat.h"

namespace orvane {

// Reads a container front to back through a small buffer, so that the
// short fields of many small records cost few reads, and checks the
// structure as it goes: anything that would run past the size the file had
// when it was opened throws DamagedContainer.
class ContainerReader {
public:
    struct RecordHeader {
        std::string storedName;  // cp932, without its NUL
        std::uint32_t dataSize = 0;
    };

    ContainerReader(ReadStream& in, std::string containerName);

    std::uint64_t size() const { return size_; }
    CheckBlock readCheckBlock();
    // The next record's header, nullopt at the end of the file.
    std::optional<RecordHeader> nextRecord();
    // Exactly count bytes of the current record's data.
    void read(void* out, std::size_t count);
    void skip(std::uint64_t count);
    // Back to the check block, for a second pass over the same opening.
    void rewind();

    [[noreturn]] void damaged() const;

private:
    void refill();

    ReadStream& in_;
    std::string name_;
    std::uint64_t size_;
    std::uint64_t position_ = 0;
    std::vector<unsigned char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
};

}  // namespace orvane
