// A pet's forms, and an encrypted pet's sessions: the password asked, the
// pet packed when its host ends or, when that was cut off, at the next start.

#include "OrvaneTest.h"

namespace orvane::e2e {
namespace {

TEST_F(Orvane, PetFormsAPetIsRenamedEncryptedAndDiscardedAndANewOneAddedAndLaunched) {
    const Program orvane = start();
    press(dialog(orvane, kMainCaption), IDC_MAIN_SETTINGS);
    HWND settings = dialog(orvane, L"設定", "settings-131");
    HWND pets = GetDlgItem(settings, IDC_SETTINGS_PETS);
    choose(pets, 1);
    setText(GetDlgItem(settings, IDC_SETTINGS_NAME), L"じろう");
    press(settings, IDC_SETTINGS_APPLY);
    EXPECT_TRUE(waitUntil([&] { return registry.name(1) == "じろう" && itemsOf(pets).at(1) == L"じろう"; }));
    send(GetDlgItem(settings, IDC_SETTINGS_ENCRYPTED), BM_SETCHECK, BST_CHECKED);
    press(settings, IDC_SETTINGS_ENCRYPTED);
    press(settings, IDC_SETTINGS_APPLY);
    givePassword(orvane, kPassword);
    ASSERT_TRUE(waitUntil([&] { return has("じろう.apd") && !has("じろう.ppc"); })) << "the pet was not packed";
    choose(pets, 1);
    press(settings, IDC_SETTINGS_DISCARD);
    HWND warning = dialog(orvane, L"警告", "message-discard-warning");
    EXPECT_TRUE(textOf(GetDlgItem(warning, 0xFFFF)).starts_with(L"じろうを捨てますか?"));
    press(warning, IDYES);
    givePassword(orvane, kPassword);
    EXPECT_TRUE(waitUntil([&] { return !has("じろう.apd") && registry.count() == 2 && itemsOf(pets).size() == 2; }));

    // A new pet shares everything unless told otherwise.
    press(settings, IDOK);
    HWND add = dialog(orvane, L"ペットの追加", "add-pet-132");
    setText(GetDlgItem(add, IDC_ADD_NAME), L"たろう");
    press(add, IDOK);
    HWND host = hostSession();
    EXPECT_TRUE(registry.petInPlace() == 2 && registry.status(2) == 7) << "the pet added was not launched as a plain one";
    EXPECT_TRUE(endSession(host, orvane)) << "the program did not end with its host";
}

TEST_F(Orvane, EncryptedSessionAsksThePasswordUnpacksThePetForTheHostAndPacksItAgain) {
    const auto filesBefore = snapshot(temp.path());
    const Program orvane = start();
    HWND mainWindow = launch(orvane, 2);
    HWND passwordDialog = dialog(orvane, kPasswordCaption, "password-133");
    EXPECT_FALSE(IsWindowEnabled(mainWindow)) << "the main window takes clicks while the password is asked";
    // What Launch sends, even to a disabled window. A launch taken now
    // would open its own password dialog inside this message.
    send(mainWindow, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(mainWindow, IDOK)));
    EXPECT_EQ(findWindows(orvane.id(), kDialogClass, kPasswordCaption).size(), 1u) << "a second launch was taken";
    setText(GetDlgItem(passwordDialog, IDC_PASSWORD_TEXT), L"abcd");
    press(passwordDialog, IDOK);
    EXPECT_EQ(acknowledge(orvane, kErrorTitle, "message-wrong-password"), L"パスワードが不正です。");
    EXPECT_EQ(snapshot(temp.path()), filesBefore);
    EXPECT_TRUE(findWindows(0, kHostClass).empty()) << "a host was started";
    EXPECT_TRUE(isSeen(mainWindow)) << "the main window is not shown";

    launch(orvane, 2);
    givePassword(orvane, kPassword);
    HWND host = hostSession();
    EXPECT_FALSE(isSeen(mainWindow)) << "the main window shows while the host runs";
    EXPECT_TRUE(waitForHostLog("seen", kEncryptedPet)) << "the host does not show the encrypted pet";
    shot(host, "host-encrypted-pet");
    ASSERT_TRUE(endSession(host, orvane)) << "the program did not end with its host";
    EXPECT_FALSE(has(petFileInPlace) || has(names.settingsName + ".bak") || has(names.receiveFolder) ||
                 has(names.sendFolder)) << "the encrypted pet is left in the clear";
    unpackCopy(kEncryptedPet, kPassword);
}

// The program ended during a session: the next start finishes it, and says
// what stands in the way; the newest data is kept.
TEST_F(Orvane, EncryptedSessionASessionCutOffIsFinishedAtTheNextStart) {
    const std::string blocker = names.receiveFolder + "\\café.ppm";  // "é" has no form a container can store
    const std::string newest = kEncryptedPet + "\r\nversion 2\r\n";
    const std::string containerBefore = read(kEncryptedPet + ".apd");
    {
        const Program orvane = start();
        launch(orvane, 2);
        givePassword(orvane, kPassword);
        HWND host = hostSession();
        write(petFileInPlace, newest);
        write(blocker, "photo");
        ASSERT_TRUE(orvane.kill());
        ASSERT_TRUE(PostMessageW(host, WM_CLOSE, 0, 0) && waitForNoWindow(0, kHostClass));
    }
    const Program orvane = start();
    acknowledge(orvane, L"お知らせ", "message-password-to-pack");
    givePassword(orvane, kPassword);
    EXPECT_NE(acknowledge(orvane, kErrorTitle, "message-pack-blocked").find(L"\n" + wide(blocker)), std::wstring::npos)
        << "the message does not name the file as it lies";
    EXPECT_EQ(read(petFileInPlace), newest);
    EXPECT_EQ(read(kEncryptedPet + ".apd"), containerBefore);
}

}  // namespace
}  // namespace orvane::e2e
