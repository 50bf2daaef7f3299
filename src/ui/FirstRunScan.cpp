#include "ui/FirstRunScan.h"

#include <algorithm>
#include <array>

#include "app/HostNames.h"

namespace orvane {

namespace {

constexpr std::string_view kUninstallMarker = "IsUn0411.exe";
constexpr std::size_t kCharactersAfterMarkerStart = 15;
constexpr std::string_view kDefaultPetName = "default";

// Byte offset of the character that lies `count` characters after `offset`.
std::size_t advanceCharacters(std::string_view text, std::size_t offset, std::size_t count) {
    while (count > 0 && offset < text.size()) {
        ++offset;
        while (offset < text.size() && (static_cast<unsigned char>(text[offset]) & 0xC0) == 0x80) ++offset;
        --count;
    }
    return std::min(offset, text.size());
}

std::string prefixed(std::string_view prefix, std::string_view name) {
    std::string text;
    text.reserve(prefix.size() + name.size());
    text.append(prefix).append(name);
    return text;
}

std::string_view titleOf(std::string_view fileName, std::string_view extension) {
    return fileName.substr(0, fileName.size() - extension.size());
}

}  // namespace

std::string installDirFromUninstallString(std::string_view value) {
    const auto marker = value.find(kUninstallMarker);
    if (marker == std::string_view::npos) return {};
    std::size_t start = advanceCharacters(value, marker, kCharactersAfterMarkerStart);
    if (start < value.size() && value[start] == '"') ++start;
    const std::string_view rest = value.substr(start);
    const auto lastBackslash = rest.rfind('\\');
    if (lastBackslash == std::string_view::npos) return {};
    return std::string(rest.substr(0, lastBackslash));
}

std::vector<std::string> scanExistingPets(InstallDir& dir) {
    const auto standard = FolderNameTable::forEdition(HostEdition::Standard).settingsName;
    const auto kids = FolderNameTable::forEdition(HostEdition::Kids).settingsName;
    const std::array<std::string, 4> hostCopies = {
        prefixed(host::BeforeChangePrefix, standard), prefixed(host::OldCopyPrefix, standard),
        prefixed(host::BeforeChangePrefix, kids), prefixed(host::OldCopyPrefix, kids)};

    std::vector<std::string> pets;
    for (const auto& entry : dir.list(prefixed("*", host::PetFileExtension))) {
        if (entry.isFolder) continue;
        const std::string title(titleOf(entry.name, host::PetFileExtension));
        if (std::find(hostCopies.begin(), hostCopies.end(), title) != hostCopies.end()) continue;
        pets.push_back(title == standard || title == kids ? std::string(kDefaultPetName) : title);
    }
    for (const auto& entry : dir.list(prefixed("*", host::ContainerExtension))) {
        if (!entry.isFolder) pets.emplace_back(titleOf(entry.name, host::ContainerExtension));
    }
    return pets;
}

}  // namespace orvane
