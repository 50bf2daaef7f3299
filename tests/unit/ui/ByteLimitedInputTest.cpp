#include <gtest/gtest.h>

#include <string>

#include "ui/ByteLimitedInput.h"

namespace orvane {
namespace {

struct EditCase {
    const char* what;
    const char* before;
    const char* after;
    const char* text;
    std::size_t caret;
    bool refused;
    bool cut;
};

void expectEdits(std::size_t maxBytes, std::initializer_list<EditCase> cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const LimitedEdit edit = acceptLimitedEdit(c.before, c.after, maxBytes);
        EXPECT_EQ(edit.text, c.text);
        EXPECT_EQ(edit.caret, c.caret);
        EXPECT_EQ(edit.refusedCharacters, c.refused);
        EXPECT_EQ(edit.cutAtLimit, c.cut);
    }
}

TEST(ByteLimitedInput, PasswordFieldKeepsWhatFitsInSixteenCp932Bytes) {
    expectEdits(16, {
        {"typed", "", "a", "a", 1, false, false},
        {"seventeenth byte", "abcdefghijklmnop", "abcdefghijklmnopq", "abcdefghijklmnop", 16, false, true},
        {"pasted beyond the limit", "", "abcdefghijklmnopqrstu", "abcdefghijklmnop", 16, false, true},
        {"inserted in the middle at the limit", "abcdefghijklmnop", "abcXdefghijklmnop", "abcdefghijklmnop", 3,
         false, true},
        {"double-byte character fits exactly", "abcdefghijklmn", "abcdefghijklmnあ", "abcdefghijklmnあ", 15, false,
         false},
        {"double-byte character one byte short", "abcdefghijklmno", "abcdefghijklmnoあ", "abcdefghijklmno", 15,
         false, true},
        {"nine double-byte characters", "", "あいうえおかきくけ", "あいうえおかきく", 8, false, true},
        {"half-width katakana is one byte", "", "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁ", "ｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀ", 16, false, true},
        {"no cp932 form", "ab", "ab😀", "ab", 2, true, false},
        {"only the storable part of an insertion", "ab", "a😀éxb", "axb", 2, true, false},
        {"selection replaced", "abcd", "aXYd", "aXYd", 3, false, false},
        {"deleted", "abcdef", "abef", "abef", 2, false, false},
        {"cp932 extension character", "", "①②", "①②", 2, false, false},
    });
}

// The name fields: 50 bytes, 25 double-byte characters.
TEST(ByteLimitedInput, NameFieldKeepsWhatFitsInFiftyCp932Bytes) {
    const std::string fifty(50, 'a');
    const std::string fortyNine(49, 'a');
    std::string twentyFiveKana;
    for (int i = 0; i < 25; ++i) twentyFiveKana += "ぽ";
    const std::string twentyFourKana = twentyFiveKana.substr(0, 24 * 3);
    expectEdits(50, {
        {"fifty single bytes", "", fifty.c_str(), fifty.c_str(), 50, false, false},
        {"fifty-first byte", fifty.c_str(), (fifty + "b").c_str(), fifty.c_str(), 50, false, true},
        {"twenty-five double-byte characters", "", twentyFiveKana.c_str(), twentyFiveKana.c_str(), 25, false, false},
        {"twenty-sixth double-byte character", twentyFiveKana.c_str(), (twentyFiveKana + "ぽ").c_str(),
         twentyFiveKana.c_str(), 25, false, true},
        {"double-byte character after forty-nine bytes", fortyNine.c_str(), (fortyNine + "ぽ").c_str(),
         fortyNine.c_str(), 49, false, true},
        {"half-width katakana in the last byte", fortyNine.c_str(), (fortyNine + "ﾎﾟ").c_str(),
         (fortyNine + "ﾎ").c_str(), 50, false, true},
        {"pasted name filling the field exactly", "", (twentyFourKana + "ab").c_str(),
         (twentyFourKana + "ab").c_str(), 26, false, false},
        {"pasted name cut where it stops fitting", "", (twentyFourKana + "aぽ").c_str(), (twentyFourKana + "a").c_str(),
         25, false, true},
        {"name character without cp932 form", "ぽすけ", "ぽす😀け", "ぽすけ", 2, true, false},
    });
}

TEST(ByteLimitedInput, RefusesNulAndKeepsTheTextWhenTheEditIsNotUtf8) {
    const LimitedEdit nul = acceptLimitedEdit("ab", std::string_view("a\0b", 3), 50);
    EXPECT_EQ(nul.text, "ab");
    EXPECT_TRUE(nul.refusedCharacters);

    const LimitedEdit invalid = acceptLimitedEdit("ab", "a\xff", 50);
    EXPECT_EQ(invalid.text, "ab");
    EXPECT_TRUE(invalid.refusedCharacters);
}

}  // namespace
}  // namespace orvane
