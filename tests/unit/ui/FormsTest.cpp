#include <gtest/gtest.h>

#include <tuple>

#include "TempDir.h"
#include "ui/ByteLimitedInput.h"
#include "ui/CommandLinePet.h"
#include "ui/FirstRunScan.h"
#include "ui/PasswordInput.h"
#include "ui/PetForms.h"

namespace orvane {
namespace {

// The four boxes as a status value, the share-logs bit included even where
// statusOf would drop it, so that what is shown is compared.
int shown(const PetOptions& o) {
    return (o.shareFriendsBook ? 1 : 0) | (o.shareTreasures ? 2 : 0) | (o.shareLogs ? 4 : 0) | (o.encrypted ? 8 : 0);
}

// Steps of the user or the dialog, as the settings dialog hands them to its form.
enum Step { Changed, Discarded, Tick, Untick, SelectA7, SelectA11, SelectB3 };
void take(SettingsForm& form, Step step) {
    if (step == Changed) return form.userChanged();
    if (step == Discarded) return form.discarded();
    if (step == Tick || step == Untick) return form.options.encrypted = step == Tick, form.encryptedClicked();
    form.selectPet(step == SelectB3, step == SelectB3 ? "b" : "a", step == SelectA7 ? 7 : step == SelectA11 ? 11 : 3);
}

TEST(PetForms, TheSettingsFormEnablesApplyAndTheShareLogsBoxAsTheUserWorks) {
    const struct { const char* what; std::vector<Step> steps; int selected, boxes, stored; bool apply, logs; } cases[] = {
        {"no pet: a change enables nothing", {Changed, Tick}, -1, 8, 0, false, true},
        {"a sharing box or the name enables apply", {SelectA7, Changed}, 0, 7, 7, true, true},
        {"ticking encrypted clears share-logs", {SelectA7, Tick}, 0, 11, 7, true, false},
        {"unticking leaves it cleared", {SelectA7, Tick, Untick}, 0, 3, 7, true, true},
        {"another pet drops a change", {SelectA7, Tick, SelectB3}, 1, 3, 3, false, true},
        {"discarded: none selected", {SelectA11, Changed, Discarded, Changed}, -1, 0, 0, false, true},
    };
    for (const auto& c : cases) {
        SettingsForm form(false);
        for (const Step step : c.steps) take(form, step);
        EXPECT_EQ(form.selected(), c.selected) << c.what;
        EXPECT_EQ(form.name.empty(), c.selected < 0) << c.what;
        EXPECT_EQ(shown(form.options), c.boxes) << c.what;
        EXPECT_EQ(form.storedStatus(), c.stored) << c.what;
        EXPECT_EQ(form.applyEnabled(), c.apply) << c.what;
        EXPECT_EQ(form.shareLogsEnabled(), c.logs) << c.what;
    }
    for (int status = 0; status < 16; ++status) EXPECT_EQ(shown(optionsOfStatus(status)), status) << status;
}

// The setup finds the host's folder 15 characters after the marker of its
// uninstall entry, and the pets lying there: pet files, then containers.
TEST(FirstRunScan, FindsTheInstallDirAndThePetsInIt) {
    const char* entries[][2] = {{R"(C:\WINDOWS\IsUn0411.exe -fD:\Host\Uninst.isu)", R"(D:\Host)"},
                                {R"(IsUn0411.exeあいう"E:\表\a.isu)", R"(E:\表)"}, {R"(C:\uninst.exe -f"D:\Host\Uninst.isu")", ""},
                                {R"(IsUn0411.exe -f"Uninst.isu")", ""}, {"IsUn0411.exe", ""}};
    for (const auto& c : entries) EXPECT_EQ(installDirFromUninstallString(c[0]), c[1]) << c[0];
    test::TempDir temp;
    for (const char* name : {"VelmoraKids設定.ppc", "変更前のVelmora設定.ppc", "むかしのVelmoraKids設定.ppc",
                             "変更前のVelmoraKids設定.ppc", "a.b.PPC", "タマ.apd", "x.ppcx"}) temp.writeFile(name, "");
    for (const char* folder : {"folder.ppc", "folder.apd"}) temp.makeFolder(folder);
    EXPECT_EQ(scanExistingPets(*openInstallDir(temp.path())), (std::vector<std::string>{"a.b", "default", "タマ"}));
}

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
        {50, "ab", "a\xff", "ab", 0, true, false},        {16, "ab", "aab", "aab", 2, false, false},  // the caret after the letter typed twice
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
        {{"Orvane.exe"}, none}, {{"Orvane.exe", "-ポチ"}, 1}, {{"Orvane.exe", "/ポチ"}, 1}, {{"Orvane.exe", "ポチ"}, none}, {{"Orvane.exe", "xPochi"}, none},
        {{"Orvane.exe", "-pochi"}, none}, {{"Orvane.exe", "-ポチ "}, none}, {{"Orvane.exe", "--ポチ"}, none},
        {{"Orvane.exe", ""}, none}, {{"Orvane.exe", "ポチ", "-ポチ"}, none}, {{"Orvane.exe", "-ポチ", "-Pochi"}, 1},
        {{"Orvane.exe", "-タマ"}, 3}, {{"Orvane.exe", "-"}, 4},
    };
    for (const auto& [arguments, selection] : cases) EXPECT_EQ(commandLineSelection(arguments, pets), selection) << arguments.back();
}

}  // namespace
}  // namespace orvane
