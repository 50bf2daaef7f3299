#pragma once

#include "app/PetRegistry.h"

namespace orvane {

// The four options of a pet as the settings and add-pet dialogs show them.
struct PetOptions {
    bool shareLogs = true;
    bool shareTreasures = true;
    bool shareFriendsBook = true;
    bool encrypted = false;
};

// The PetStatusFlags value of the options. An encrypted pet never shares
// its send and receive folders: the end of its session would otherwise
// pack the shared logs into its container and delete them.
int statusOf(const PetOptions& options);

}  // namespace orvane
