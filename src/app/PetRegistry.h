#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/IniFile.h"
#include "app/SessionRecord.h"

namespace orvane {

// Option bits of a registered pet.
namespace PetStatusFlags {
constexpr int ShareFriendsBook = 1;
constexpr int ShareTreasures = 2;
constexpr int ShareLogs = 4;
constexpr int Encrypted = 8;
constexpr int Default = 7;
}  // namespace PetStatusFlags

struct PetRecord {
    int number = 0;
    std::string name;
    int status = PetStatusFlags::Default;
};

struct WindowPosition {
    std::optional<int> left;
    std::optional<int> top;
};

// The pet registry and the other settings, kept only in the settings file:
// every operation reads what it needs when it runs and writes each change
// at once; a change of several keys is one rewrite of the file. Write
// failures are reported to the caller.
//
// The pets are numbers 0 to count - 1. The count is "entry" (missing or
// negative: 0), but never more than MaxPets, and the list ends at its last
// pet that has a name line: a damaged "entry" can neither make work beyond
// a fixed bound nor list pets the file does not hold. A number without a
// name line before that lists as a pet with an empty name, as pet 0 does
// after an append to a file without "entry". Keys beyond the count belong
// to no pet, and an append may take them over.
class PetRegistry {
public:
    // More pets than a menu or a list can show: beyond them the file is
    // damaged, and the menu ids of the pets would run out.
    static constexpr int MaxPets = 1000;

    explicit PetRegistry(IniFile& file) : file_(file) {}

    int count() const;
    std::string name(int number) const;   // missing: empty
    int status(int number) const;         // missing: 7
    // Every pet, from one reading of the file.
    std::vector<PetRecord> list() const;
    std::vector<std::string> names() const;

    // Adds a pet at the end; returns its number, or -1 when MaxPets are
    // registered or a write failed. A missing "entry" counts as 1 here, as
    // existing installations expect.
    int append(const std::string& name, int status);
    // With a session record, it is written in the same rewrite.
    bool update(int number, const std::string& name, int status,
                const std::optional<SessionRecord>& session = std::nullopt);
    // Removes pet k, moves the later pets down by one and adjusts the
    // number of the pet in place. False, with nothing changed, when k is not
    // a registered pet. Every operation stops at its first failed write.
    // With a session record, it is written in the same rewrite.
    bool remove(int k, const std::optional<SessionRecord>& session = std::nullopt);

    int petInPlace() const;               // "NowPet"/"number", missing: 0
    bool setPetInPlace(int number);

    SessionRecord session() const;
    // Replaces the session record, and with petInPlace "NowPet" as well, in
    // one rewrite of the file.
    bool setSession(const SessionRecord& record, std::optional<int> petInPlace = std::nullopt);

    // First-run registration of the names found in the installation
    // directory; hasContainer tells whether name + ".apd" exists there.
    bool registerAll(const std::vector<std::string>& names, const std::string& installDir,
                     const std::function<bool(const std::string&)>& hasContainer);

    std::string installDir() const;
    bool setInstallDir(const std::string& dir);

    WindowPosition windowPosition() const;
    bool setWindowPosition(int left, int top);

private:
    struct Reading {
        std::vector<PetRecord> pets;
        bool hasEntry = false;  // "entry" holds a number
    };
    Reading read() const;

    IniFile& file_;
};

}  // namespace orvane
