#pragma once

#include <optional>
#include <string>

#include "platform/Prompts.h"
#include "store/StoreContext.h"

namespace orvane {

inline constexpr const char* WrongPasswordMessage = "パスワードが不正です。";
inline constexpr const char* ErrorTitle = "エラー";

// A launch's work on the pet before the host starts. An encrypted pet (its
// container lies in the directory) needs the password first: the prompts
// leave the accepted one where context.password refers, and the container is
// unpacked with it. Then the pet is swapped in.
// Returns the pet's status flags, or nullopt when the launch stops with
// nothing changed: the password was cancelled or wrong, or the container is
// damaged (the user has been told). FileError when the swap-in cannot go on.
std::optional<int> preparePetForLaunch(const StoreContext& context, Prompts& prompts, int number,
                                       const std::string& pet);

}  // namespace orvane
