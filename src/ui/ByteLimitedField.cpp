#include "ui/ByteLimitedField.h"

#include <optional>

#include "platform/win32/CheckedWide.h"
#include "store/PetMessages.h"
#include "ui/ByteLimitedInput.h"
#include "ui/MessageBoxes.h"

namespace orvane::ui {

namespace {

// nullopt when the control holds text that is not valid UTF-16 (a lone
// surrogate typed or pasted).
std::optional<std::string> controlText(HWND control) {
    std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return win32::fromWide(text);
}

}  // namespace

ByteLimitedField::ByteLimitedField(std::size_t maxBytes, std::string refusedMessage)
    : maxBytes_(maxBytes), refusedMessage_(std::move(refusedMessage)) {}

void ByteLimitedField::attach(HWND control) {
    control_ = control;
    // The control counts characters, never fewer than bytes: a first
    // barrier. The byte limit itself is kept on every change.
    ::SendMessageW(control_, EM_LIMITTEXT, maxBytes_, 0);
    accepted_.clear();
}

void ByteLimitedField::show(const std::string& text) {
    // Rewriting the same text would only move the caret to the start.
    if (text == accepted_) return;
    accepted_ = text;
    rewrite(text);
}

void ByteLimitedField::rewrite(const std::string& text) {
    writing_ = true;
    ::SetWindowTextW(control_, win32::wideText(text).c_str());
    writing_ = false;
}

bool ByteLimitedField::edited() {
    if (writing_) return false;
    const auto typed = controlText(control_);
    const LimitedEdit edit = typed ? acceptLimitedEdit(accepted_, *typed, maxBytes_)
                                   : LimitedEdit{accepted_, 0, true, false};
    const bool changed = edit.text != accepted_;
    accepted_ = edit.text;
    if (!typed || edit.text != *typed) {
        rewrite(edit.text);
        ::SendMessageW(control_, EM_SETSEL, edit.caret, static_cast<LPARAM>(edit.caret));
    }
    if (edit.refusedCharacters) {
        showMessageBox(::GetParent(control_), refusedMessage_, petmessage::ErrorTitle, MB_OK | MB_ICONERROR);
    } else if (edit.cutAtLimit) {
        ::MessageBeep(MB_OK);
    }
    return changed;
}

}  // namespace orvane::ui
