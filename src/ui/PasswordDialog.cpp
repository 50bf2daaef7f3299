#include "ui/PasswordDialog.h"

#include "resource.h"
#include "store/PetKey.h"
#include "ui/PasswordInput.h"

namespace orvane::ui {

PasswordDialog::PasswordDialog()
    : Dialog(IDD_PASSWORD), field_(MaxPasswordBytes, "パスワードに使えない文字は入力できません。") {}

bool PasswordDialog::onInitDialog() {
    field_.attach(item(IDC_PASSWORD_TEXT));
    enableItem(IDOK, false);
    return true;
}

void PasswordDialog::onCommand(int id, int notification) {
    if (id != IDC_PASSWORD_TEXT || notification != EN_CHANGE) return;
    field_.edited();
    enableItem(IDOK, passwordLongEnough(field_.text()));
}

void PasswordDialog::onOk() {
    // The Enter key may send OK while the button is disabled.
    if (!passwordLongEnough(field_.text())) return;
    password_ = field_.text();
    end(IDOK);
}

}  // namespace orvane::ui
