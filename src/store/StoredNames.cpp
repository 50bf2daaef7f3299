#include "store/StoredNames.h"

#include <algorithm>
#include <array>

#include "store/ContainerErrors.h"
#include "text/Cp932.h"
#include "text/FileNameCase.h"

namespace orvane {

namespace {

constexpr std::string_view ForbiddenInFileName = "\\/:*?\"<>|";

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Windows opens a device for these names in any folder, with any extension.
bool isDeviceName(std::string_view name) {
    std::string_view stem = name.substr(0, name.find('.'));
    while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
    std::string upper(stem);
    std::transform(upper.begin(), upper.end(), upper.begin(), upperAscii);
    static constexpr std::array<std::string_view, 6> plain = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
    if (std::find(plain.begin(), plain.end(), upper) != plain.end()) return true;
    return upper.size() == 4 && (upper.starts_with("COM") || upper.starts_with("LPT")) &&
           upper[3] >= '0' && upper[3] <= '9';
}

}  // namespace

bool isPlainFileName(std::string_view name) {
    if (name.empty() || name.find_first_not_of(". ") == std::string_view::npos) return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F || ForbiddenInFileName.find(c) != std::string_view::npos) return false;
    }
    return !isDeviceName(name);
}

bool isSafeStoredName(std::string_view name) {
    const std::size_t slash = name.find('\\');
    if (slash == std::string_view::npos) return isPlainFileName(name);
    return isPlainFileName(name.substr(0, slash)) && isPlainFileName(name.substr(slash + 1));
}

std::string encodeStoredName(const std::string& name) {
    if (!isSafeStoredName(name)) {
        throw UnstorableName(name, "この名前のファイルは暗号化ペットに入れられません。");
    }
    auto bytes = text::utf8ToCp932(name);
    if (!bytes) throw UnstorableName(name, "名前に暗号化ペットで使えない文字があります。");
    if (bytes->size() > MaxStoredNameBytes) throw UnstorableName(name, "名前が長すぎて暗号化ペットに入れられません。");
    return std::move(*bytes);
}

std::optional<std::string> ownFileOfStoredName(const PetLayout& layout, std::string_view pet,
                                               std::string_view storedName) {
    const auto name = text::cp932ToUtf8(storedName);
    if (!name || !isSafeStoredName(*name)) return std::nullopt;
    const std::size_t slash = name->find('\\');
    const std::string_view top = std::string_view(*name).substr(0, slash);
    for (const PetPiece piece : AllPetPieces) {
        // A respelled pet's container holds its names as they were spelled
        // then: the same files on Windows, written as the pet is spelled now.
        const std::string own = layout.ownName(pet, piece);
        if (isFolderPiece(piece) != (slash != std::string::npos) || !text::sameFileName(top, own)) continue;
        return slash == std::string::npos ? own : own + name->substr(slash);
    }
    return std::nullopt;
}

}  // namespace orvane
