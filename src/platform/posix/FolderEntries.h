#pragma once

#include <dirent.h>

#include <memory>
#include <string>
#include <string_view>

namespace orvane {

// Calls visit(name) for each entry of the folder but "." and ".."; false
// when the folder cannot be read.
template <typename Visit>
bool forEachFolderEntry(const std::string& folder, Visit visit) {
    struct Closer {
        void operator()(DIR* dir) const { ::closedir(dir); }
    };
    const std::unique_ptr<DIR, Closer> dir(::opendir(folder.c_str()));
    if (!dir) return false;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") visit(name);
    }
    return true;
}

}  // namespace orvane
