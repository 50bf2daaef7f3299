#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/HostProcess.h"
#include "platform/win32/HostWindowsWin32.h"
#include "session/TrayIcon.h"
#include "store/SettleSession.h"
#include "ui/Win32Prompts.h"

namespace orvane {

class PetApp;

// One host session of the main window: the launch (unpack, swap-in, start
// the host, hide, wait for its main window, tray icon, watch), the watch
// timer, and the handling of the host's end.
class HostSession {
public:
    static constexpr UINT_PTR WatchTimer = 1;
    static constexpr UINT WatchPeriodMs = 1000;
    // How long the end of a session waits for the host process.
    static constexpr std::chrono::seconds HostEndWait{20};

    // showMainWindow brings the hidden main window back when a launch did
    // not get the host going.
    HostSession(PetApp& app, HWND mainWindow, HICON trayIcon, std::function<void()> showMainWindow);

    // Launches pet `number` named `pet`. True when the host runs and the
    // session with it; false when the launch stopped (the user has been
    // told why, or cancelled). givenPassword: the password typed when an
    // encrypted pet was just added.
    bool launch(int number, const std::string& pet, const std::optional<std::string>& givenPassword = {});
    // At start-up, what the session record says a previous run left
    // unfinished: a host that still runs is watched again, otherwise the
    // end of that session is done now. True when a session runs again.
    bool recover();
    // A tick of the watch timer: asks the main window to close once the
    // host's main window has gone (its title reads as empty), or, for a
    // host that never showed one, once its process has ended.
    void watchTick();
    // Closes the host's main window and waits a while for its process to
    // end. False, after telling the user, when it still runs: the session
    // goes on.
    bool closeHostAndWait();
    // The end of a session: waits a while for the host process, removes the
    // icon and packs an encrypted pet back into its container. A host that
    // does not end is left to the next start, which watches it again.
    void end();

    bool running() const { return running_; }
    void restoreTrayIcon() { trayIcon_.restore(); }
    // The host's main window while a session runs; 0 otherwise.
    WindowId hostMainWindow() const { return hostMainWindow_; }

    // The commands of the icon's action menu.
    // Asks the main window and then the host to close.
    void requestExit();
    void backup();
    void forcedReturn();

private:
    void hostDidNotStart();
    void watch();
    // Finishes the session record's work; tells the user when a pet could
    // not be packed, naming what stands in the way. True when all is done.
    bool settle(const std::string& pet);
    PasswordFor passwordFor();

    PetApp& app_;
    HWND mainWindow_;
    std::function<void()> showMainWindow_;
    win32::Win32HostWindows hostWindows_;
    ui::Win32Prompts prompts_;
    TrayIcon trayIcon_;
    std::unique_ptr<HostProcess> hostProcess_;
    WindowId hostMainWindow_ = 0;
    bool running_ = false;
    int currentPetStatus_ = 0;
    std::string pet_;
    // The password this session's encrypted pet was opened with.
    std::optional<std::string> password_;
};

}  // namespace orvane
