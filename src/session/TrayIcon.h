#pragma once

#include <windows.h>
#include <shellapi.h>

#include "session/TrayCommands.h"

namespace orvane {

// The program's icon in the notification area while the host runs: tip
// "オルヴェイン", clicks reported to the owner window as message 1124.
// Removed at the latest when the object goes.
class TrayIcon {
public:
    static constexpr UINT CallbackMessage = TrayCallbackMessage;

    TrayIcon(HWND owner, HICON icon);
    ~TrayIcon();
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;

    void add();
    void remove();
    // After the taskbar was recreated (Explorer restarted), the icon must be
    // added again or the user loses every way to reach the program.
    void restore();

private:
    NOTIFYICONDATAW data_{};
    bool wanted_ = false;
};

}  // namespace orvane
