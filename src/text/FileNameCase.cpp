#include "text/FileNameCase.h"

#include <algorithm>

#include "text/Utf8.h"

namespace orvane::text {

namespace {

char32_t upperCase(char32_t c) {
    if (c >= U'a' && c <= U'z') return c - 0x20;
    if (c < 0xB5) return c;
    // Latin-1 Supplement
    if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
    if (c == 0xFF) return 0x178;
    // Latin Extended-A: pairs of upper and lower case
    if ((c >= 0x100 && c <= 0x137) || (c >= 0x14A && c <= 0x177)) return c & ~char32_t{1};
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E)) return (c % 2 == 0) ? c - 1 : c;
    // Greek
    if (c == 0x3AC) return 0x386;
    if (c >= 0x3AD && c <= 0x3AF) return c - 0x25;
    if (c >= 0x3B1 && c <= 0x3CB && c != 0x3C2) return c - 0x20;
    if (c == 0x3C2) return 0x3A3;
    if (c == 0x3CC) return 0x38C;
    if (c == 0x3CD || c == 0x3CE) return c - 0x3F;
    // Cyrillic
    if (c >= 0x430 && c <= 0x44F) return c - 0x20;
    if (c >= 0x450 && c <= 0x45F) return c - 0x50;
    // Full-width Latin
    if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
    return c;
}

// Malformed UTF-8 still compares: each byte stands for itself.
std::u32string codePointsOf(std::string_view utf8) {
    if (auto cps = utf8ToCodePoints(utf8)) return *cps;
    return std::u32string(utf8.begin(), utf8.end());
}

bool globMatch(std::u32string_view pattern, std::u32string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t starP = std::u32string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == U'?' || pattern[p] == name[n])) {
            ++p, ++n;
        } else if (p < pattern.size() && pattern[p] == U'*') {
            starP = p++;
            starN = n;
        } else if (starP != std::u32string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'*') ++p;
    return p == pattern.size();
}

}  // namespace

std::u32string foldFileNameCase(std::string_view utf8) {
    std::u32string folded = codePointsOf(utf8);
    std::transform(folded.begin(), folded.end(), folded.begin(), upperCase);
    return folded;
}

bool sameFileName(std::string_view a, std::string_view b) {
    return foldFileNameCase(a) == foldFileNameCase(b);
}

bool fileNameLess(std::string_view a, std::string_view b) {
    const auto fa = foldFileNameCase(a);
    const auto fb = foldFileNameCase(b);
    if (fa != fb) return fa < fb;
    return a < b;
}

bool matchesFileNamePattern(std::string_view pattern, std::string_view name) {
    const std::u32string p = foldFileNameCase(pattern);
    const std::u32string n = foldFileNameCase(name);
    if (globMatch(p, n)) return true;
    // A trailing ".*" also matches names without any extension ("*.*" matches all).
    if (p.size() >= 2 && p.ends_with(U".*")) {
        return globMatch(std::u32string_view(p).substr(0, p.size() - 2), n);
    }
    return false;
}

}  // namespace orvane::text
