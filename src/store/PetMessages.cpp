#include "store/PetMessages.h"

namespace orvane::petmessage {

std::string quoted(const std::string& pet) {
    return "「" + pet + "」";
}

void showError(Prompts& prompts, std::string_view text, MessageIcon icon) {
    prompts.showMessage(std::string(text), std::string(ErrorTitle), icon);
}

}  // namespace orvane::petmessage
