#pragma once

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

    std::optional<std::string> askPassword() override;
    MessageAnswer showMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons buttons) override;
};

}  // namespace orvane::test
