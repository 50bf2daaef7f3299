#pragma once

#include <optional>
#include <string>

#include "platform/Prompts.h"
#include "store/StoreContext.h"

namespace orvane {

// A launch's work on the pet before the host starts. An encrypted pet (its
// container lies in the directory) needs the password first and is unpacked
// with it. An encrypted pet that has no container yet and no password to be
// packed with at the end of its session is asked for one, so that it can be
// opened again. Then the pet is swapped in.
// Returns the pet's status flags, or nullopt when the launch stops with
// nothing changed: the password was cancelled or wrong, or the container is
// damaged (the user has been told). FileError when the swap-in cannot go on.
std::optional<int> preparePetForLaunch(const StoreContext& context, Prompts& prompts, int number,
                                       const std::string& pet);

}  // namespace orvane
