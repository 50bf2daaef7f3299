// The settings dialog of the main window: a pet added (and launched at
// once), renamed, made encrypted and discarded; the name rules' messages.

#include "OrvaneTest.h"
#include "ProgramWindows.h"
#include "support/Controls.h"
#include "support/WindowFinder.h"

namespace orvane::e2e {
namespace {

using namespace program;

const std::string kAddedPet = "たろう";
const std::string kRenamedPet = "じろう";
constexpr int kAddedPetIndex = 3;

class Settings : public OrvaneTest {
protected:
    void SetUp() override { writeSettings(); }

    HWND openSettings(const ChildProcess& orvane) {
        HWND mainWindow = waitForDialog(orvane, main::kCaption);
        if (!mainWindow) return nullptr;
        press(mainWindow, main::kSettings);
        return waitForDialog(orvane, settings::kCaption);
    }

    HWND openAddPet(const ChildProcess& orvane, HWND settingsDialog) {
        press(settingsDialog, settings::kAdd);
        return waitForDialog(orvane, addPet::kCaption);
    }

    // Presses Apply once the change has enabled it.
    static void apply(HWND settingsDialog) { press(settingsDialog, settings::kApply); }

    void enterPassword(const ChildProcess& orvane, const std::string& shot = {}) {
        HWND dialog = waitForDialog(orvane, password::kCaption);
        ASSERT_TRUE(dialog) << "no password dialog";
        if (!shot.empty()) screenshot(dialog, shot);
        setText(controlOf(dialog, password::kField), wide(kPassword));
        press(dialog, kOk);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(dialog); }));
    }

    // Back to the main window, and out of the program.
    static void leave(HWND settingsDialog, const ChildProcess& orvane) {
        HWND mainWindow = GetWindow(settingsDialog, GW_OWNER);
        press(settingsDialog, settings::kBack);
        ASSERT_TRUE(waitUntil([&] { return !IsWindow(settingsDialog); }));
        press(mainWindow, main::kExit);
        EXPECT_TRUE(orvane.waitForExit());
    }
};

TEST_F(Settings, NameRulesAreToldWhenAddingAPet) {
    ChildProcess orvane = startOrvane();
    HWND settingsDialog = openSettings(orvane);
    ASSERT_TRUE(settingsDialog) << "no settings dialog";
    HWND add = openAddPet(orvane, settingsDialog);
    ASSERT_TRUE(add) << "no add-pet dialog";
    screenshot(add, "add-pet-132");

    struct Rule {
        std::wstring name;
        std::wstring messageStart;
        std::string shot;
    };
    for (const Rule& rule : {Rule{L"", kNoName, "message-name-missing"},
                             Rule{L"共有", kReservedName, "message-name-reserved"},
                             Rule{L"ぽ:すけ", kForbiddenCharacter, "message-name-forbidden-character"}}) {
        setText(controlOf(add, addPet::kName), rule.name);
        press(add, kOk);
        EXPECT_EQ(acknowledgeBox(orvane, kErrorTitle, rule.shot).rfind(rule.messageStart, 0), 0u) << rule.shot;
        EXPECT_TRUE(IsWindow(add)) << "the add-pet dialog closed on " << rule.shot;
    }

    press(add, kCancel);
    ASSERT_TRUE(waitUntil([&] { return !IsWindow(add); }));
    EXPECT_EQ(registry().count(), 3);
    leave(settingsDialog, orvane);
}

TEST_F(Settings, AddedPetLaunchesAtOnceAndIsRenamedEncryptedAndDiscarded) {
    {
        ChildProcess orvane = startOrvane();
        HWND settingsDialog = openSettings(orvane);
        ASSERT_TRUE(settingsDialog) << "no settings dialog";
        screenshot(settingsDialog, "settings-131");
        HWND add = openAddPet(orvane, settingsDialog);
        ASSERT_TRUE(add) << "no add-pet dialog";
        setText(controlOf(add, addPet::kName), wide(kAddedPet));
        press(add, kOk);
        HWND host = waitForHostSession();
        ASSERT_TRUE(host) << "the added pet was not launched";
        EXPECT_EQ(registry().count(), 4);
        EXPECT_EQ(registry().name(kAddedPetIndex), kAddedPet);
        EXPECT_EQ(registry().petInPlace(), kAddedPetIndex);
        PostMessageW(host, WM_CLOSE, 0, 0);
        ASSERT_TRUE(orvane.waitForExit()) << "the program did not end with the host";
    }

    ChildProcess orvane = startOrvane();
    HWND settingsDialog = openSettings(orvane);
    ASSERT_TRUE(settingsDialog) << "no settings dialog";
    HWND pets = controlOf(settingsDialog, settings::kPets);
    chooseListItem(pets, kAddedPetIndex);

    setText(controlOf(settingsDialog, settings::kName), wide(kRenamedPet));
    apply(settingsDialog);
    EXPECT_TRUE(waitUntil([&] { return registry().name(kAddedPetIndex) == kRenamedPet; })) << "not renamed";
    EXPECT_TRUE(waitUntil([&] { return listItems(pets).size() == 4 && listItems(pets)[3] == wide(kRenamedPet); }));

    setCheckBox(settingsDialog, settings::kEncrypted, true);
    apply(settingsDialog);
    enterPassword(orvane, "password-133-encrypt");
    ASSERT_TRUE(waitUntil([&] { return has(kRenamedPet + ".apd"); })) << "no container for the encrypted pet";
    unpackCopy(kRenamedPet, kPassword);

    chooseListItem(pets, kAddedPetIndex);
    press(settingsDialog, settings::kDiscard);
    HWND warning = waitForDialog(orvane, kWarningTitle);
    ASSERT_TRUE(warning) << "no question before discarding";
    EXPECT_EQ(staticTexts(warning).rfind(wide(kRenamedPet) + L"を捨てますか?", 0), 0u);
    screenshot(warning, "message-discard-warning");
    press(warning, IDYES);
    enterPassword(orvane);
    EXPECT_TRUE(waitUntil([&] { return !has(kRenamedPet + ".apd"); })) << "the container stays";
    EXPECT_TRUE(waitUntil([&] { return registry().count() == 3; })) << "the pet stays registered";
    EXPECT_EQ(listItems(pets).size(), 3u);
    leave(settingsDialog, orvane);
}

}  // namespace
}  // namespace orvane::e2e
