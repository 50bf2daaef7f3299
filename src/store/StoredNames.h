#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "store/PetLayout.h"

// The names a container stores: a file name, or one folder name, "\" and a
// file name, held as cp932 with a one-byte length that counts the NUL.
namespace orvane {

inline constexpr std::size_t MaxStoredNameBytes = 254;

// A name Windows creates as an ordinary file inside its folder: not empty,
// no control character, none of \ / : * ? " < > |, not made only of dots
// and spaces, not a device name such as "CON" or "lpt1.txt".
bool isPlainFileName(std::string_view name);

// A plain file name, or a plain folder name, "\" and a plain file name.
bool isSafeStoredName(std::string_view name);

// The cp932 bytes a name is stored as. Throws UnstorableName when the name
// has no cp932 form, takes more than 254 bytes or is not safe to write back.
std::string encodeStoredName(const std::string& name);

// The file a stored name of pet's container is written to: the name in
// UTF-8 when it is one of pet's own (pet + ".ppc", ".bak", "_おともだち帳",
// or a file in pet's own receive, send or treasures folder), matched as
// Windows matches file names and spelled as the pet is; else nullopt.
std::optional<std::string> ownFileOfStoredName(const PetLayout& layout, std::string_view pet,
                                               std::string_view storedName);

}  // namespace orvane
