#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/HostNames.h"
#include "store/PetLayout.h"

namespace orvane::test {

// One file of a pet's data, or of a shared item, by what it is rather than
// where it lies: the file piece itself, or one file of a folder piece.
struct PetDatum {
    std::string pet;  // empty for a shared item
    PetPiece piece = PetPiece::PetFile;
    std::string file;  // inside a folder piece; empty for a file piece
    std::string bytes;
};

// Who may hold a pet's data: every name it went by during the operation
// and every password its containers may have been packed with.
struct PetIdentity {
    std::set<std::string> names;
    std::set<std::string> passwords;
};

// The stored names (UTF-8) and plain bytes of a container that opens with
// the password, read straight from the format; empty when it does not open
// or is cut short.
std::vector<std::pair<std::string, std::string>> containerRecords(const std::string& container,
                                                                  const std::string& password);

// Proves that every datum still exists somewhere it can be recovered from:
// a pet's under one of its own names, under the host's names or the "共有_"
// names, or inside a container (any "*.apd") that opens with one of the
// pet's passwords and stores it under one of its names; a shared item's
// under the host's or the "共有_" names. `entries` is the installation
// directory's content: file names with their bytes, "\" between folder and
// file. Returns a line for each datum that is lost.
std::vector<std::string> lostData(const std::vector<PetDatum>& data,
                                  const std::map<std::string, PetIdentity>& pets,
                                  const std::map<std::string, std::string>& entries,
                                  const FolderNameTable& names);

}  // namespace orvane::test
