#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "StoreTestSupport.h"
#include "store/PetKey.h"

namespace orvane {
namespace {

// Key derivation worked through by hand (all sums mod 256, hex).
//
// "abcd" = 61 62 63 64, K[4..16] = 0
//   pass 1, K[i] += K[i mod 4] + 4i:
//     i=0..3 double and add 4i:   C2 C8 CE D4
//     i=4..7  0 + C2+10, C8+14, CE+18, D4+1C:  D2 DC E6 F0
//     i=8..11 0 + C2+20, C8+24, CE+28, D4+2C:  E2 EC F6 00
//     i=12..15 0 + C2+30, C8+34, CE+38, D4+3C: F2 FC 06 10
//   K[16] = K[0] = C2
//   pass 2, K[i] += K[i+1] - 10:
//     C2+C8-10=7A  C8+CE-10=86  CE+D4-10=92  D4+D2-10=96
//     D2+DC-10=9E  DC+E6-10=B2  E6+F0-10=C6  F0+E2-10=C2
//     E2+EC-10=BE  EC+F6-10=D2  F6+00-10=E6  00+F2-10=E2
//     F2+FC-10=DE  FC+06-10=F2  06+10-10=06  10+C2-10=C2
//
// "0123456789abcdef" = 30 31 .. 39 61 .. 66, all 16 bytes used, the NUL
// lands in K[16] and is overwritten by step 4.
//   pass 1: 60 66 6C 72 | 34+60+10=A4 35+66+14=AF 36+6C+18=BA 37+72+1C=C5 |
//           38+60+20=B8 39+66+24=C3 61+6C+28=F5 62+72+2C=00 |
//           63+60+30=F3 64+66+34=FE 65+6C+38=09 66+72+3C=14
//   K[16] = 60
//   pass 2: 60+66-10=B6 66+6C-10=C2 6C+72-10=CE 72+A4-10=06 A4+AF-10=43
//           AF+BA-10=59 BA+C5-10=6F C5+B8-10=6D B8+C3-10=6B C3+F5-10=A8
//           F5+00-10=E5 00+F3-10=E3 F3+FE-10=E1 FE+09-10=F7 09+14-10=0D
//           14+60-10=64
//
// "予約パス" in cp932 = 97 5C 96 F1 83 70 83 58 (the 5C is no backslash)
//   pass 1: 2E BC 34 EE | 83+2E+10=C1 70+BC+14=40 83+34+18=CF 58+EE+1C=62 |
//           00+2E+20=4E 00+BC+24=E0 00+34+28=5C 00+EE+2C=1A |
//           00+2E+30=5E 00+BC+34=F0 00+34+38=6C 00+EE+3C=2A
//   K[16] = 2E
//   pass 2: DA E0 12 9F F1 FF 21 A0 1E 2C 66 68 3E 4C 86 48
struct KeyCase {
    const char* password;
    PetKey key;
};

const KeyCase keyCases[] = {
    {"abcd", test::KeyOfAbcd},
    {"0123456789abcdef",
     {0xB6, 0xC2, 0xCE, 0x06, 0x43, 0x59, 0x6F, 0x6D, 0x6B, 0xA8, 0xE5, 0xE3, 0xE1, 0xF7, 0x0D, 0x64}},
    {"予約パス",
     {0xDA, 0xE0, 0x12, 0x9F, 0xF1, 0xFF, 0x21, 0xA0, 0x1E, 0x2C, 0x66, 0x68, 0x3E, 0x4C, 0x86, 0x48}},
    // Empty (the buffer at program start). Pass 1: 00 04 08 0C, then
    // K[i mod 4] + 4i: 10 18 20 28 | 20 28 30 38 | 30 38 40 48; K[16] = 00.
    {"", {0xF4, 0xFC, 0x04, 0x0C, 0x18, 0x28, 0x38, 0x38, 0x38, 0x48, 0x58, 0x58, 0x58, 0x68, 0x78, 0x38}},
};

TEST(DeriveKey, MatchesTheKeysWorkedOutByHand) {
    for (const auto& c : keyCases) {
        SCOPED_TRACE(c.password);
        EXPECT_EQ(DeriveKey(c.password), c.key);
    }
}

TEST(DeriveKey, RefusesPasswordsTheDialogNeverPasses) {
    const std::vector<std::string> refused = {
        "0123456789abcdefg",   // 17 bytes
        "予約予約予約予約予",  // 18 bytes in cp932
        "pass😀",              // no cp932 form
        std::string("ab\0cd", 5),
        "\xFF\xFE",  // not UTF-8
    };
    for (const auto& password : refused) {
        SCOPED_TRACE(password);
        EXPECT_THROW(DeriveKey(password), std::invalid_argument);
    }
}

// Byte i of a record: plain + PetKey[i mod 16] + (i mod 256).
unsigned char scrambledByDefinition(unsigned char plain, const PetKey& key, std::size_t i) {
    return static_cast<unsigned char>(plain + key[i % 16] + i % 256);
}

TEST(ScramblePattern, FollowsTheDefinitionAcrossBlocksAndTails) {
    const PetKey key = test::KeyOfAbcd;
    const ScramblePattern pattern(key);
    for (const std::size_t size : {0u, 1u, 15u, 16u, 255u, 256u, 257u, 1000u, 4096u + 77u}) {
        SCOPED_TRACE(size);
        const std::string plain = test::patternedBytes(size, 3);
        std::vector<unsigned char> data(plain.begin(), plain.end());
        pattern.scramble(data.data(), data.size());
        for (std::size_t i = 0; i < size; ++i) {
            ASSERT_EQ(data[i], scrambledByDefinition(static_cast<unsigned char>(plain[i]), key, i)) << i;
        }
        pattern.unscramble(data.data(), data.size());
        EXPECT_EQ(std::string(data.begin(), data.end()), plain);
    }
}

}  // namespace
}  // namespace orvane
