#pragma once

#include "platform/win32/WinHandle.h"
#include "ui/Dialog.h"

namespace orvane::ui {

// The program's name, version and copyright, and the project's web and
// mail addresses as links: blue, underlined, the hand cursor over them,
// opened through the shell when clicked.
class AboutDialog : public Dialog {
public:
    AboutDialog();

private:
    bool onInitDialog() override;
    void onCommand(int id, int notification) override;
    std::optional<INT_PTR> onMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool isLink(HWND control) const;

    win32::OwnedFont linkFont_;  // outlives the controls that use it
    win32::OwnedCursor hand_;
};

}  // namespace orvane::ui
