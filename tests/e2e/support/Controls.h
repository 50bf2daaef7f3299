#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The controls of another process's dialog, through window messages only,
// as a user's clicks and keys would reach them.
namespace orvane::e2e {

// Null when the dialog has no such control.
HWND controlOf(HWND dialog, int id);

std::wstring textOf(HWND control);
void setText(HWND control, const std::wstring& text);

// Presses a button of the dialog as a click on it would: the dialog gets the
// button's command (WM_COMMAND with its id and BN_CLICKED), whatever the
// mouse, the focus or the capture do meanwhile. Posted, not sent: a press
// that opens a modal box would otherwise hold the test until the box that
// it has to close is closed. Waits for the button to be enabled, as a user
// would; throws std::runtime_error when there is no such button or it stays
// disabled.
void press(HWND dialog, int id);
// Checks or clears a check box, then tells the dialog as a click would.
void setCheckBox(HWND dialog, int id, bool checked);

std::vector<std::wstring> comboItems(HWND combo);
int comboSelection(HWND combo);
void selectComboItem(HWND combo, int index);

std::vector<std::wstring> listItems(HWND list);
// Selects as a user's click would: the dialog is told of the change, which
// the selection message alone does not do.
void chooseListItem(HWND list, int index);

// The texts of a window's static controls, in creation order, empty ones
// left out: a message box's message.
std::wstring staticTexts(HWND window);

}  // namespace orvane::e2e
