#include <cstdint>
#include <gtest/gtest.h>

#include "text/Cp932.h"
#include "text/Trim.h"

namespace orvane::text {
namespace {

struct Mapping {
    const char* utf8;
    const char* cp932;
};

// Expected bytes are written out here, not produced by either converter,
// so that iconv and Windows' code page 932 are held to the same table.
const Mapping kMappings[] = {
    {"", ""},
    {"abc\\~", "abc\\~"},
    {"Velmora設定", "Velmora\x90\xdd\x92\xe8"},
    {"予", "\x97\x5c"},                 // second byte is a backslash
    {"ソ", "\x83\x5c"},
    {"表", "\x95\x5c"},
    {"ｷｬﾝｾﾙ", "\xb7\xac\xdd\xbe\xd9"},  // half-width katakana, one byte each
    {"おともだち帳", "\x82\xa8\x82\xc6\x82\xe0\x82\xbe\x82\xbf\x92\xa0"},
    {"　", "\x81\x40"},                 // full-width space
    {"～", "\x81\x60"},                 // full-width tilde
    {"∥", "\x81\x61"},
    {"－", "\x81\x7c"},
    {"￢", "\x81\xca"},
    {"≒", "\x81\xe0"},
    {"①", "\x87\x40"},
    {"纊", "\xfa\x5c"},                 // IBM extension
    {"\xee\x80\x80", "\xf0\x40"},       // U+E000, first user-defined character
};

TEST(Cp932, ConvertsBothWaysToTheExpectedBytes) {
    for (const auto& m : kMappings) {
        SCOPED_TRACE(m.utf8);
        EXPECT_EQ(utf8ToCp932(m.utf8), std::string(m.cp932));
        EXPECT_EQ(cp932ToUtf8(m.cp932), std::string(m.utf8));
        EXPECT_EQ(cp932Length(m.utf8), std::string(m.cp932).size());
    }
}

TEST(Cp932, NecSelectedIbmExtensionDecodesToTheSameCharacter) {
    EXPECT_EQ(cp932ToUtf8("\xed\x40"), std::string("纊"));
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

TEST(Cp932, RefusesTextWithoutAnExactForm) {
    const char* unrepresentable[] = {
        "〜",          // wave dash: only an approximation exists
        "¥",           // yen sign: cp932 has the backslash at its place
        "é",
        "\xf0\x9f\x98\x80",  // emoji
        "\xc3",        // cut UTF-8
        "\xed\xa0\x80",  // encoded surrogate
        "\xc0\xaf",    // overlong slash
    };
    for (const char* text : unrepresentable) {
        SCOPED_TRACE(text);
        EXPECT_EQ(utf8ToCp932(text), std::nullopt);
        EXPECT_EQ(cp932Length(text), std::nullopt);
    }
}

TEST(Cp932, RefusesMalformedBytes) {
    const std::string malformed[] = {
        "\x81",          // lead byte at the end
        "a\x82",
        "\x80",          // no character
        "\xa0",
        "\xfd",
        "\x81\x7f",      // bad trail bytes
        "\x81\x20",
        std::string("\x81\x00", 2),
    };
    for (const auto& bytes : malformed) {
        EXPECT_FALSE(isValidCp932(bytes));
        EXPECT_EQ(cp932ToUtf8(bytes), std::nullopt);
    }
}

TEST(Trim, StripsOnlySingleByteWhitespace) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"  ペット  ", "ペット"},
        {"\t\n\v\f\rpet\r\n", "pet"},
        {"　ペット　", "　ペット　"},  // full-width spaces stay
        {"a b", "a b"},
        {"   ", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(trimAsciiWhitespace(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace orvane::text
