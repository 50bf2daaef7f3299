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

// Posted, not sent: a click that opens a modal box would otherwise hold the
// test until the box that it has to close is closed.
void click(HWND button);

std::vector<std::wstring> comboItems(HWND combo);
int comboSelection(HWND combo);
void selectComboItem(HWND combo, int index);

std::vector<std::wstring> listItems(HWND list);
// Selects as a user's click would: the dialog is told of the change, which
// the selection message alone does not do.
void chooseListItem(HWND list, int index);

bool isChecked(HWND button);

// The texts of a window's static controls, in creation order, empty ones
// left out: a message box's message.
std::wstring staticTexts(HWND window);

}  // namespace orvane::e2e
