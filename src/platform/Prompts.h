#pragma once

#include <optional>
#include <string>

namespace orvane {

enum class MessageIcon { None, Error, Warning, Information };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// The user's answers in the middle of an operation. The Windows program
// shows its password dialog and message boxes; tests script the answers.
class Prompts {
public:
    virtual ~Prompts() = default;

    // The password dialog: the typed password (4 to 16 cp932 bytes), or
    // nullopt when the user cancels.
    virtual std::optional<std::string> askPassword() = 0;

    // A message box; its title and icon as given. Closing a Yes/No box by
    // other means answers No.
    virtual MessageAnswer showMessage(const std::string& text, const std::string& title,
                                      MessageIcon icon, MessageButtons buttons = MessageButtons::Ok) = 0;
};

}  // namespace orvane
