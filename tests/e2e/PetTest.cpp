// A pet's forms and an encrypted pet's sessions: added (and launched at
// once), renamed, made encrypted and discarded; its password asked, and its
// pieces packed when the host ends, or at the next start when that failed.

#include "OrvaneTest.h"

namespace orvane::e2e {
namespace {

using PetForms = OrvaneTest;
using EncryptedSession = OrvaneTest;

HWND openSettings(const Program& orvane, HWND mainWindow) {
    if (mainWindow) press(mainWindow, IDC_MAIN_SETTINGS);
    return mainWindow ? waitForWindow(orvane.id(), kDialogClass, L"設定") : nullptr;
}

TEST_F(PetForms, APetIsAddedRenamedEncryptedAndDiscarded) {
    {
        const Program orvane = start();
        HWND settings = openSettings(orvane, dialog(orvane, kMainCaption));
        ASSERT_TRUE(settings) << "no settings dialog";
        shot(settings, "settings-131");
        press(settings, IDC_SETTINGS_ABOUT);
        HWND about = dialog(orvane, L"バージョン情報", "about-100");
        ASSERT_TRUE(about) << "no About box";
        // Read, never clicked: a click would start the system's browser.
        EXPECT_EQ(textOf(GetDlgItem(about, IDC_ABOUT_WEB)), L"orvane.example.jp");
        EXPECT_EQ(textOf(GetDlgItem(about, IDC_ABOUT_MAIL)), L"pet@example.jp");
        EXPECT_TRUE(isSeen(GetDlgItem(about, IDC_ABOUT_WEB)) && isSeen(GetDlgItem(about, IDC_ABOUT_MAIL)));
        ASSERT_TRUE(pressToClose(about, IDOK));

        press(settings, IDOK);
        HWND add = dialog(orvane, L"ペットの追加", "add-pet-132");
        ASSERT_TRUE(add) << "no add-pet dialog";
        // A name the rules refuse is told, and the form stays for another.
        setText(GetDlgItem(add, IDC_ADD_NAME), L"ぽ:すけ");
        press(add, IDOK);
        EXPECT_TRUE(acknowledge(orvane, kErrorTitle, "message-name-refused")
                        .starts_with(L"ペットの名前に次の文字はつかえません。"));
        setText(GetDlgItem(add, IDC_ADD_NAME), L"たろう");
        press(add, IDOK);
        HWND host = hostSession();
        ASSERT_TRUE(host) << "the added pet was not launched";
        EXPECT_EQ(registry.name(3), "たろう");
        EXPECT_EQ(registry.petInPlace(), 3);
        PostMessageW(host, WM_CLOSE, 0, 0);
        ASSERT_TRUE(orvane.waitForExit()) << "the program did not end with its host";
    }
    const Program orvane = start();
    HWND settings = openSettings(orvane, dialog(orvane, kMainCaption));
    ASSERT_TRUE(settings) << "no settings dialog";
    HWND pets = GetDlgItem(settings, IDC_SETTINGS_PETS);
    choose(pets, 3);
    setText(GetDlgItem(settings, IDC_SETTINGS_NAME), L"じろう");
    press(settings, IDC_SETTINGS_APPLY);
    EXPECT_TRUE(waitUntil([&] { return registry.name(3) == "じろう" && itemsOf(pets).at(3) == L"じろう"; }));

    send(GetDlgItem(settings, IDC_SETTINGS_ENCRYPTED), BM_SETCHECK, BST_CHECKED);
    press(settings, IDC_SETTINGS_ENCRYPTED);
    press(settings, IDC_SETTINGS_APPLY);
    givePassword(orvane, kPassword);
    ASSERT_TRUE(waitUntil([&] { return has("じろう.apd"); })) << "no container for the encrypted pet";
    unpackCopy("じろう", kPassword);

    choose(pets, 3);
    press(settings, IDC_SETTINGS_DISCARD);
    HWND warning = dialog(orvane, L"警告", "message-discard-warning");
    ASSERT_TRUE(warning) << "no question before discarding";
    EXPECT_TRUE(staticTexts(warning).starts_with(L"じろうを捨てますか?"));
    press(warning, IDYES);
    givePassword(orvane, kPassword);
    EXPECT_TRUE(waitUntil([&] { return !has("じろう.apd") && registry.count() == 3 && itemsOf(pets).size() == 3; }));
}

TEST_F(EncryptedSession, AsksThePasswordUnpacksThePetForTheHostAndPacksItAgain) {
    const auto filesBefore = snapshot(*dir);
    const std::string settingsBefore = settingsBytes();
    const Program orvane = start();
    HWND mainWindow = launch(orvane, 2);
    HWND passwordDialog = mainWindow ? dialog(orvane, kPasswordCaption, "password-133") : nullptr;
    ASSERT_TRUE(passwordDialog) << "no password dialog";
    EXPECT_FALSE(IsWindowEnabled(mainWindow)) << "the main window takes clicks while the password is asked";
    // What Launch sends, even to a disabled window. A launch taken now
    // would open its own password dialog inside this message.
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutW(mainWindow, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                                    reinterpret_cast<LPARAM>(GetDlgItem(mainWindow, IDOK)), SMTO_NORMAL, 5000, &result));
    EXPECT_EQ(findWindows(orvane.id(), kDialogClass, kPasswordCaption).size(), 1u) << "a second launch was taken";
    // OK takes four bytes or more; press waits for it to be enabled.
    setText(GetDlgItem(passwordDialog, IDC_PASSWORD_TEXT), L"abc");
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(passwordDialog, IDOK))) << "OK with 3 bytes";
    setText(GetDlgItem(passwordDialog, IDC_PASSWORD_TEXT), L"abcd");
    press(passwordDialog, IDOK);
    EXPECT_EQ(acknowledge(orvane, kErrorTitle, "message-wrong-password"), L"パスワードが不正です。");
    EXPECT_EQ(snapshot(*dir), filesBefore);
    EXPECT_EQ(settingsBytes(), settingsBefore);
    EXPECT_TRUE(findWindows(0, kHostClass).empty()) << "a host was started";
    EXPECT_TRUE(isSeen(mainWindow)) << "the main window is not shown";

    ASSERT_EQ(launch(orvane, 2), mainWindow);
    givePassword(orvane, kPassword);
    HWND host = hostSession();
    ASSERT_TRUE(host) << "no host session";
    EXPECT_TRUE(waitForHostLog("seen", kEncryptedPet)) << "the host does not show the encrypted pet";
    shot(host, "host-encrypted-pet");
    PostMessageW(host, WM_CLOSE, 0, 0);
    ASSERT_TRUE(orvane.waitForExit()) << "the program did not end with its host";
    for (const std::string& plain : {petFileInPlace, names.settingsName + ".bak", names.receiveFolder, names.sendFolder}) {
        EXPECT_FALSE(has(plain)) << plain << " of the encrypted pet is left in the clear";
    }
    const auto unpacked = unpackCopy(kEncryptedPet, kPassword);
    EXPECT_TRUE(unpacked.contains(kEncryptedPet + ".ppc"));
    EXPECT_TRUE(unpacked.contains(kEncryptedPet + "_" + names.receiveFolder + "\\" + kSampleMail));
}

TEST_F(EncryptedSession, APackThatFailsKeepsTheNewestDataAndTheNextStartPacksIt) {
    const std::string blocker = names.receiveFolder + "\\café.ppm";  // "é" has no form a container can store
    const std::string newest = kEncryptedPet + "\r\nversion 2\r\n";
    const std::string containerBefore = read(kEncryptedPet + ".apd");
    {
        const Program orvane = start();
        ASSERT_TRUE(launch(orvane, 2)) << "no main window";
        givePassword(orvane, kPassword);
        HWND host = hostSession();
        ASSERT_TRUE(host) << "no host session";
        write(petFileInPlace, newest);
        write(blocker, "photo");
        PostMessageW(host, WM_CLOSE, 0, 0);
        EXPECT_NE(acknowledge(orvane, kErrorTitle, "message-pack-blocked").find(L"\n" + wide(blocker)),
                  std::wstring::npos) << "the message does not name the file as it lies";
        ASSERT_TRUE(orvane.waitForExit());
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
