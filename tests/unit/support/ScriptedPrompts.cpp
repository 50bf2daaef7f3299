#include "ScriptedPrompts.h"

#include <gtest/gtest.h>

namespace orvane::test {

std::optional<std::string> ScriptedPrompts::askPassword() {
    ++passwordsAsked;
    if (passwords.empty()) {
        ADD_FAILURE() << "a password was asked that the test did not script";
        return std::nullopt;
    }
    auto answer = passwords.front();
    passwords.pop_front();
    return answer;
}

MessageAnswer ScriptedPrompts::showMessage(const std::string& text, const std::string& title, MessageIcon icon,
                                           MessageButtons buttons) {
    messages.push_back({text, title, icon, buttons});
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    if (answers.empty()) return MessageAnswer::Yes;
    const MessageAnswer answer = answers.front();
    answers.pop_front();
    return answer;
}

}  // namespace orvane::test
