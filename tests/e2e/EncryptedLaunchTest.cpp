// Launching an encrypted pet: the password, the unpacking, and the packing
// when the host ends.

#include "OrvaneTest.h"
#include "ProgramWindows.h"
#include "support/Controls.h"
#include "support/WindowFinder.h"

namespace orvane::e2e {
namespace {

using namespace program;

constexpr int kEncryptedPetIndex = 2;

class EncryptedLaunch : public OrvaneTest {
protected:
    void SetUp() override { writeSettings(); }
};

bool becomesEnabled(HWND control) {
    return waitUntil([&] { return IsWindowEnabled(control) != FALSE; });
}

TEST_F(EncryptedLaunch, WrongPasswordChangesNothing) {
    const auto filesBefore = snapshot();
    const std::string settingsBefore = settingsBytes();
    ChildProcess orvane = startOrvane();
    HWND mainWindow = launchFromMainWindow(orvane, kEncryptedPetIndex);
    ASSERT_TRUE(mainWindow) << "no main window";

    HWND dialog = waitForDialog(orvane, password::kCaption);
    ASSERT_TRUE(dialog) << "no password dialog";
    HWND field = controlOf(dialog, password::kField);
    HWND ok = controlOf(dialog, kOk);
    EXPECT_FALSE(IsWindowEnabled(ok)) << "OK with an empty field";
    setText(field, L"abc");
    EXPECT_FALSE(IsWindowEnabled(ok)) << "OK with 3 bytes";
    setText(field, L"abcd");
    EXPECT_TRUE(becomesEnabled(ok)) << "OK still disabled with 4 bytes";
    screenshot(dialog, "password-133");
    press(dialog, kOk);

    HWND box = waitForDialog(orvane, kErrorTitle);
    ASSERT_TRUE(box) << "no message about the wrong password";
    EXPECT_EQ(staticTexts(box), kWrongPassword);
    screenshot(box, "message-wrong-password");
    press(box, IDOK);
    ASSERT_TRUE(waitForNoWindow({orvane.id(), kDialogClass, kErrorTitle}));

    EXPECT_EQ(snapshot(), filesBefore);
    EXPECT_EQ(settingsBytes(), settingsBefore);
    EXPECT_TRUE(findWindows({0, kHostWindowClass, {}}).empty()) << "a host was started";
    EXPECT_TRUE(isSeen(mainWindow)) << "the main window is not shown";
    press(mainWindow, main::kExit);
    EXPECT_TRUE(orvane.waitForExit());
}

TEST_F(EncryptedLaunch, PetIsUnpackedForTheHostAndPackedAgainWhenItEnds) {
    ChildProcess orvane = startOrvane();
    ASSERT_TRUE(launchFromMainWindow(orvane, kEncryptedPetIndex)) << "no main window";
    HWND dialog = waitForDialog(orvane, password::kCaption);
    ASSERT_TRUE(dialog) << "no password dialog";
    setText(controlOf(dialog, password::kField), wide(kPassword));
    ASSERT_TRUE(becomesEnabled(controlOf(dialog, kOk)));
    press(dialog, kOk);

    HWND host = waitForHostSession();
    ASSERT_TRUE(host) << "no host session";
    EXPECT_TRUE(waitForHostLog("seen", kEncryptedPet)) << "the host does not show the encrypted pet";
    EXPECT_EQ(firstLineOf(petFileInPlace()), kEncryptedPet);
    // Its own mail folders came in; the shared ones went out beside them.
    const FolderNameTable& names = hostNames();
    EXPECT_EQ(readFile(names.receiveFolder + "\\" + sampleMailName()), sampleMailOf(kEncryptedPet));
    EXPECT_EQ(readFile("共有_" + names.receiveFolder + "\\" + sampleMailName()), sampleMailOf(kPetInPlace));
    EXPECT_EQ(registry().petInPlace(), kEncryptedPetIndex);
    screenshot(host, "host-encrypted-pet");

    PostMessageW(host, WM_CLOSE, 0, 0);
    ASSERT_TRUE(orvane.waitForExit()) << "the program did not end with the host";
    EXPECT_TRUE(has(kEncryptedPet + ".apd"));
    for (const std::string& plain : {petFileInPlace(), names.settingsName + ".bak", names.receiveFolder,
                                     names.sendFolder, kEncryptedPet + ".ppc", kEncryptedPet + ".bak"}) {
        EXPECT_FALSE(has(plain)) << plain << " of the encrypted pet is left in the clear";
    }
    // The shared items stay, and so does the pet stored before.
    EXPECT_TRUE(has("共有_" + names.receiveFolder));
    EXPECT_TRUE(has("おともだち帳"));
    EXPECT_EQ(firstLineOf(kPetInPlace + ".ppc"), kPetInPlace);

    const auto unpacked = unpackCopy(kEncryptedPet, kPassword);
    ASSERT_TRUE(unpacked.count(kEncryptedPet + ".ppc"));
    EXPECT_EQ(unpacked.at(kEncryptedPet + ".ppc").rfind(kEncryptedPet, 0), 0u);
    const std::string mail = kEncryptedPet + "_" + names.receiveFolder + "\\" + sampleMailName();
    ASSERT_TRUE(unpacked.count(mail));
    EXPECT_EQ(unpacked.at(mail), sampleMailOf(kEncryptedPet));
}

}  // namespace
}  // namespace orvane::e2e
