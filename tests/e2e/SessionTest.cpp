#include "SessionTest.h"

#include "ProgramWindows.h"

namespace orvane::e2e {

using namespace program;

HWND SessionTest::startSession(const ChildProcess& orvane, int pet) {
    HWND mainWindow = launchFromMainWindow(orvane, pet);
    return mainWindow && waitForHostSession() ? mainWindow : nullptr;
}

void SessionTest::clickTrayIcon(HWND mainWindow, LPARAM mouseMessage) {
    PostMessageW(mainWindow, tray::kCallbackMessage, 0, mouseMessage);
}

void SessionTest::chooseTrayCommand(HWND mainWindow, int command) {
    PostMessageW(mainWindow, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

bool SessionTest::exitFromTray(HWND mainWindow, const ChildProcess& orvane) {
    chooseTrayCommand(mainWindow, tray::kExit);
    return orvane.waitForExit().has_value();
}

}  // namespace orvane::e2e
