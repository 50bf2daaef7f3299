// What a session that did not end cleanly leaves, and what the program
// makes of it: a pack that fails keeps the newest bytes and says what is in
// the way; a program ended during a session finishes it at its next start;
// a launch that waits for its password takes no second launch.

#include "OrvaneTest.h"
#include "ProgramWindows.h"
#include "support/Controls.h"
#include "support/OwnedHandle.h"
#include "support/WindowFinder.h"

namespace orvane::e2e {
namespace {

using namespace program;

constexpr int kEncryptedPetIndex = 2;
constexpr wchar_t kNoticeTitle[] = L"お知らせ";

class SessionRecovery : public OrvaneTest {
protected:
    void SetUp() override { writeSettings(); }

    // Types the encrypted pet's password into the dialog that asks for it.
    void givePassword(const ChildProcess& orvane) {
        HWND dialog = waitForDialog(orvane, password::kCaption);
        ASSERT_TRUE(dialog) << "no password dialog";
        setText(controlOf(dialog, password::kField), wide(kPassword));
        ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(controlOf(dialog, kOk)) != FALSE; }));
        press(dialog, kOk);
    }

    // The encrypted pet's host session, with a new pet file written into it.
    HWND encryptedSessionWithNewData(const ChildProcess& orvane) {
        if (!launchFromMainWindow(orvane, kEncryptedPetIndex)) return nullptr;
        givePassword(orvane);
        HWND host = waitForHostSession();
        if (host) putFile(petFileInPlace(), kEncryptedPet + "\nversion 2\n");
        return host;
    }

    void putFile(const std::string& name, const std::string& bytes) {
        installDir().openWrite(name, OpenForWrite::CreateOrTruncate)->write(bytes.data(), bytes.size());
    }

    void closeHost(HWND host) {
        PostMessageW(host, WM_CLOSE, 0, 0);
        ASSERT_TRUE(waitForNoWindow({0, kHostWindowClass, {}})) << "the host did not end";
    }
};

TEST_F(SessionRecovery, APackThatFailsKeepsTheNewestDataAndSaysWhatBlocksIt) {
    const FolderNameTable& names = hostNames();
    const std::string blocker = names.receiveFolder + "\\café.ppm";
    const std::string containerBefore = readFile(kEncryptedPet + ".apd");
    {
        ChildProcess orvane = startOrvane();
        HWND host = encryptedSessionWithNewData(orvane);
        ASSERT_TRUE(host) << "no host session";
        // "é" has no form the container can store.
        putFile(blocker, "photo");
        PostMessageW(host, WM_CLOSE, 0, 0);
        const std::wstring text = acknowledgeBox(orvane, kErrorTitle, "message-pack-blocked");
        EXPECT_NE(text.find(L"\n" + wide(blocker)), std::wstring::npos) << "the message does not name the file as it lies";
        ASSERT_TRUE(orvane.waitForExit());
    }
    EXPECT_EQ(readFile(petFileInPlace()), kEncryptedPet + "\nversion 2\n");
    EXPECT_EQ(readFile(kEncryptedPet + ".apd"), containerBefore);

    // The next start tries again and says again what stands in the way; the
    // pet launched after it comes with its newest data, not its container's.
    ChildProcess orvane = startOrvane();
    acknowledgeBox(orvane, kNoticeTitle, "message-password-to-pack");
    givePassword(orvane);
    acknowledgeBox(orvane, kErrorTitle, "message-pack-blocked-at-start");
    installDir().deleteFile(blocker);
    ASSERT_TRUE(launchFromMainWindow(orvane, kEncryptedPetIndex)) << "no main window";
    givePassword(orvane);
    ASSERT_TRUE(waitForHostSession()) << "no host session";
    EXPECT_TRUE(waitForHostLog("seen", kEncryptedPet));
    EXPECT_EQ(readFile(petFileInPlace()), kEncryptedPet + "\nversion 2\n");
}

TEST_F(SessionRecovery, ASessionCutOffByTheProgramsEndIsFinishedAtItsNextStart) {
    {
        ChildProcess orvane = startOrvane();
        HWND host = encryptedSessionWithNewData(orvane);
        ASSERT_TRUE(host) << "no host session";
        const OwnedHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, orvane.id()));
        ASSERT_TRUE(process.get() && TerminateProcess(process.get(), 1));
        ASSERT_TRUE(orvane.waitForExit());
        closeHost(host);
    }
    EXPECT_TRUE(has(petFileInPlace())) << "the pet should still lie plain before the next start";

    ChildProcess orvane = startOrvane();
    acknowledgeBox(orvane, kNoticeTitle, "message-password-to-pack-after-crash");
    givePassword(orvane);
    const std::wstring text = acknowledgeBox(orvane, kNoticeTitle, "message-session-recovered");
    EXPECT_NE(text.find(wide(kEncryptedPet)), std::wstring::npos);
    EXPECT_FALSE(has(petFileInPlace())) << "the encrypted pet is left in the clear";
    const auto unpacked = unpackCopy(kEncryptedPet, kPassword);
    ASSERT_TRUE(unpacked.count(kEncryptedPet + ".ppc"));
    EXPECT_EQ(unpacked.at(kEncryptedPet + ".ppc"), kEncryptedPet + "\nversion 2\n");
}

TEST_F(SessionRecovery, LaunchPressedWhileThePasswordIsAskedDoesNothing) {
    const auto filesBefore = snapshot();
    ChildProcess orvane = startOrvane();
    HWND mainWindow = launchFromMainWindow(orvane, kEncryptedPetIndex);
    ASSERT_TRUE(mainWindow) << "no main window";
    HWND dialog = waitForDialog(orvane, password::kCaption);
    ASSERT_TRUE(dialog) << "no password dialog";
    EXPECT_FALSE(IsWindowEnabled(mainWindow)) << "the main window takes clicks while the password is asked";

    // What the button would send, even to a disabled window. A launch taken
    // now would open its own password dialog inside this message.
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutW(mainWindow, WM_COMMAND, MAKEWPARAM(main::kLaunch, BN_CLICKED),
                                    reinterpret_cast<LPARAM>(controlOf(mainWindow, main::kLaunch)), SMTO_NORMAL,
                                    5000, &result))
        << "the second launch was taken";
    EXPECT_EQ(findWindows({orvane.id(), kDialogClass, password::kCaption}).size(), 1u);
    press(dialog, kCancel);
    ASSERT_TRUE(waitForNoWindow({orvane.id(), kDialogClass, password::kCaption}));
    EXPECT_TRUE(findWindows({orvane.id(), kDialogClass, password::kCaption}).empty()) << "a second launch asked";
    EXPECT_EQ(snapshot(), filesBefore);
    press(mainWindow, main::kExit);
    EXPECT_TRUE(orvane.waitForExit());
}

}  // namespace
}  // namespace orvane::e2e
