#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/SessionRecord.h"
#include "store/StoreContext.h"

namespace orvane {

// Brings pet `number` named newName into the host's names, after storing
// the pet in place under its own names. Every rename is planned first; a
// piece in place whose own name is already taken refuses the whole swap
// with a FileError naming that name, before anything is written. The plan
// goes into the session record together with "NowPet" and `session`'s
// flags in one rewrite, then the renames run; one that fails throws
// FileError and the record keeps the rest for later. Returns the new pet's
// PetStatusFlags. In the Kids edition a pet left without treasures gets a
// fresh folder; FileError when its plug-in file cannot be patched.
// UnusablePetName, before anything is written, when the new pet's or the
// old pet's name cannot be used.
int SwapIn(const StoreContext& context, int number, const std::string& newName, SessionRecord session = {});

// Writes the session record, with petInPlace also "NowPet", in one
// rewrite; SettingsNotWritten when the settings file cannot be written.
void RecordSession(PetRegistry& registry, const SessionRecord& session, std::optional<int> petInPlace = std::nullopt);

// Runs the recorded renames of an interrupted swap-in to their end. A
// rename already done is recognised and passed over; one that cannot be
// done throws FileError naming its source. Then clears them from the record.
void FinishSwapIn(const StoreContext& context);

}  // namespace orvane
