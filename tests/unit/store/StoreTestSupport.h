#pragma once

#include <gtest/gtest.h>

#include <map>
#include <utility>

#include "ScriptedDir.h"
#include "ScriptedPrompts.h"
#include "TempDir.h"
#include "app/HostNames.h"
#include "app/IniFile.h"
#include "app/PetRegistry.h"
#include "store/PetKey.h"
#include "store/StoreContext.h"

namespace orvane::test {

using Entries = std::map<std::string, std::string>;

// A temporary installation directory "inst", a settings file beside it, and a StoreContext over both.
class StoreTest : public ::testing::Test {
protected:
    explicit StoreTest(HostEdition edition = HostEdition::Standard);

    // Registers the pets, in order, with pet `inPlace` in place.
    void registerPets(const std::vector<std::pair<std::string, int>>& pets, int inPlace);

    // Names inside "inst"; put makes the file's folder.
    void put(const std::string& name, const std::string& bytes = "") const;
    void putFolder(const std::string& name) const { temp_.makeFolder("inst\\" + name); }
    void putAll(const std::map<std::string, std::string>& entries) const;
    std::string read(const std::string& name) const { return temp_.readFile("inst\\" + name); }
    bool has(const std::string& name) const { return temp_.exists("inst\\" + name); }
    // Every file and folder with its bytes, "<folder>" for a folder (as putAll takes).
    std::map<std::string, std::string> snapshot() const;
    void clearInstallDir() const;

    TempDir temp_;
    FolderNameTable names_;
    IniFile ini_;
    PetRegistry registry_;
    std::unique_ptr<InstallDir> dir_;
    std::string password_ = "abcd";
    StoreContext context_{*dir_, names_, registry_, password_};
};

// A container laid out by hand, from a key given as bytes so that nothing relies on DeriveKey.
struct HandRecord {
    std::string storedName, data;
};
std::string handContainer(const PetKey& key, const std::vector<HandRecord>& records);
std::string handRecord(const PetKey& key, const HandRecord& record);
std::string handCheckBlock(const PetKey& key, std::size_t containerSize);

// "abcd", worked through by hand in ContainerTest.cpp.
inline constexpr PetKey KeyOfAbcd = {0x7A, 0x86, 0x92, 0x96, 0x9E, 0xB2, 0xC6, 0xC2,
                                     0xBE, 0xD2, 0xE6, 0xE2, 0xDE, 0xF2, 0x06, 0xC2};

std::string cp932(const std::string& utf8);

}  // namespace orvane::test

namespace orvane {
// The entries with more put over them.
inline test::Entries operator+(test::Entries entries, const test::Entries& more) {
    for (const auto& [name, bytes] : more) entries[name] = bytes;
    return entries;
}
}  // namespace orvane
