#pragma once

#include <map>
#include <string>

#include "StoreTestSupport.h"

namespace orvane::test {

using Entries = std::map<std::string, std::string>;

// Three pets for the maintenance operations, standard edition:
// X (0) in place, sharing only its friends book; P (1) stored plain,
// sharing nothing; E (2) encrypted with "pass-E", sharing nothing. The
// shared treasures and logs lie under their "共有_" names.
class PetOperationTest : public StoreTest {
protected:
    void SetUp() override;

    void putAll(const Entries& entries) const;
    std::string settings() const { return temp_.readFile("Orvane.ini"); }
    // The records of a container, by stored name.
    Entries containerOf(const std::string& name, const std::string& password) const;

    static const Entries HostPieces;    // X's, and the shared book
    static const Entries SharedCopies;
    static const Entries PPieces;
    static const Entries EPieces;       // as E's container holds them
};

}  // namespace orvane::test
