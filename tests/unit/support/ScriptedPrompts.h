#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/Prompts.h"

namespace orvane::test {

struct ShownMessage {
    std::string text;
    std::string title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
    bool operator==(const ShownMessage&) const = default;
};

// The user's answers from a script. Passwords are answered in order (an
// empty optional is Cancel); a Yes/No box takes the next answer, Yes
// when none is left. A test that asks for a password nobody scripted fails.
class ScriptedPrompts : public Prompts {
public:
    std::deque<std::optional<std::string>> passwords;
    std::deque<MessageAnswer> answers;
    int passwordsAsked = 0;
    std::vector<ShownMessage> messages;

    std::optional<std::string> askPassword() override {
        ++passwordsAsked;
        if (passwords.empty()) return ADD_FAILURE() << "a password was asked that the test did not script", std::nullopt;
        auto answer = passwords.front();
        return passwords.pop_front(), answer;
    }
    MessageAnswer showMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override {
        messages.push_back({text, title, icon, buttons});
        if (buttons == MessageButtons::Ok || answers.empty()) return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Yes;
        const MessageAnswer answer = answers.front();
        return answers.pop_front(), answer;
    }
};

}  // namespace orvane::test
