#include "session/HostSession.h"

#include "app/PetApp.h"
#include "app/PetRegistry.h"
#include "platform/win32/HostProcessWin32.h"
#include "platform/win32/KeyboardWin32.h"
#include "platform/win32/SystemClockWin32.h"
#include "session/BackupRun.h"
#include "session/ForcedReturn.h"
#include "session/HostWait.h"
#include "session/PetPreparation.h"
#include "store/EncryptedSession.h"
#include "store/PetMessages.h"
#include "ui/MessageBoxes.h"

namespace orvane {

namespace {
constexpr const char* HostNotStartedMessage = "ヴェルモラを起動できませんでした。";

bool isEncrypted(int status) {
    return (status & PetStatusFlags::Encrypted) != 0;
}
}  // namespace

HostSession::HostSession(PetApp& app, HWND mainWindow, HICON trayIcon, std::function<void()> showMainWindow)
    : app_(app), mainWindow_(mainWindow), showMainWindow_(std::move(showMainWindow)),
      prompts_(mainWindow, app.currentPassword()), trayIcon_(mainWindow, trayIcon) {}

bool HostSession::launch(int number, const std::string& pet) {
    hostMainWindow_ = 0;
    const auto status = preparePetForLaunch(app_.storeContext(), prompts_, number, pet);
    if (!status) return false;
    currentPetStatus_ = *status;
    pet_ = pet;

    hostProcess_ = win32::startHostProcess(app_.installDirPath(), app_.hostExecutable());
    if (hostProcess_) {
        ::ShowWindow(mainWindow_, SW_HIDE);
        hostMainWindow_ = waitForHostMainWindow(hostWindows_, *hostProcess_);
    }
    if (hostMainWindow_ == 0) {
        hostDidNotStart();
        return false;
    }
    trayIcon_.add();
    ::SetTimer(mainWindow_, WatchTimer, WatchPeriodMs, nullptr);
    running_ = true;
    return true;
}

void HostSession::hostDidNotStart() {
    showMainWindow_();
    ui::showMessageBox(mainWindow_, HostNotStartedMessage, petmessage::ErrorTitle, MB_OK | MB_ICONERROR);
    // The pet stays swapped in. An encrypted one goes back into its
    // container, unless a slow host may still be starting on its files.
    const bool hostGone = !hostProcess_ || hostProcess_->waitForEnd(std::chrono::milliseconds(0));
    hostProcess_.reset();
    if (hostGone && isEncrypted(currentPetStatus_)) {
        EndEncryptedSession(app_.storeContext(), pet_, currentPetStatus_);
    }
}

void HostSession::watchTick() {
    if (hostWindows_.titleLength(hostMainWindow_) == 0) ::PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
}

void HostSession::end() {
    ::KillTimer(mainWindow_, WatchTimer);
    running_ = false;
    // Normally short: the host's main window has gone or was told to close.
    if (hostProcess_) hostProcess_->waitUntilEnded();
    hostProcess_.reset();
    hostMainWindow_ = 0;
    trayIcon_.remove();
    if (isEncrypted(currentPetStatus_)) EndEncryptedSession(app_.storeContext(), pet_, currentPetStatus_);
}

void HostSession::closeHost() {
    ::SendMessageW(win32::toHwnd(hostMainWindow_), WM_CLOSE, 0, 0);
}

void HostSession::requestExit() {
    ::PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
    ::PostMessageW(win32::toHwnd(hostMainWindow_), WM_CLOSE, 0, 0);
}

void HostSession::backup() {
    // The messages belong to the host's main window, which the user sees.
    ui::Win32Prompts prompts(win32::toHwnd(hostMainWindow_), app_.currentPassword());
    const BackupSources sources{app_.storeContext().dir, app_.names(), app_.hostExecutable(), app_.settingsPath(),
                                currentPetStatus_};
    RunBackup(sources, win32::Win32SystemClock().now(), prompts);
}

void HostSession::forcedReturn() {
    win32::Win32SystemClock clock;
    win32::TickStopwatch stopwatch;
    win32::Win32Keyboard keyboard;
    ui::Win32Prompts prompts(win32::toHwnd(hostMainWindow_), app_.currentPassword());
    ForcedReturn(ForcedReturnPorts{hostWindows_, clock, stopwatch, keyboard, prompts}, hostMainWindow_);
}

}  // namespace orvane
