#include "app/PetRegistry.h"

#include <algorithm>
#include <string_view>

namespace orvane {
namespace {

const std::string petList = "PetList";
const std::string nowPet = "NowPet";

const std::string entryKey = "entry";
const std::string numberKey = "number";
const std::string velmora = "Velmora";
const std::string instDirKey = "InstDir";
const std::string window = "Window";

// The name key is spelled two ways by the operations; both address the
// same key because keys match without regard to letter case.
std::string nameKey(int number) { return "Petname" + std::to_string(number); }
std::string changedNameKey(int number) { return "PetName" + std::to_string(number); }
std::string statusKey(int number) { return "Status" + std::to_string(number); }

char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The stored key is the ASCII word, letter case aside.
bool equalsIgnoringCase(std::string_view stored, std::string_view word) {
    return stored.size() == word.size() && std::equal(stored.begin(), stored.end(), word.begin(), [](char a, char b) {
               return lowerAscii(a) == lowerAscii(b);
           });
}

// n of a key named word + n (letter case aside, n in decimal without
// leading zeros, as the keys are written) when n can number a pet.
std::optional<int> numberOfKey(std::string_view stored, std::string_view word) {
    if (stored.size() <= word.size() || !equalsIgnoringCase(stored.substr(0, word.size()), word)) return std::nullopt;
    const std::string_view digits = stored.substr(word.size());
    if (digits.size() > 1 && digits.front() == '0') return std::nullopt;
    int number = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
        if (number >= PetRegistry::MaxPets) return std::nullopt;
    }
    return number;
}

}  // namespace

PetRegistry::Reading PetRegistry::read() const {
    // The first line of each key counts, as everywhere in the file.
    std::optional<std::string> entry;
    std::vector<std::optional<std::string>> names(MaxPets);
    std::vector<std::optional<std::string>> statuses(MaxPets);
    file_.forEachKey(petList, [&](std::string_view key, std::string_view value) {
        if (equalsIgnoringCase(key, entryKey)) {
            if (!entry) entry = value;
        } else if (const auto number = numberOfKey(key, "Petname")) {
            if (!names[*number]) names[*number] = value;
        } else if (const auto number = numberOfKey(key, "Status")) {
            if (!statuses[*number]) statuses[*number] = value;
        }
    });
    const std::optional<int> storedCount = entry ? IniFile::intOf(*entry) : std::nullopt;
    int total = std::clamp(storedCount.value_or(0), 0, MaxPets);
    while (total > 0 && !names[total - 1]) --total;

    Reading reading;
    reading.hasEntry = storedCount.has_value();
    for (int i = 0; i < total; ++i) {
        const auto& name = names[i];
        const auto& status = statuses[i];
        reading.pets.push_back({i, name ? IniFile::textOf(*name).value_or("") : "",
                                status ? IniFile::intOf(*status).value_or(PetStatusFlags::Default)
                                       : PetStatusFlags::Default});
    }
    return reading;
}

int PetRegistry::count() const { return static_cast<int>(read().pets.size()); }

std::string PetRegistry::name(int number) const { return file_.readText(petList, nameKey(number), ""); }

int PetRegistry::status(int number) const {
    return file_.readInt(petList, statusKey(number), PetStatusFlags::Default);
}

std::vector<PetRecord> PetRegistry::list() const { return read().pets; }

std::vector<std::string> PetRegistry::names() const {
    std::vector<std::string> result;
    for (PetRecord& pet : read().pets) result.push_back(std::move(pet.name));
    return result;
}

int PetRegistry::append(const std::string& petName, int petStatus) {
    const Reading reading = read();
    const int number = reading.hasEntry ? static_cast<int>(reading.pets.size()) : 1;
    if (number >= MaxPets) return -1;
    IniChanges changes;
    changes.setText(petList, nameKey(number), petName)
        .setInt(petList, statusKey(number), petStatus)
        .setInt(petList, entryKey, number + 1);
    return file_.apply(changes) ? number : -1;
}

bool PetRegistry::update(int number, const std::string& petName, int petStatus,
                         const std::optional<SessionRecord>& session) {
    IniChanges changes;
    changes.setText(petList, changedNameKey(number), petName).setInt(petList, statusKey(number), petStatus);
    if (session) putSessionRecord(changes, *session);
    return file_.apply(changes);
}

bool PetRegistry::remove(int k, const std::optional<SessionRecord>& session) {
    const std::vector<PetRecord> pets = list();
    const int total = static_cast<int>(pets.size());
    // A number outside the list would otherwise drop the last pet.
    if (k < 0 || k >= total) return false;
    const int current = file_.readInt(nowPet, numberKey, -1);

    IniChanges changes;
    if (k == current) {
        changes.setInt(nowPet, numberKey, -1);
    } else if (k < current) {
        changes.setInt(nowPet, numberKey, current - 1);
    }
    // Each later pet moves down by one with the status it showed, 7 when
    // its key was missing; the last number's keys go below.
    for (int i = k; i + 1 < total; ++i) {
        const PetRecord& later = pets[static_cast<std::size_t>(i + 1)];
        changes.setText(petList, nameKey(i), later.name).setInt(petList, statusKey(i), later.status);
    }
    changes.setInt(petList, entryKey, total - 1)
        .removeKey(petList, changedNameKey(total - 1))
        .removeKey(petList, statusKey(total - 1));
    if (session) putSessionRecord(changes, *session);
    return file_.apply(changes);
}

int PetRegistry::petInPlace() const { return file_.readInt(nowPet, numberKey, 0); }

bool PetRegistry::setPetInPlace(int number) { return file_.writeInt(nowPet, numberKey, number); }

SessionRecord PetRegistry::session() const { return readSessionRecord(file_); }

bool PetRegistry::setSession(const SessionRecord& record, std::optional<int> petInPlace) {
    IniChanges changes;
    if (petInPlace) changes.setInt(nowPet, numberKey, *petInPlace);
    putSessionRecord(changes, record);
    return file_.apply(changes);
}

bool PetRegistry::registerAll(const std::vector<std::string>& petNames, const std::string& dir,
                              const std::function<bool(const std::string&)>& hasContainer) {
    IniChanges changes;
    changes.setInt(petList, entryKey, static_cast<int>(petNames.size()));
    int current = -1;
    for (int i = 0; i < static_cast<int>(petNames.size()); ++i) {
        const std::string& petName = petNames[static_cast<std::size_t>(i)];
        if (petName == "default") current = i;
        // A pet with a container is encrypted, and an encrypted pet keeps
        // its send and receive folders to itself.
        const int petStatus = hasContainer(petName)
                                  ? PetStatusFlags::Encrypted | PetStatusFlags::ShareTreasures |
                                        PetStatusFlags::ShareFriendsBook
                                  : PetStatusFlags::Default;
        changes.setText(petList, nameKey(i), petName).setInt(petList, statusKey(i), petStatus);
    }
    changes.setInt(nowPet, numberKey, current).setText(velmora, instDirKey, dir);
    return file_.apply(changes);
}

std::string PetRegistry::installDir() const { return file_.readText(velmora, instDirKey, ""); }

bool PetRegistry::setInstallDir(const std::string& dir) { return file_.writeText(velmora, instDirKey, dir); }

WindowPosition PetRegistry::windowPosition() const {
    return {file_.readInt(window, "left"), file_.readInt(window, "top")};
}

bool PetRegistry::setWindowPosition(int left, int top) {
    IniChanges changes;
    changes.setInt(window, "left", left).setInt(window, "top", top);
    return file_.apply(changes);
}

}  // namespace orvane
