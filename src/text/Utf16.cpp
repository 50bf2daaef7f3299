#include "text/Utf16.h"

#include "text/Utf8.h"

namespace orvane::text {

std::optional<std::u16string> utf8ToUtf16(std::string_view utf8) {
    const auto codePoints = utf8ToCodePoints(utf8);
    if (!codePoints) return std::nullopt;
    std::u16string out;
    out.reserve(codePoints->size());
    for (char32_t cp : *codePoints) {
        if (cp < 0x10000) {
            out.push_back(static_cast<char16_t>(cp));
        } else {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        }
    }
    return out;
}

std::optional<std::string> utf16ToUtf8(std::u16string_view utf16) {
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t unit = utf16[i];
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (i + 1 == utf16.size()) return std::nullopt;
            const char32_t low = utf16[i + 1];
            if (low < 0xDC00 || low > 0xDFFF) return std::nullopt;
            unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
            ++i;
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            return std::nullopt;
        }
        appendUtf8(out, unit);
    }
    return out;
}

}  // namespace orvane::text
