#include "ui/Win32Prompts.h"

#include "ui/MessageBoxes.h"
#include "ui/PasswordDialog.h"

namespace orvane::ui {

namespace {

UINT iconFlag(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Error: return MB_ICONERROR;
    case MessageIcon::Warning: return MB_ICONEXCLAMATION;
    case MessageIcon::Information: return MB_ICONINFORMATION;
    case MessageIcon::None: break;
    }
    return 0;
}

}  // namespace

std::optional<std::string> Win32Prompts::askPassword() {
    PasswordDialog dialog;
    if (dialog.runModal(passwordOwner_) != IDOK) return std::nullopt;
    currentPassword_ = dialog.password();
    return currentPassword_;
}

MessageAnswer Win32Prompts::showMessage(const std::string& text, const std::string& title, MessageIcon icon,
                                        MessageButtons buttons) {
    const UINT buttonFlag = buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    switch (showMessageBox(owner_, text, title, buttonFlag | iconFlag(icon))) {
    case IDYES: return MessageAnswer::Yes;
    case IDOK: return MessageAnswer::Ok;
    default: return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
    }
}

}  // namespace orvane::ui
