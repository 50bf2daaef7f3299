#pragma once

#include <string_view>
#include <vector>

#include "platform/InstallDir.h"

// Name handling shared by every implementation of InstallDir, so that they
// split names, match patterns and order listings identically.
namespace orvane::installdir {

// The components of a relative name. "\" and "/" both separate; empty
// components ("a\\b", a trailing "\") are dropped.
std::vector<std::string_view> nameComponents(std::string_view name);

// A name split before its last component: folder "" for the root.
struct FolderAndLast {
    std::string_view folder;
    std::string_view last;
};
FolderAndLast splitLastComponent(std::string_view name);

// Whether an entry of a folder belongs in a listing for this last pattern
// component: never "." or "..", else a case-insensitive match of the long name.
bool isListed(std::string_view pattern, std::string_view entryName);

// Listing order: by case-folded name.
void sortListing(std::vector<DirEntry>& entries);

}  // namespace orvane::installdir
