#pragma once

#include <windows.h>

#include "platform/Prompts.h"

namespace orvane::ui {

// The user's answers through the password dialog and message boxes.
// A confirmed password also goes into the application's current password,
// which the store context refers to: it is that buffer's only writer.
class Win32Prompts : public Prompts {
public:
    // passwordOwner: the dialog that asks, kept disabled while the password
    // dialog is open; none where the asking window may be hidden or parked.
    Win32Prompts(HWND owner, std::string& currentPassword, HWND passwordOwner = nullptr)
        : owner_(owner), passwordOwner_(passwordOwner), currentPassword_(currentPassword) {}

    std::optional<std::string> askPassword() override;
    MessageAnswer showMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override;

private:
    HWND owner_;  // of the message boxes
    HWND passwordOwner_;
    std::string& currentPassword_;
};

}  // namespace orvane::ui
