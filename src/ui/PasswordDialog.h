#pragma once

#include <string>

#include "ui/ByteLimitedField.h"
#include "ui/Dialog.h"

namespace orvane::ui {

// Asks for a password of 4 to 16 cp932 bytes. OK stays disabled below 4
// bytes; the field refuses what goes beyond 16 bytes and characters cp932
// cannot store. The dialog checks nothing else: the caller tries the
// password on the container.
class PasswordDialog : public Dialog {
public:
    PasswordDialog();

    // The confirmed password, once the dialog has ended with OK.
    const std::string& password() const { return password_; }

private:
    bool onInitDialog() override;
    void onCommand(int id, int notification) override;
    void onOk() override;

    ByteLimitedField field_;
    std::string password_;
};

}  // namespace orvane::ui
