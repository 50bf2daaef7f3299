#include "text/Cp932.h"

#include "text/Cp932Platform.h"
#include "text/Utf8.h"

namespace orvane::text {

namespace {
bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool isTrailByte(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
bool isSingleByte(unsigned char b) { return b <= 0x7F || (b >= 0xA1 && b <= 0xDF); }
}  // namespace

bool isValidCp932(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (isSingleByte(b)) continue;
        if (!isLeadByte(b) || i + 1 == bytes.size()) return false;
        if (!isTrailByte(static_cast<unsigned char>(bytes[++i]))) return false;
    }
    return true;
}

bool isValidUtf8(std::string_view bytes) { return utf8ToCodePoints(bytes).has_value(); }

std::optional<std::string> cp932ToUtf8(std::string_view cp932) {
    if (!isValidCp932(cp932)) return std::nullopt;
    return platform::decodeCp932(cp932);
}

std::optional<std::string> utf8ToCp932(std::string_view utf8) {
    if (!isValidUtf8(utf8)) return std::nullopt;
    auto encoded = platform::encodeCp932(utf8);
    // A character that only maps by approximation (a wave dash taken for a
    // full-width tilde) does not come back as itself: refuse it, so that
    // both platforms agree and no name changes silently.
    if (!encoded || !isValidCp932(*encoded)) return std::nullopt;
    const auto back = platform::decodeCp932(*encoded);
    if (!back || *back != utf8) return std::nullopt;
    return encoded;
}

std::optional<std::size_t> cp932Length(std::string_view utf8) {
    const auto encoded = utf8ToCp932(utf8);
    if (!encoded) return std::nullopt;
    return encoded->size();
}

}  // namespace orvane::text
