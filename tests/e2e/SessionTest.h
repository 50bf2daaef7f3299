#pragma once

#include "OrvaneTest.h"

namespace orvane::e2e {

// A host session launched from the main window, and the notification-area
// icon worked as the shell would: its messages posted to the hidden main
// window.
class SessionTest : public OrvaneTest {
protected:
    void SetUp() override { writeSettings(); }

    // Launches the pet with that index. The main window once the host
    // session runs; null when it did not come.
    HWND startSession(const ChildProcess& orvane, int pet);
    // A press of the icon: tray::kPetMenuClick or tray::kActionMenuClick.
    static void clickTrayIcon(HWND mainWindow, LPARAM mouseMessage);
    // What choosing a menu item sends: the same path as the menu's own.
    static void chooseTrayCommand(HWND mainWindow, int command);
    // Ends the session from the action menu; false when the program did not end.
    static bool exitFromTray(HWND mainWindow, const ChildProcess& orvane);
};

}  // namespace orvane::e2e
