#include <gtest/gtest.h>

#include <cstdint>

#include "text/Cp932.h"
#include "text/FileNameCase.h"
#include "text/Utf16.h"

namespace orvane::text {
namespace {

// Expected bytes are written out here, not produced by either converter,
// so that iconv and Windows' code page 932 are held to the same table.
TEST(Cp932, ConvertsBothWaysOrRefusesTextWithoutAnExactForm) {
    const std::optional<std::string> refused;
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"", ""}, {"abc\\~", "abc\\~"}, {"予ソ表", "\x97\x5c\x83\x5c\x95\x5c"},  // second bytes are backslashes
        {"Velmora設定ｷｬﾝｾﾙ", "Velmora\x90\xdd\x92\xe8\xb7\xac\xdd\xbe\xd9"}, {"～∥－￢①纊", "\x81\x60\x81\x61\x81\x7c\x81\xca\x87\x40\xfa\x5c"},
        {"\xee\x80\x80", "\xf0\x40"},  // U+E000, first user-defined character
        // Only an approximation exists for the wave dash and the yen sign.
        {"〜", refused}, {"¥", refused}, {"é", refused}, {"\xf0\x9f\x98\x80", refused}, {"\xc3", refused},
        {"\xed\xa0\x80", refused}, {"\xc0\xaf", refused},
    };
    for (const auto& [utf8, cp932] : cases) {
        EXPECT_EQ(utf8ToCp932(utf8), cp932) << utf8;
        EXPECT_EQ(cp932Length(utf8), cp932 ? std::optional(cp932->size()) : std::nullopt) << utf8;
        if (cp932) { EXPECT_EQ(cp932ToUtf8(*cp932), utf8) << utf8; }
    }
}

// The trail edges the whole-code-space digest does not reach, and a lead byte that ends the view.
TEST(Cp932, AcceptsOnlyWellFormedBytes) {
    for (const std::string& bytes : {std::string("\x81\x3f"), std::string("\x81\x7f"), std::string("\x81\xfd"), std::string("\x81\x00", 2), std::string("\x82")}) {
        EXPECT_FALSE(isValidCp932(bytes) || cp932ToUtf8(bytes)) << testing::PrintToString(bytes);
    }
    EXPECT_TRUE(isValidCp932("\x81\x40\x9f\x7e\xe0\x80\x81\xfc\xfc\x40"));
    EXPECT_FALSE(isValidCp932(std::string_view("\x82\xa0", 1))) << "a lead byte ends the view";
}

// Every double-byte code and every single byte, decoded and encoded back.
// Natively this runs through iconv, under Wine through code page 932; the
// digest was taken from both and must stay the same on each.
TEST(Cp932, WholeCodeSpaceConvertsIdenticallyOnEveryPlatform) {
    std::uint64_t digest = 14695981039346656037ull;
    const auto mix = [&digest](const std::string& bytes) {
        for (unsigned char c : bytes + '\xff') digest = (digest ^ c) * 1099511628211ull;
    };
    int decoded = 0;
    int sameBytesBack = 0;
    for (int lead = 0x81; lead <= 0xfc; ++lead) {
        if (lead > 0x9f && lead < 0xe0) continue;
        for (int trail = 0x40; trail <= 0xfc; ++trail) {
            if (trail == 0x7f) continue;
            const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
            const auto utf8 = cp932ToUtf8(code);
            mix(utf8.value_or("-"));
            if (!utf8) continue;
            ++decoded;
            const auto back = utf8ToCp932(*utf8);
            ASSERT_TRUE(back.has_value()) << std::hex << lead << trail;
            mix(*back);
            sameBytesBack += (*back == code);
        }
    }
    for (int byte = 0; byte < 256; ++byte) mix(cp932ToUtf8(std::string(1, static_cast<char>(byte))).value_or("-"));
    EXPECT_EQ(decoded, 9604);
    EXPECT_EQ(sameBytesBack, 9206);  // the rest are duplicates that encode to their first code
    EXPECT_EQ(digest, 0x1e4960c4e2315911ull);
}

// Both ways where both forms exist; broken input on either side is refused.
TEST(Utf16, ConvertsEveryPlaneAndRefusesBrokenInput) {
    const std::optional<std::string> broken;
    const std::pair<std::u16string, std::optional<std::string>> cases[] = {
        {u"", ""}, {u"abc予ｷ\xffff", "abc予ｷ\xef\xbf\xbf"}, {u"\xd800\xdc00", "\xf0\x90\x80\x80"},
        {u"\xd83d\xde00x", "\xf0\x9f\x98\x80x"}, {u"\xdbff\xdfff", "\xf4\x8f\xbf\xbf"},
        {u"\xd83d", broken}, {u"\xdbff" u"a", broken}, {u"\xd83d\xe000", broken}, {u"\xdc00", broken}, {u"\xdfff", broken},
    };
    for (const auto& [utf16, utf8] : cases) {
        EXPECT_EQ(utf16ToUtf8(utf16), utf8) << testing::PrintToString(utf16);
        if (utf8) { EXPECT_EQ(utf8ToUtf16(*utf8), utf16) << *utf8; }
    }
    for (const char* broken : {"\xe4\xba", "\x80"}) EXPECT_EQ(utf8ToUtf16(broken), std::nullopt) << broken;
    EXPECT_EQ(utf16ToUtf8(std::u16string_view(u"\xd83d\xde00", 1)), std::nullopt);  // its low half lies past the end
}

// Each range of letters Windows folds, by its first and last letters and
// the neighbours that stay; kana and half-width forms are never folded.
TEST(FileNameCase, FoldsExactlyTheLettersWindowsFolds) {
    const std::pair<const char*, std::u32string> cases[] = {
        {"`az{AZ", U"`AZ{AZ"}, {"\u00b5\u00df\u00e0\u00f6\u00f7\u00f8\u00fe\u00ff", U"\u00b5\u00df\u00c0\u00d6\u00f7\u00d8\u00de\u0178"},
        {"\u0100\u0101\u0136\u0137\u0138", U"\u0100\u0100\u0136\u0136\u0138"},
        {"\u0139\u013a\u0147\u0148\u0149", U"\u0139\u0139\u0147\u0147\u0149"},
        {"\u014a\u014b\u0176\u0177\u0178", U"\u014a\u014a\u0176\u0176\u0178"},
        {"\u0179\u017a\u017d\u017e\u017f", U"\u0179\u0179\u017d\u017d\u017f"},
        {"\u03ab\u03ac\u03ad\u03af\u03b0\u03b1\u03c1\u03c2\u03c3\u03cb", U"\u03ab\u0386\u0388\u038a\u03b0\u0391\u03a1\u03a3\u03a3\u03ab"},
        {"\u03cc\u03cd\u03ce\u03cf", U"\u038c\u038e\u038f\u03cf"},
        {"\u042f\u0430\u044f\u0450\u045f\u0460", U"\u042f\u0410\u042f\u0400\u040f\u0460"},
        {"\uff40\uff41\uff5a\uff5b\uff21", U"\uff40\uff21\uff3a\uff5b\uff21"},
        {"ひらがなｶ", U"ひらがなｶ"},
    };
    for (const auto& [name, folded] : cases) EXPECT_EQ(foldFileNameCase(name), folded) << name;
    EXPECT_TRUE(sameFileName("ŁÓDŹ.txt", "łódź.TXT"));
    EXPECT_FALSE(sameFileName("a", "ａ"));
}

TEST(FileNameCase, MatchesPatternsLikeWindows) {
    const struct { const char* pattern; const char* name; bool matches; } cases[] = {
        {"*_受信フォルダ", "受信フォルダ", false}, {"*", "", true}, {"a.*", "a.", true}, {"*a*b", "xaxxb", true}, {"*a*b", "xaxxbc", false},
    };
    for (const auto& c : cases) EXPECT_EQ(matchesFileNamePattern(c.pattern, c.name), c.matches) << c.pattern << " ~ " << c.name;
}

}  // namespace
}  // namespace orvane::text
