#include "app/PetRegistry.h"

#include <algorithm>

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


// "entry", then the name and the status keys of every number a pet can have.
const std::vector<std::string>& petListKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> all{entryKey};
        for (int i = 0; i < PetRegistry::MaxPets; ++i) all.push_back(nameKey(i));
        for (int i = 0; i < PetRegistry::MaxPets; ++i) all.push_back(statusKey(i));
        return all;
    }();
    return keys;
}

std::size_t nameAt(int number) { return 1 + static_cast<std::size_t>(number); }
std::size_t statusAt(int number) { return 1 + PetRegistry::MaxPets + static_cast<std::size_t>(number); }

}  // namespace

PetRegistry::Reading PetRegistry::read() const {
    const IniValues values = file_.readValues(petList, petListKeys());
    const auto entry = values.integer(0);
    int total = std::clamp(entry.value_or(0), 0, MaxPets);
    while (total > 0 && !values.present(nameAt(total - 1))) --total;

    Reading reading;
    reading.hasEntry = entry.has_value();
    for (int i = 0; i < total; ++i) {
        reading.pets.push_back({i, values.text(nameAt(i)).value_or(""),
                                values.integer(statusAt(i)).value_or(PetStatusFlags::Default)});
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
    const IniValues values = file_.readValues(window, {"left", "top"});
    return {values.integer(0), values.integer(1)};
}

bool PetRegistry::setWindowPosition(int left, int top) {
    IniChanges changes;
    changes.setInt(window, "left", left).setInt(window, "top", top);
    return file_.apply(changes);
}

}  // namespace orvane
