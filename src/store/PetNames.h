#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "platform/Prompts.h"

namespace orvane {

inline constexpr std::size_t MaxPetNameBytes = 50;  // in cp932

enum class NameUse { Add, Change };

struct NameRules {
    NameUse use = NameUse::Add;
    // Names a new name must not share a file name with: the registered
    // pets for an add, the settings dialog's list for a change.
    std::vector<std::string> takenNames;
    // For a change: the pet's own name, which it may keep or respell.
    std::string oldName;
};

// The trimmed name when it can name a pet; otherwise nullopt after the
// message box that says why. Names that differ only in letter case count
// as the same, since they would share their files on Windows. Refused
// besides the empty name, the forbidden characters and duplicates: names
// of the host's own pet files, device names, names without a cp932 form or
// with control characters, and names longer than 50 cp932 bytes.
std::optional<std::string> ValidatePetName(Prompts& prompts, const std::string& candidate,
                                           const NameRules& rules);

// Whether a name as the settings file holds it keeps the rules above (but
// uniqueness), so that the pet operations may act on the files named after
// it. A name edited by hand could otherwise reach into a subfolder ("\"),
// be cut short on its way to Windows (a NUL) or open a device.
bool isUsablePetName(const std::string& name);

// A pet's name as lists and messages show it: control characters as "□",
// and only its first 50 characters, then "…". A usable name shows as it is.
std::string shownPetName(const std::string& name);

}  // namespace orvane
