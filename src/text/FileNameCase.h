#pragma once

#include <string>
#include <string_view>

// File names as Windows compares them: without regard to letter case.
// Folds ASCII, Latin-1, Latin Extended-A, Greek, Cyrillic and full-width
// Latin letters the way the Win32 file system does, identically everywhere.
namespace orvane::text {

// The upper-case form used for comparing and sorting file names.
std::u32string foldFileNameCase(std::string_view utf8);

bool sameFileName(std::string_view a, std::string_view b);

// Order of folder listings: by folded name, then by the bytes as a tie-break.
bool fileNameLess(std::string_view a, std::string_view b);

// Wildcard match with "*" (any run) and "?" (one character), case-insensitive.
// "*.*" matches every name, also one without a dot, as on Windows.
bool matchesFileNamePattern(std::string_view pattern, std::string_view name);

}  // namespace orvane::text
