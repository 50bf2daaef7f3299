#pragma once

#include <functional>
#include <optional>
#include <string>

#include "store/StoreContext.h"

namespace orvane {

// The password of an encrypted pet whose plain pieces are to be packed;
// nullopt when the user does not give it.
using PasswordFor = std::function<std::optional<std::string>(const std::string& pet)>;

// Whether any piece of the pet lies under its own names.
bool hasOwnPieces(const StoreContext& context, const std::string& pet);

// Writes the pet's container out under its own names with the context's
// password, never over a piece that lies there already: those are newer.
// The session record says first what a crash in the middle leaves: copies
// only (nothing lay there), or the pet's plain pieces, to be packed again.
void fillFromContainer(const StoreContext& context, const std::string& pet);

// Brings the installation to rest after whatever the session record says
// was left half done: the copies of an unpack that did not finish are
// deleted (the container still holds them), an interrupted swap-in is run
// to its end, and an encrypted pet whose pieces lie plain is packed, read
// back and its plain pieces deleted; then the session counts as ended.
// keepPlain names a pet whose plain pieces stay as they are (it is about
// to be launched again). False when a password was needed and not given:
// that pet stays plain. FileError naming the file in the way when it
// cannot finish; the record then keeps what is left to do.
bool SettleSession(const StoreContext& context, const PasswordFor& passwordFor, const std::string& keepPlain = "");

}  // namespace orvane
