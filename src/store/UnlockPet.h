#pragma once

#include <optional>
#include <string>

#include "platform/Prompts.h"
#include "store/SettleSession.h"
#include "store/StoreContext.h"

namespace orvane {

// Asks for the password of the encrypted pet and tests it against
// pet + ".apd"; with extract the container's pieces are then written out
// under the pet's own names. The password when it fits; nullopt when the
// user cancels, or after the wrong-password message. FileError when the
// container cannot be read or unpacked.
std::optional<std::string> UnlockPet(const StoreContext& context, Prompts& prompts, const std::string& pet,
                                     bool extract);

// Asks for the password of the named pet, saying whose it is, and tests it
// against its container when it has one: what a pending pack needs.
PasswordFor askPasswordOf(const StoreContext& context, Prompts& prompts);

}  // namespace orvane
