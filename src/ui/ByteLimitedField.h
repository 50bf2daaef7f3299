#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace orvane::ui {

// An edit control that holds at most maxBytes cp932 bytes and only
// characters cp932 can store. The dialog hands it every change notification
// of the control; what the dialog writes itself is never taken for an edit.
class ByteLimitedField {
public:
    // refusedMessage: shown when typed characters have no cp932 form.
    ByteLimitedField(std::size_t maxBytes, std::string refusedMessage);

    // Binds the field to its control once the dialog exists.
    void attach(HWND control);
    // Writes the dialog's own text into the control.
    void show(const std::string& text);
    // For each EN_CHANGE: keeps the limits and tells whether the user
    // changed the text the field holds.
    bool edited();

    const std::string& text() const { return accepted_; }

private:
    void rewrite(const std::string& text);

    HWND control_ = nullptr;
    std::size_t maxBytes_;
    std::string refusedMessage_;
    std::string accepted_;
    bool writing_ = false;  // the field's own writing: not the user's edit
};

}  // namespace orvane::ui
