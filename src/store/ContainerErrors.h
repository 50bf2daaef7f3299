#pragma once

#include <string>

#include "platform/FileError.h"

namespace orvane {

inline constexpr const char* DamagedContainerMessage = "暗号化ペットのファイルが壊れています。";

// A container whose structure or stored names are not what packing this pet
// writes: cut short, a length beyond the end, a name without its NUL, a
// name that is not one of the pet's own. Found before unpacking writes
// anything (unless the file changes while it is being unpacked).
class DamagedContainer : public FileError {
public:
    explicit DamagedContainer(std::string containerName)
        : FileError(std::move(containerName), DamagedContainerMessage) {}
};

// A file whose name a container cannot hold: packing refuses the whole pet,
// since the plain pieces are deleted once the container is complete.
class UnstorableName : public FileError {
public:
    using FileError::FileError;
};

}  // namespace orvane
