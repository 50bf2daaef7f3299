#pragma once

#include <string>
#include <utility>
#include <vector>

namespace orvane::test {

// The stored names (UTF-8) and plain bytes of a container that opens with
// the password, read straight from the format; empty when it does not open
// or is cut short.
std::vector<std::pair<std::string, std::string>> containerRecords(const std::string& container,
                                                                  const std::string& password);

}  // namespace orvane::test
