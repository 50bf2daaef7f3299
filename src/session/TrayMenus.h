#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace orvane {

// Opens the pet menu (one item per listed pet, the selected one checked)
// at the cursor, owned by the main window. The chosen command arrives later
// as an ordinary WM_COMMAND.
void showPetMenu(HWND mainWindow, const std::vector<std::string>& pets, int selected);

// Opens the action menu (import, backup, restore, forced return, exit) the
// same way.
void showActionMenu(HWND mainWindow);

}  // namespace orvane
