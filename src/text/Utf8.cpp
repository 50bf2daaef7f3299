#include "text/Utf8.h"

namespace orvane::text {

namespace {

// What the first byte of a sequence of two to four says: how many bytes
// follow, its own bits of the code point, and the least code point that
// needs that many bytes (anything less is an overlong form).
struct Lead {
    int trailing;
    char32_t bits;
    char32_t minimum;
};

std::optional<Lead> leadOf(unsigned char byte) {
    if ((byte & 0xE0) == 0xC0) return Lead{1, byte & 0x1Fu, 0x80};
    if ((byte & 0xF0) == 0xE0) return Lead{2, byte & 0x0Fu, 0x800};
    if ((byte & 0xF8) == 0xF0) return Lead{3, byte & 0x07u, 0x10000};
    return std::nullopt;
}

}  // namespace

std::optional<std::u32string> utf8ToCodePoints(std::string_view utf8) {
    std::u32string out;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto byte = static_cast<unsigned char>(utf8[i]);
        if (byte < 0x80) {
            out.push_back(byte);
            ++i;
            continue;
        }
        const auto lead = leadOf(byte);
        if (!lead || utf8.size() - i <= static_cast<std::size_t>(lead->trailing)) return std::nullopt;
        char32_t cp = lead->bits;
        for (int k = 1; k <= lead->trailing; ++k) {
            const auto b = static_cast<unsigned char>(utf8[i + k]);
            if ((b & 0xC0) != 0x80) return std::nullopt;
            cp = (cp << 6) | (b & 0x3F);
        }
        if (cp < lead->minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return std::nullopt;
        out.push_back(cp);
        i += lead->trailing + 1;
    }
    return out;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

}  // namespace orvane::text
