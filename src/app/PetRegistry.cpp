#include "app/PetRegistry.h"

namespace orvane {
namespace {

const std::string petList = "PetList";
const std::string nowPet = "NowPet";

const std::string entryKey = "entry";
const std::string numberKey = "number";

// The name key is spelled two ways by the operations; both address the
// same key because keys match without regard to letter case.
std::string nameKey(int number) { return "Petname" + std::to_string(number); }
std::string changedNameKey(int number) { return "PetName" + std::to_string(number); }
std::string statusKey(int number) { return "Status" + std::to_string(number); }

}  // namespace

int PetRegistry::count() const { return file_.readInt(petList, entryKey, 0); }

std::string PetRegistry::name(int number) const { return file_.readText(petList, nameKey(number), ""); }

int PetRegistry::status(int number) const {
    return file_.readInt(petList, statusKey(number), PetStatusFlags::Default);
}

std::vector<PetRecord> PetRegistry::list() const {
    std::vector<PetRecord> pets;
    const int total = count();
    for (int i = 0; i < total; ++i) pets.push_back({i, name(i), status(i)});
    return pets;
}

std::vector<std::string> PetRegistry::names() const {
    std::vector<std::string> result;
    const int total = count();
    for (int i = 0; i < total; ++i) result.push_back(name(i));
    return result;
}

int PetRegistry::append(const std::string& petName, int petStatus) {
    const int number = file_.readInt(petList, entryKey, 1);
    // The count goes last: a failure before it leaves keys beyond the end
    // of the list, never a listed pet without its name.
    if (!file_.writeText(petList, nameKey(number), petName) ||
        !file_.writeInt(petList, statusKey(number), petStatus) ||
        !file_.writeInt(petList, entryKey, number + 1))
        return -1;
    return number;
}

bool PetRegistry::update(int number, const std::string& petName, int petStatus) {
    return file_.writeText(petList, changedNameKey(number), petName) &&
           file_.writeInt(petList, statusKey(number), petStatus);
}

bool PetRegistry::remove(int k) {
    const int current = file_.readInt(nowPet, numberKey, -1);
    const int total = count();
    // A number outside the list would otherwise drop the last pet.
    if (k < 0 || k >= total) return false;

    if (k == current) {
        if (!file_.writeInt(nowPet, numberKey, -1)) return false;
    } else if (k < current) {
        if (!file_.writeInt(nowPet, numberKey, current - 1)) return false;
    }
    // Each later pet moves down by one with the status it showed, 7 when
    // its key was missing; the last number's keys go below.
    for (int i = k; i + 1 < total; ++i) {
        if (!file_.writeText(petList, nameKey(i), file_.readText(petList, changedNameKey(i + 1), "")) ||
            !file_.writeInt(petList, statusKey(i), status(i + 1)))
            return false;
    }
    return file_.writeInt(petList, entryKey, total - 1) &&
           file_.removeKey(petList, changedNameKey(total - 1)) &&
           file_.removeKey(petList, statusKey(total - 1));
}

int PetRegistry::petInPlace() const { return file_.readInt(nowPet, numberKey, 0); }

bool PetRegistry::setPetInPlace(int number) { return file_.writeInt(nowPet, numberKey, number); }

bool PetRegistry::registerAll(const std::vector<std::string>& petNames, const std::string& dir,
                              const std::function<bool(const std::string&)>& hasContainer) {
    if (!file_.writeInt(petList, entryKey, static_cast<int>(petNames.size()))) return false;
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
        if (!file_.writeText(petList, nameKey(i), petName) ||
            !file_.writeInt(petList, statusKey(i), petStatus))
            return false;
    }
    return file_.writeInt(nowPet, numberKey, current) && setInstallDir(dir);
}

std::string PetRegistry::installDir() const { return file_.readText("Velmora", "InstDir", ""); }

bool PetRegistry::setInstallDir(const std::string& dir) { return file_.writeText("Velmora", "InstDir", dir); }

WindowPosition PetRegistry::windowPosition() const {
    return {file_.readInt("Window", "left"), file_.readInt("Window", "top")};
}

bool PetRegistry::setWindowPosition(int left, int top) {
    return file_.writeInt("Window", "left", left) && file_.writeInt("Window", "top", top);
}

}  // namespace orvane
