#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "app/HostNames.h"

namespace orvane::bench {

// A pet of about 200 MB in place under the standard host's names: one
// 50 MB pet file and some four thousand files in the mail and treasures
// folders, from empty to 5 MB. The sizes and bytes are the same every run.
struct SyntheticPetSize {
    std::uint64_t bytes = 0;
    int files = 0;
};

SyntheticPetSize writeSyntheticPet(const std::filesystem::path& installDir, const FolderNameTable& names);

}  // namespace orvane::bench
