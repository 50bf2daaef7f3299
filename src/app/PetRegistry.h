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
class PetRegistry {
public:
    explicit PetRegistry(IniFile& file) : file_(file) {}

    int count() const;                    // "entry", missing: 0
    std::string name(int number) const;   // missing: empty
    int status(int number) const;         // missing: 7
    std::vector<PetRecord> list() const;
    std::vector<std::string> names() const;

    // Adds a pet at the end; returns its number, or -1 when a write failed.
    // A missing "entry" counts as 1 here, as existing installations expect.
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
    IniFile& file_;
};

}  // namespace orvane
