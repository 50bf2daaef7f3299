#include "store/PetMessages.h"

namespace orvane::petmessage {

std::string quoted(const std::string& pet) {
    return "「" + pet + "」";
}

void showError(Prompts& prompts, std::string_view text, MessageIcon icon) {
    prompts.showMessage(std::string(text), std::string(ErrorTitle), icon);
}

std::string unusablePetName(const std::string& shownName) {
    if (shownName.empty()) return std::string(NamelessPet);
    return "「" + shownName + "」は使えない名前のため操作できません。\n設定ファイルを確認してください。";
}

}  // namespace orvane::petmessage
