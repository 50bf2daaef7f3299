// Arbitrary bytes as the settings file, then what the program does with
// it: list the pets, append one, remove it again and remove the first pet.
// Nothing may crash or hang, the list stays within its bound, a written pet
// reads back, a refused change leaves the file as it was, and no line that
// the change has no business with is lost.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "FuzzCheck.h"
#include "TempDir.h"
#include "app/IniFile.h"
#include "app/PetRegistry.h"

namespace {

using namespace orvane;
using Pets = std::vector<std::pair<std::string, int>>;

// The lines without their breaks ("\n" or "\r\n"), so that a last line that gets a break still counts as itself.
std::vector<std::string> linesOf(const std::string& bytes) {
    std::vector<std::string> lines;
    for (std::size_t begin = 0; begin < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', begin), bytes.size());
        const bool carriageReturn = end < bytes.size() && end > begin && bytes[end - 1] == '\r';
        lines.push_back(bytes.substr(begin, end - begin - carriageReturn));
        begin = end + 1;
    }
    return lines;
}

// Every line of before that names none of the changed keys (lower case) is in after, in the same order.
bool keepsOtherLines(const std::string& before, const std::string& after, const std::vector<std::string>& changedKeys) {
    const std::vector<std::string> kept = linesOf(after);
    auto at = kept.begin();
    for (const std::string& line : linesOf(before)) {
        std::string lower = line;
        std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (std::any_of(changedKeys.begin(), changedKeys.end(), [&](const std::string& key) { return lower.find(key) != std::string::npos; })) continue;
        if ((at = std::find(at, kept.end(), line)) == kept.end()) return false;
        ++at;
    }
    return true;
}

// Names and statuses in list order; the numbers must run from 0 without a gap.
Pets petsOf(const PetRegistry& registry) {
    Pets pets;
    for (const PetRecord& pet : registry.list()) {
        fuzz::require(pet.number == static_cast<int>(pets.size()), "a gap in the numbers");
        pets.emplace_back(pet.name, pet.status);
    }
    return pets;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using fuzz::require;
    const test::TempDir temp;
    const std::string original(reinterpret_cast<const char*>(data), size);
    temp.writeFile("Orvane.ini", original);
    IniFile ini(test::pathToUtf8(temp.fsPath("Orvane.ini")));
    PetRegistry registry(ini);

    const Pets pets = petsOf(registry);
    require(pets.size() <= static_cast<std::size_t>(PetRegistry::MaxPets), "more pets listed than there can be");
    const int number = registry.append("ふぁず", 5);
    const std::string appended = temp.readFile("Orvane.ini");
    if (number < 0) return require(appended == original, "a refused append changed the file"), 0;
    Pets others = petsOf(registry);
    require(others.size() == static_cast<std::size_t>(number) + 1 && others.back() == std::pair<std::string, int>("ふぁず", 5),
            "the appended pet does not read back as the last");
    others.pop_back();
    const bool countWasStored = static_cast<std::size_t>(number) == pets.size();
    require(!countWasStored || others == pets, "an append changed another pet");
    const std::string n = std::to_string(number);
    require(keepsOtherLines(original, appended, {"entry", "petname" + n, "status" + n}), "an append lost a line");

    require(registry.remove(number), "the appended pet could not be removed");
    const std::string removed = temp.readFile("Orvane.ini");
    require(!countWasStored || petsOf(registry) == pets, "removing the new pet changed the others");
    require(keepsOtherLines(appended, removed, {"entry", "petname" + n, "status" + n, "number"}), "a removal lost a line");

    const Pets before = petsOf(registry);
    if (before.empty()) return 0;
    if (!registry.remove(0)) return require(temp.readFile("Orvane.ini") == removed, "a refused removal changed the file"), 0;
    require(petsOf(registry) == Pets(before.begin() + 1, before.end()), "the later pets did not move down");
    require(keepsOtherLines(removed, temp.readFile("Orvane.ini"), {"entry", "petname", "status", "number"}), "a removal lost a line");
    return 0;
}
