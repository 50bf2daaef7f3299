#include "platform/InstallDirNames.h"

#include <algorithm>

#include "text/FileNameCase.h"

namespace orvane::installdir {

namespace {

bool isSeparator(char c) { return c == '\\' || c == '/'; }

}  // namespace

std::vector<std::string_view> nameComponents(std::string_view name) {
    std::vector<std::string_view> components;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= name.size(); ++i) {
        if (i == name.size() || isSeparator(name[i])) {
            if (i > start) components.push_back(name.substr(start, i - start));
            start = i + 1;
        }
    }
    return components;
}

FolderAndLast splitLastComponent(std::string_view name) {
    const auto cut = std::find_if(name.rbegin(), name.rend(), isSeparator);
    if (cut == name.rend()) return {{}, name};
    const auto lastStart = static_cast<std::size_t>(name.rend() - cut);
    return {name.substr(0, lastStart - 1), name.substr(lastStart)};
}

bool isListed(std::string_view pattern, std::string_view entryName) {
    if (entryName == "." || entryName == "..") return false;
    return text::matchesFileNamePattern(pattern, entryName);
}

void sortListing(std::vector<DirEntry>& entries) {
    std::sort(entries.begin(), entries.end(), [](const DirEntry& a, const DirEntry& b) {
        return text::fileNameLess(a.name, b.name);
    });
}

}  // namespace orvane::installdir
