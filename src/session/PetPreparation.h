#pragma once

#include <optional>
#include <string>

#include "platform/Prompts.h"
#include "store/SettleSession.h"
#include "store/StoreContext.h"

namespace orvane {

// A pet ready for its host session: its flags, and for an encrypted pet
// the password its pieces are packed with when the session ends.
struct PreparedPet {
    int status = 0;
    std::optional<std::string> password;
};

// A launch's work on the pet before the host starts. First whatever an
// earlier session left half done is finished (passwordFor gives the
// password of another pet that must be packed). An encrypted pet needs its
// password: with a container it is tested against it, and the container is
// unpacked only when none of the pet's pieces lies plain already; those are
// newer and are used as they are. An encrypted pet without a container gets
// givenPassword (typed when it was just added) or is asked for one. Then
// the pet is swapped in, and the session record says so. When the swap-in
// fails, an encrypted pet is packed again at once where that is possible.
// nullopt when the launch stops with nothing changed: the name of the pet
// or of the pet in place cannot be used, a password was cancelled or
// wrong, or the container is damaged (the user has been told).
// FileError when the swap-in cannot go on.
std::optional<PreparedPet> preparePetForLaunch(const StoreContext& context, Prompts& prompts, int number,
                                               const std::string& pet, const PasswordFor& passwordFor,
                                               const std::optional<std::string>& givenPassword = std::nullopt);

}  // namespace orvane
