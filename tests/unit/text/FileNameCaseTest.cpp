#include <gtest/gtest.h>

#include <string>

#include "text/FileNameCase.h"

namespace orvane::text {
namespace {

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
        {"*_受信フォルダ", "受信フォルダ", false}, {"*おともだち帳", "おともだち帳", true},
        {"*.*", "a.b.c", true}, {".*", "", true}, {"*", "", true}, {"?.ppc", "予.ppc", true}, {"*a*b", "xaxxb", true}, {"*a*b", "xaxxbc", false}, {"a.*", "b", false},
    };
    for (const auto& c : cases) EXPECT_EQ(matchesFileNamePattern(c.pattern, c.name), c.matches) << c.pattern << " ~ " << c.name;
}

}  // namespace
}  // namespace orvane::text
