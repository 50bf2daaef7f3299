#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/IniFile.h"

namespace orvane {

// One rename of a swap-in, as planned before the first of them ran.
struct PlannedMove {
    std::string from;
    std::string to;
    bool operator==(const PlannedMove&) const = default;
};

// What the settings file remembers of the pet in the host's place and of
// the work on it that has not ended yet, so that the next start can finish
// what a crash, a failed pack or a host that was given up left half done.
// It lives in a section of its own that nothing else in the file needs.
struct SessionRecord {
    // The pet the last swap-in brought into place and its flags then: they
    // tell whose items lie in place, whatever the pet's flags say now.
    std::string pet;
    std::optional<int> status;
    // A host session was started for that pet and has not ended.
    bool open = false;
    // An encrypted pet whose pieces lie plain, in place or under its own
    // names: they are newer than its container and must be packed before
    // anything else moves them.
    std::string plain;
    // That pet's new container is complete and read back: what is left is
    // to delete the plain pieces it holds. Never packed again from them.
    std::string packed;
    // A pet whose container no longer holds the newest copy of anything
    // and goes once no plain pet is left to pack.
    std::string drop;
    // A pet taken out of the registry whose pieces are still to be deleted,
    // and whether they lie in the host's place.
    std::string discard;
    bool discardInPlace = false;
    // A pet whose container is being unpacked: its pieces under its own
    // names are copies of the container and nothing else.
    std::string unpacking;
    // The renames of a swap-in that has not finished, in order.
    std::vector<PlannedMove> moves;

    bool unfinished() const { return open || !plain.empty() || !drop.empty() || !discard.empty() || !unpacking.empty() || !moves.empty(); }
};

SessionRecord readSessionRecord(const IniFile& file);

// The changes that store the record in place of the one in the file.
void putSessionRecord(IniChanges& changes, const SessionRecord& record);

}  // namespace orvane
