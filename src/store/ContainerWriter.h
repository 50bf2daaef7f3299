#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/InstallDir.h"
#include "store/ContainerReader.h"
#include "store/PetKey.h"

namespace orvane {

// A container being written. Records go to a temporary file beside the
// container, opened once for the whole pack; commit() writes the check
// block for the final size, pushes the file to the disk and only then moves
// it over the old container. Until then the old container stays as it was,
// and a writer that goes without commit() deletes its temporary file.
class ContainerWriter {
public:
    ContainerWriter(InstallDir& dir, std::string containerName, const PetKey& key);
    ~ContainerWriter();
    ContainerWriter(const ContainerWriter&) = delete;
    ContainerWriter& operator=(const ContainerWriter&) = delete;

    // One record: the stored name (cp932, at most 254 bytes) and the
    // source's bytes, streamed in chunks and scrambled.
    void appendRecord(const std::string& storedName, ReadStream& source, const std::string& sourceName);
    // One record whose data bytes come from another container made with
    // the same key: size bytes at the reader's position, already scrambled
    // as this container stores them, copied as they are.
    void appendScrambledRecord(const std::string& storedName, ContainerReader& from, std::uint32_t size);
    void commit();

private:
    InstallDir& dir_;
    std::string container_;
    std::string temporary_;
    PetKey key_;
    ScramblePattern pattern_;
    std::unique_ptr<WriteStream> out_;
    std::uint64_t written_ = 0;
    std::vector<unsigned char> chunk_;
    bool committed_ = false;
};

}  // namespace orvane
