#include "session/HostSession.h"

#include "app/PetApp.h"
#include "platform/FileError.h"
#include "app/HostNames.h"
#include "app/PetRegistry.h"
#include "platform/win32/HostProcessWin32.h"
#include "platform/win32/KeyboardWin32.h"
#include "platform/win32/SystemClockWin32.h"
#include "session/BackupRun.h"
#include "session/ForcedReturn.h"
#include "session/HostWait.h"
#include "session/PetPreparation.h"
#include "store/UnlockPet.h"
#include "store/PetMessages.h"
#include "ui/MessageBoxes.h"

namespace orvane {

namespace {
constexpr const char* HostNotStartedMessage = "ヴェルモラを起動できませんでした。";
constexpr const char* HostDoesNotEndMessage = "ヴェルモラが終了しません。\nヴェルモラを終了してから、もう一度選んでください。";
}  // namespace

HostSession::HostSession(PetApp& app, HWND mainWindow, HICON trayIcon, std::function<void()> showMainWindow)
    : app_(app), mainWindow_(mainWindow), showMainWindow_(std::move(showMainWindow)),
      prompts_(mainWindow, app.currentPassword(), mainWindow), trayIcon_(mainWindow, trayIcon) {}

PasswordFor HostSession::passwordFor() {
    return [this](const std::string& pet) -> std::optional<std::string> {
        if (pet == pet_ && password_) return password_;
        const StoreContext context = app_.storeContext();
        return askPasswordOf(context, prompts_)(pet);
    };
}

bool HostSession::launch(int number, const std::string& pet, const std::optional<std::string>& givenPassword) {
    hostMainWindow_ = 0;
    const auto prepared =
        preparePetForLaunch(app_.storeContext(), prompts_, number, pet, passwordFor(), givenPassword);
    if (!prepared) return false;
    currentPetStatus_ = prepared->status;
    password_ = prepared->password;
    pet_ = pet;

    hostProcess_ = win32::startHostProcess(app_.installDirPath(), app_.hostExecutable());
    if (hostProcess_) {
        ::ShowWindow(mainWindow_, SW_HIDE);
        hostMainWindow_ = waitForHostMainWindow(hostWindows_, *hostProcess_);
    }
    // A host that shows no window but keeps running is watched all the
    // same: its session ends with its process.
    if (hostMainWindow_ == 0 && (!hostProcess_ || hostProcess_->waitForEnd(std::chrono::milliseconds(0)))) {
        hostDidNotStart();
        return false;
    }
    watch();
    return true;
}

void HostSession::watch() {
    trayIcon_.add();
    ::SetTimer(mainWindow_, WatchTimer, WatchPeriodMs, nullptr);
    running_ = true;
}

void HostSession::hostDidNotStart() {
    showMainWindow_();
    ui::showMessageBox(mainWindow_, HostNotStartedMessage, petmessage::ErrorTitle, MB_OK | MB_ICONERROR);
    hostProcess_.reset();
    // The pet stays swapped in; an encrypted one goes back into its container.
    settle(pet_);
}

bool HostSession::recover() {
    const SessionRecord record = app_.registry().session();
    if (!record.unfinished()) return false;
    pet_ = record.pet;
    currentPetStatus_ = record.status.value_or(0);
    password_.reset();
    if (record.open) {
        if (const WindowId window = hostWindows_.findTopLevel(host::MainWindowClass)) {
            hostProcess_ = win32::hostProcessOfWindow(window);
            hostMainWindow_ = window;
            ::ShowWindow(mainWindow_, SW_HIDE);
            watch();
            prompts_.showMessage(petmessage::quoted(record.pet) + std::string(petmessage::HostStillRuns),
                                 std::string(petmessage::InformationTitle), MessageIcon::Information, MessageButtons::Ok);
            return true;
        }
    }
    const std::string pet = record.plain.empty() ? record.pet : record.plain;
    if (settle(pet)) {
        prompts_.showMessage(petmessage::quoted(pet) + std::string(petmessage::SessionRecovered),
                             std::string(petmessage::InformationTitle), MessageIcon::Information, MessageButtons::Ok);
    }
    return false;
}

bool HostSession::settle(const std::string& pet) {
    try {
        if (SettleSession(app_.storeContext(), passwordFor())) return true;
        prompts_.showMessage(petmessage::quoted(pet) + std::string(petmessage::PackPostponed),
                             std::string(petmessage::InformationTitle), MessageIcon::Information, MessageButtons::Ok);
    } catch (const FileError& error) {
        prompts_.showMessage(petmessage::quoted(pet) + std::string(petmessage::NotPacked) + "\n\n" + error.fileName() +
                                 "\n" + error.reason(),
                             std::string(petmessage::ErrorTitle), MessageIcon::Error, MessageButtons::Ok);
    }
    return false;
}

void HostSession::watchTick() {
    if (hostMainWindow_ == 0) {
        // A host that showed no window yet may still show one.
        hostMainWindow_ = hostWindows_.findTopLevel(host::MainWindowClass);
        if (hostMainWindow_ == 0 && (!hostProcess_ || hostProcess_->waitForEnd(std::chrono::milliseconds(0)))) {
            ::PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
        }
        return;
    }
    // A host that does not answer is hung, not gone: the session goes on.
    if (hostWindows_.titleLength(hostMainWindow_) == std::optional<std::size_t>(0)) {
        ::PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
    }
}

bool HostSession::closeHostAndWait() {
    win32::sendToHost(win32::toHwnd(hostMainWindow_), WM_CLOSE);
    if (!hostProcess_ || hostProcess_->waitForEnd(HostEndWait)) return true;
    prompts_.showMessage(std::string(HostDoesNotEndMessage), std::string(petmessage::ErrorTitle), MessageIcon::Error,
                         MessageButtons::Ok);
    return false;
}

void HostSession::end() {
    ::KillTimer(mainWindow_, WatchTimer);
    running_ = false;
    // Normally short: the host's main window has gone or was told to close.
    const bool hostEnded = !hostProcess_ || hostProcess_->waitForEnd(HostEndWait);
    hostProcess_.reset();
    hostMainWindow_ = 0;
    trayIcon_.remove();
    if (hostEnded) {
        settle(pet_);
    } else {
        // Its pieces are in use: the session record keeps them for the next start.
        prompts_.showMessage(petmessage::quoted(pet_) + std::string(petmessage::HostStillRunsAtExit),
                             std::string(petmessage::InformationTitle), MessageIcon::Information, MessageButtons::Ok);
    }
    password_.reset();
}

void HostSession::requestExit() {
    ::PostMessageW(mainWindow_, WM_CLOSE, 0, 0);
    ::PostMessageW(win32::toHwnd(hostMainWindow_), WM_CLOSE, 0, 0);
}

void HostSession::backup() {
    // The messages belong to the host's main window, which the user sees.
    ui::Win32Prompts prompts(win32::toHwnd(hostMainWindow_), app_.currentPassword());
    // An encrypted pet goes in packed as it is now, with its session's password.
    std::optional<std::string> password;
    if (currentPetStatus_ & PetStatusFlags::Encrypted) password = passwordFor()(pet_);
    const BackupSources sources{app_.storeContext().dir, app_.names(), app_.hostExecutable(), app_.settingsPath(),
                                currentPetStatus_, pet_, password};
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
