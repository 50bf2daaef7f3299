// Arbitrary bytes as the settings file, then what the program does with
// it: list the pets, append one, remove it again and remove the first pet.
// Nothing may crash or hang, the list stays within its bound, a written pet
// reads back, a refused change leaves the file as it was, and no line that
// the change has no business with is lost.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzCheck.h"
#include "TempDir.h"
#include "app/IniFile.h"
#include "app/PetRegistry.h"

namespace orvane {
namespace {

const std::string NewName = "ふぁず";
constexpr int NewStatus = 5;

// The lines without their breaks ("\n" or "\r\n"), so that a last line
// that gets a break still counts as itself.
std::vector<std::string> linesOf(std::string_view bytes) {
    std::vector<std::string> lines;
    for (std::size_t begin = 0; begin < bytes.size();) {
        const std::size_t end = std::min(bytes.find('\n', begin), bytes.size());
        std::string_view line = bytes.substr(begin, end - begin);
        if (end < bytes.size() && line.ends_with('\r')) line.remove_suffix(1);
        lines.emplace_back(line);
        begin = end + 1;
    }
    return lines;
}

// Every line of before that names none of the changed keys (lower case)
// is in after, in the same order.
bool keepsOtherLines(std::string_view before, std::string_view after, const std::vector<std::string>& changedKeys) {
    const std::vector<std::string> kept = linesOf(after);
    auto at = kept.begin();
    for (const std::string& line : linesOf(before)) {
        std::string lower = line;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        if (std::any_of(changedKeys.begin(), changedKeys.end(),
                        [&](const std::string& key) { return lower.find(key) != std::string::npos; })) {
            continue;
        }
        at = std::find(at, kept.end(), line);
        if (at == kept.end()) return false;
        ++at;
    }
    return true;
}

bool sameNamesAndStatuses(const std::vector<PetRecord>& a, const std::vector<PetRecord>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const PetRecord& x, const PetRecord& y) {
        return x.number == y.number && x.name == y.name && x.status == y.status;
    });
}

}  // namespace
}  // namespace orvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvane;
    using fuzz::require;
    const test::TempDir temp;
    const std::string original(reinterpret_cast<const char*>(data), size);
    temp.writeFile("Orvane.ini", original);
    IniFile ini(test::pathToUtf8(temp.fsPath("Orvane.ini")));
    PetRegistry registry(ini);

    const std::vector<PetRecord> pets = registry.list();
    require(pets.size() <= static_cast<std::size_t>(PetRegistry::MaxPets), "more pets listed than there can be");
    for (std::size_t i = 0; i < pets.size(); ++i) require(pets[i].number == static_cast<int>(i), "a gap in the numbers");

    const int number = registry.append(NewName, NewStatus);
    const std::string appended = temp.readFile("Orvane.ini");
    if (number < 0) {
        require(appended == original, "a refused append changed the file");
        return 0;
    }
    const std::vector<PetRecord> afterAppend = registry.list();
    require(afterAppend.size() == static_cast<std::size_t>(number) + 1, "the appended pet is not the last");
    require(afterAppend.back().name == NewName && afterAppend.back().status == NewStatus,
            "the appended pet does not read back");
    const bool countWasStored = static_cast<std::size_t>(number) == pets.size();
    if (countWasStored) {
        require(sameNamesAndStatuses({afterAppend.begin(), afterAppend.end() - 1}, pets),
                "an append changed another pet");
    }
    const std::string n = std::to_string(number);
    require(keepsOtherLines(original, appended, {"entry", "petname" + n, "status" + n}), "an append lost a line");

    require(registry.remove(number), "the appended pet could not be removed");
    const std::string removed = temp.readFile("Orvane.ini");
    if (countWasStored) require(sameNamesAndStatuses(registry.list(), pets), "removing the new pet changed the others");
    require(keepsOtherLines(appended, removed, {"entry", "petname" + n, "status" + n, "number"}),
            "a removal lost a line");

    const std::vector<PetRecord> before = registry.list();
    if (before.empty()) return 0;
    if (!registry.remove(0)) {
        require(temp.readFile("Orvane.ini") == removed, "a refused removal changed the file");
        return 0;
    }
    const std::vector<PetRecord> after = registry.list();
    require(after.size() + 1 == before.size(), "removing pet 0 did not shorten the list by one");
    for (std::size_t i = 0; i < after.size(); ++i) {
        require(after[i].name == before[i + 1].name && after[i].status == before[i + 1].status,
                "the later pets did not move down");
    }
    require(keepsOtherLines(removed, temp.readFile("Orvane.ini"), {"entry", "petname", "status", "number"}),
            "a removal lost a line");
    return 0;
}
