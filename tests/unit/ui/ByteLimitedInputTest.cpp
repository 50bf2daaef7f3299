#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "ui/ByteLimitedInput.h"
#include "ui/CommandLinePet.h"
#include "ui/PasswordInput.h"

namespace orvane {
namespace {

// The password field keeps 16 cp932 bytes, the name fields 50; the text
// an edit leaves, where the caret goes, whether characters were refused or cut.
TEST(ByteLimitedInput, KeepsWhatFitsInTheFieldsCp932Bytes) {
    const std::string p16 = "abcdefghijklmnop", a15(15, 'a'), a49(49, 'a');
    const struct { std::size_t limit; std::string before, after, text; std::size_t caret; bool refused, cut; } cases[] = {
        {16, "", "a", "a", 1, false, false},              {16, p16, p16 + "q", p16, 16, false, true},
        {16, "", p16 + "qrstu", p16, 16, false, true},     {16, p16, "abcXdefghijklmnop", p16, 3, false, true},
        {16, a15.substr(1), a15.substr(1) + "あ", a15.substr(1) + "あ", 15, false, false},
        {16, a15, a15 + "あ", a15, 15, false, true},      {16, "", "あいうえおかきくけ", "あいうえおかきく", 8, false, true},
        {16, "ab", "a😀éxb", "axb", 2, true, false},      {16, "abcd", "aXYd", "aXYd", 3, false, false},
        {16, "abcdef", "abef", "abef", 2, false, false},  {16, "", "①ｱ", "①ｱ", 2, false, false},
        {50, a49, a49 + "ﾎﾟ", a49 + "ﾎ", 50, false, true}, {50, a49, a49 + "ぽ", a49, 49, false, true},
        {50, "ab", std::string("a\0b", 3), "ab", 1, true, false},  // a NUL would end the text early
        {50, "ab", "a\xff", "ab", 0, true, false},
    };
    for (const auto& c : cases) {
        const LimitedEdit edit = acceptLimitedEdit(c.before, c.after, c.limit);
        EXPECT_EQ(std::tie(edit.text, edit.caret), std::tie(c.text, c.caret)) << c.after;
        EXPECT_EQ(std::pair(edit.refusedCharacters, edit.cutAtLimit), std::pair(c.refused, c.cut)) << c.after;
    }
    const std::pair<const char*, bool> passwords[] = {{"abc", false}, {"abcd", true}, {"aあ", false}, {"ｱｲｳｴ", true}, {"😀😀", false}};
    for (const auto& [text, enough] : passwords) EXPECT_EQ(passwordLongEnough(text), enough) << text;
}

// The first argument, "-" or "/" and a pet's exact name; the last of equal items.
TEST(CommandLinePet, SelectsThePetNamedAfterADashOrSlash) {
    const std::vector<std::string> pets = {"タマ", "ポチ", "Pochi", "タマ", ""};
    const std::optional<int> none;
    const std::pair<std::vector<std::string>, std::optional<int>> cases[] = {
        {{"Orvane.exe"}, none}, {{"Orvane.exe", "-ポチ"}, 1}, {{"Orvane.exe", "/ポチ"}, 1}, {{"Orvane.exe", "ポチ"}, none},
        {{"Orvane.exe", "-pochi"}, none}, {{"Orvane.exe", "-ポチ "}, none}, {{"Orvane.exe", "--ポチ"}, none},
        {{"Orvane.exe", ""}, none}, {{"Orvane.exe", "ポチ", "-ポチ"}, none}, {{"Orvane.exe", "-ポチ", "-Pochi"}, 1},
        {{"Orvane.exe", "-タマ"}, 3}, {{"Orvane.exe", "-"}, 4},
    };
    for (const auto& [arguments, selection] : cases) EXPECT_EQ(commandLineSelection(arguments, pets), selection) << arguments.back();
}

}  // namespace
}  // namespace orvane
