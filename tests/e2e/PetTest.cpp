// A pet's forms, and an encrypted pet's sessions: the password asked, the
// pet packed when its host ends or, when that was cut off, at the next start.

#include "OrvaneTest.h"

namespace orvane::e2e {
namespace {

TEST_F(Orvane, PetFormsAPetIsRenamedEncryptedAndDiscardedAndANewOneAddedAndLaunched) {
    const Program orvane = start();
    press(dialog(orvane, kMainCaption), IDC_MAIN_SETTINGS);
    HWND settings = dialog(orvane, L"設定", "settings-131");
    press(settings, IDC_SETTINGS_ABOUT);
    HWND about = dialog(orvane, L"バージョン情報", "about-100");
    // Read, never clicked: a click would start the system's browser.
    EXPECT_EQ(textOf(GetDlgItem(about, IDC_ABOUT_WEB)), L"orvane.example.jp");
    EXPECT_EQ(textOf(GetDlgItem(about, IDC_ABOUT_MAIL)), L"pet@example.jp");
    EXPECT_TRUE(isSeen(GetDlgItem(about, IDC_ABOUT_WEB)) && isSeen(GetDlgItem(about, IDC_ABOUT_MAIL)));
    ASSERT_TRUE(pressToClose(about, IDOK));

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
    EXPECT_TRUE(unpackCopy("じろう", kPassword).contains("じろう.ppc"));
    choose(pets, 1);
    press(settings, IDC_SETTINGS_DISCARD);
    HWND warning = dialog(orvane, L"警告", "message-discard-warning");
    EXPECT_TRUE(textOf(GetDlgItem(warning, 0xFFFF)).starts_with(L"じろうを捨てますか?"));
    press(warning, IDYES);
    givePassword(orvane, kPassword);
    EXPECT_TRUE(waitUntil([&] { return !has("じろう.apd") && registry.count() == 2 && itemsOf(pets).size() == 2; }));

    // A name the rules refuse is told, and the form stays for another.
    press(settings, IDOK);
    HWND add = dialog(orvane, L"ペットの追加", "add-pet-132");
    setText(GetDlgItem(add, IDC_ADD_NAME), L"ぽ:すけ");
    press(add, IDOK);
    EXPECT_TRUE(acknowledge(orvane, kErrorTitle, "message-name-refused").starts_with(L"ペットの名前に次の文字はつかえません。"));
    setText(GetDlgItem(add, IDC_ADD_NAME), L"たろう");
    press(add, IDOK);
    HWND host = hostSession();
    EXPECT_EQ(registry.petInPlace(), 2) << "the pet added was not launched";
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
    // OK takes four bytes or more; press waits for it to be enabled.
    setText(GetDlgItem(passwordDialog, IDC_PASSWORD_TEXT), L"abc");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(passwordDialog, IDOK))) << "OK with 3 bytes";
    setText(GetDlgItem(passwordDialog, IDC_PASSWORD_TEXT), L"abcd");
    press(passwordDialog, IDOK);
    EXPECT_EQ(acknowledge(orvane, kErrorTitle, "message-wrong-password"), L"パスワードが不正です。");
    EXPECT_EQ(snapshot(temp.path()), filesBefore);
    EXPECT_TRUE(findWindows(0, kHostClass).empty()) << "a host was started";
    EXPECT_TRUE(isSeen(mainWindow)) << "the main window is not shown";

    launch(orvane, 2);
    givePassword(orvane, kPassword);
    HWND host = hostSession();
    EXPECT_TRUE(waitForHostLog("seen", kEncryptedPet)) << "the host does not show the encrypted pet";
    shot(host, "host-encrypted-pet");
    ASSERT_TRUE(endSession(host, orvane)) << "the program did not end with its host";
    EXPECT_FALSE(has(petFileInPlace) || has(names.settingsName + ".bak") || has(names.receiveFolder) ||
                 has(names.sendFolder)) << "the encrypted pet is left in the clear";
    unpackCopy(kEncryptedPet, kPassword);
}

// The program ended during a session: the next start finishes it, and says
// what stands in the way until nothing does. The newest data is kept.
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
    {
        const Program orvane = start();
        acknowledge(orvane, L"お知らせ", "message-password-to-pack");
        givePassword(orvane, kPassword);
        EXPECT_NE(acknowledge(orvane, kErrorTitle, "message-pack-blocked").find(L"\n" + wide(blocker)), std::wstring::npos)
            << "the message does not name the file as it lies";
    }
    EXPECT_EQ(read(petFileInPlace), newest);
    EXPECT_EQ(read(kEncryptedPet + ".apd"), containerBefore);
    ASSERT_TRUE(dir->deleteFile(blocker));
    const Program orvane = start();
    acknowledge(orvane, L"お知らせ", "message-password-to-pack");
    givePassword(orvane, kPassword);
    EXPECT_NE(acknowledge(orvane, L"お知らせ", "message-session-recovered").find(wide(kEncryptedPet)), std::wstring::npos);
    EXPECT_FALSE(has(petFileInPlace)) << "the encrypted pet is left in the clear";
    EXPECT_EQ(unpackCopy(kEncryptedPet, kPassword)[kEncryptedPet + ".ppc"], newest);
}

}  // namespace
}  // namespace orvane::e2e
