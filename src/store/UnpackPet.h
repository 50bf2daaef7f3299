#pragma once

#include <string>

#include "store/StoreContext.h"

namespace orvane {

enum class UnpackResult { Done = 0, WrongPassword = 1 };

// Checks the context's password against pet + ".apd" and, with extract,
// writes every stored file under the pet's own names. A wrong password
// writes nothing. Before the first file is written the whole container is
// read and checked: its structure, and that every stored name is one of
// the pet's own; DamagedContainer otherwise (also for a file shorter than
// its check block). FileError when the container cannot be opened or a
// file, even an empty one, cannot be written. The container is left as it is.
// With keepExisting a file that exists already is left as it is: it is
// newer than the container's copy, and the record fills only what is
// missing.
UnpackResult UnpackPet(const StoreContext& context, const std::string& pet, bool extract, bool keepExisting = false);

}  // namespace orvane
