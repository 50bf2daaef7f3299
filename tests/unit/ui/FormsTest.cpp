#include <gtest/gtest.h>

#include <functional>

#include "TempDir.h"
#include "ui/FirstRunScan.h"
#include "ui/PetForms.h"
#include "ui/Placement.h"

namespace orvane {
namespace {

// The four boxes as a status value, the share-logs bit included even where
// statusOf would drop it, so that what is shown is compared.
int shown(const PetOptions& o) {
    return (o.shareFriendsBook ? 1 : 0) | (o.shareTreasures ? 2 : 0) | (o.shareLogs ? 4 : 0) | (o.encrypted ? 8 : 0);
}

// Steps of the user or the dialog, as the settings dialog hands them to its form.
using Step = std::function<void(SettingsForm&)>;
Step select(int number, std::string name, int status) {
    return [=](SettingsForm& form) { form.selectPet(number, name, status); };
}
Step encrypted(bool ticked) {
    return [=](SettingsForm& form) {
        form.options.encrypted = ticked;
        form.encryptedClicked();
    };
}
const Step changed = [](SettingsForm& form) { form.userChanged(); };
const Step discarded = [](SettingsForm& form) { form.discarded(); };

TEST(PetForms, TheSettingsFormEnablesApplyAndTheShareLogsBoxAsTheUserWorks) {
    const struct { const char* what; std::vector<Step> steps; int selected, boxes, stored; bool apply, logs; } cases[] = {
        {"no pet: a change enables nothing", {changed, encrypted(true)}, -1, 8, 0, false, true},
        {"a sharing box or the name enables apply", {select(0, "a", 7), changed}, 0, 7, 7, true, true},
        {"ticking encrypted clears share-logs", {select(0, "a", 7), encrypted(true)}, 0, 11, 7, true, false},
        {"unticking leaves it cleared", {select(0, "a", 7), encrypted(true), encrypted(false)}, 0, 3, 7, true, true},
        {"another pet drops a change", {select(0, "a", 7), encrypted(true), select(1, "b", 3)}, 1, 3, 3, false, true},
        {"discarded: none selected", {select(0, "a", 11), changed, discarded, changed}, -1, 0, 0, false, true},
    };
    for (const auto& c : cases) {
        SettingsForm form(false);
        for (const Step& step : c.steps) step(form);
        EXPECT_EQ(form.selected(), c.selected) << c.what;
        EXPECT_EQ(form.name.empty(), c.selected < 0) << c.what;
        EXPECT_EQ(shown(form.options), c.boxes) << c.what;
        EXPECT_EQ(form.storedStatus(), c.stored) << c.what;
        EXPECT_EQ(form.applyEnabled(), c.apply) << c.what;
        EXPECT_EQ(form.shareLogsEnabled(), c.logs) << c.what;
    }
    for (int status = 0; status < 16; ++status) EXPECT_EQ(shown(optionsOfStatus(status)), status) << status;
}

// A new pet shares everything unless the user says otherwise; an encrypted
// one never shares its logs; the standard edition always shares treasures.
TEST(PetForms, TheAddPetFormStartsSharingAndNeverSharesTheLogsOfAnEncryptedPet) {
    const struct { std::vector<bool> clicks; int status; bool logs; } cases[] = {
        {{}, 7, true}, {{true}, 11, false}, {{true, false}, 3, true}};
    for (const auto& c : cases) {
        AddPetForm form(true);
        for (const bool ticked : c.clicks) form.options.encrypted = ticked, form.encryptedClicked();
        EXPECT_EQ(std::pair(statusOf(form.options), form.shareLogsEnabled()), std::pair(c.status, c.logs)) << c.status;
    }
    for (const bool standard : {true, false}) {
        EXPECT_EQ(SettingsForm(standard).shareTreasuresEnabled(), !standard);
        EXPECT_EQ(AddPetForm(standard).shareTreasuresEnabled(), !standard);
    }
}

// A 200 x 300 window: centred on the work area's size, or where it was.
TEST(Placement, CentresOnTheWorkAreaSizeOrUsesTheStoredPosition) {
    const std::optional<int> none;
    const struct { ScreenRect workArea; WindowPosition stored; int left, top; } cases[] = {
        {{0, 0, 1023, 739}, {}, 411, 219}, {{100, 50, 1124, 788}, {}, 412, 219},  // only the size counts
        {{0, 0, 100, 100}, {}, -50, -100},  // toward zero: (100 - 201) / 2 is -50
        {{0, 0, 1024, 738}, {30, none}, 30, 219}, {{0, 0, 1024, 738}, {none, -9000}, 412, -9000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(placementRect(200, 300, c.workArea, c.stored), (ScreenRect{c.left, c.top, c.left + 200, c.top + 300}))
            << c.left << "," << c.top;
    }
}

// The setup finds the host's folder 15 characters after the marker of its
// uninstall entry, and the pets lying there: pet files, then containers.
TEST(FirstRunScan, FindsTheInstallDirAndThePetsInIt) {
    const char* entries[][2] = {{R"(C:\WINDOWS\IsUn0411.exe -f"D:\Apps\Host\Uninst.isu")", R"(D:\Apps\Host)"},
                                {R"(C:\WINDOWS\IsUn0411.exe -fD:\Host\Uninst.isu)", R"(D:\Host)"},
                                {R"(IsUn0411.exeあいう"E:\表\a.isu)", R"(E:\表)"}, {R"(C:\uninst.exe -f"D:\Host\Uninst.isu")", ""},
                                {R"(IsUn0411.exe -f"Uninst.isu")", ""}, {"IsUn0411.exe", ""}};
    for (const auto& c : entries) EXPECT_EQ(installDirFromUninstallString(c[0]), c[1]) << c[0];
    test::TempDir temp;
    for (const char* name : {"Velmora設定.ppc", "VelmoraKids設定.ppc", "むかしのVelmora設定.ppc", "変更前のVelmora設定.ppc",
                             "むかしのVelmoraKids設定.ppc", "変更前のVelmoraKids設定.ppc", "ポチ.ppc", "a.b.PPC", "タマ.apd",
                             "ポチ.apd", "x.ppcx"}) temp.writeFile(name, "");
    for (const char* folder : {"folder.ppc", "folder.apd"}) temp.makeFolder(folder);
    EXPECT_EQ(scanExistingPets(*openInstallDir(temp.path())),
              (std::vector<std::string>{"a.b", "default", "default", "ポチ", "タマ", "ポチ"}));
}

}  // namespace
}  // namespace orvane
