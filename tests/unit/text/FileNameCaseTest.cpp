#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "text/FileNameCase.h"

namespace orvane::text {
namespace {

TEST(FileNameCase, FoldsTheLettersWindowsFolds) {
    const struct {
        const char* a;
        const char* b;
        bool same;
    } cases[] = {
        {"Velmora.EXE", "velmora.exe", true},
        {"ＡＢＣ", "ａｂｃ", true},
        {"ÉCOLE", "école", true},
        {"ŁÓDŹ", "łódź", true},
        {"ΣΟΦΙΑ", "σοφια", true},
        {"МОСКВА", "москва", true},
        {"ひらがな", "ヒラガナ", false},
        {"ｶ", "カ", false},
        {"a", "ａ", false},
    };
    for (const auto& c : cases) EXPECT_EQ(sameFileName(c.a, c.b), c.same) << c.a << " / " << c.b;
}

TEST(FileNameCase, MatchesPatternsLikeWindows) {
    const struct {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"Velmora*.exe", "Velmora.exe", true},
        {"Velmora*.exe", "VELMORAKIDS.EXE", true},
        {"Velmora*.exe", "Velmora.exe.bak", false},
        {"*.ppc", "ポチ.ppc", true},
        {"*.ppc", "a.ppcx", false},
        {"*.ppc", "a.PPC", true},
        {"*_受信フォルダ", "ポチ_受信フォルダ", true},
        {"*_受信フォルダ", "受信フォルダ", false},
        {"*おともだち帳", "おともだち帳", true},
        {"*おともだち帳", "共有_おともだち帳", true},
        {"*.*", "noextension", true},
        {"*.*", "a.b.c", true},
        {"*", "anything", true},
        {"?.ppc", "予.ppc", true},
        {"?.ppc", "ab.ppc", false},
        {"*a*b", "xaxxb", true},
        {"*a*b", "xaxxbc", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(matchesFileNamePattern(c.pattern, c.name), c.matches) << c.pattern << " ~ " << c.name;
    }
}

TEST(FileNameCase, SortsByFoldedNameThenByBytes) {
    std::vector<std::string> names = {"b", "B", "a", "C", "ａ", "Ａ"};
    std::sort(names.begin(), names.end(),
              [](const std::string& x, const std::string& y) { return fileNameLess(x, y); });
    EXPECT_EQ(names, (std::vector<std::string>{"a", "B", "b", "C", "Ａ", "ａ"}));
}

}  // namespace
}  // namespace orvane::text
