#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <string_view>

namespace orvane::ui {

// A message box; flags as MessageBoxW takes them. Returns the button.
int showMessageBox(HWND owner, std::string_view text, std::string_view title, UINT flags);

// The title of boxes without one of their own: the program file's name
// without its extension.
std::string applicationTitle();

// The generic error box for an error that ended a user action: for a file
// error it names the file and the reason.
void showErrorBox(HWND owner, const std::exception& error) noexcept;

}  // namespace orvane::ui
