#pragma once

#include <optional>
#include <string>
#include <vector>

namespace orvane {

// The pet a command line asks to launch: the first argument after the
// program, "-" or "/" followed by a pet's exact name (bytes and letter case
// count), looked up among the pet list's items. When several items are
// equal, the last one wins. Later arguments are ignored.
std::optional<int> commandLineSelection(const std::vector<std::string>& arguments,
                                        const std::vector<std::string>& items);

}  // namespace orvane
