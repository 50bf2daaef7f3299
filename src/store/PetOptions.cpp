#include "store/PetOptions.h"

namespace orvane {

int statusOf(const PetOptions& options) {
    int status = 0;
    if (options.shareFriendsBook) status |= PetStatusFlags::ShareFriendsBook;
    if (options.shareTreasures) status |= PetStatusFlags::ShareTreasures;
    if (options.encrypted) {
        status |= PetStatusFlags::Encrypted;
    } else if (options.shareLogs) {
        status |= PetStatusFlags::ShareLogs;
    }
    return status;
}

}  // namespace orvane
