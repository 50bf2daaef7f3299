#pragma once

#include <string>

#include "store/StoreContext.h"

namespace orvane {

// Brings pet `number` named newName into the host's names, after storing
// the pet in place under its own names. "NowPet" names the new pet before
// any file is touched; when it cannot be written, FileError is thrown and
// nothing moves. Returns the new pet's PetStatusFlags.
// In the Kids edition a pet left without treasures gets a fresh folder;
// FileError when its plug-in file cannot be patched (the swap stays done).
int SwapIn(const StoreContext& context, int number, const std::string& newName);

// One shared-or-private item's part of the swap-in: puts the item in place
// away (to oldName's private name when a shared copy lies outside, else to
// the shared name) and brings newName's copy, or the shared one, in.
void ExchangeSharedItem(InstallDir& dir, const std::string& newName, const std::string& oldName,
                        const std::string& item, bool newShares);

}  // namespace orvane
