// Unpacks arbitrary records behind a check block that is true for them
// (made with the known password for the container's final size), so that
// every input reaches the record reader. Whatever the records hold, the
// unpack may write only the pet's own files inside the installation
// directory, nothing beside it, and nothing at all when it refuses the
// container as damaged.

#include <cstdint>
#include <filesystem>
#include <set>
#include <string>

#include "FuzzCheck.h"
#include "TempDir.h"
#include "app/HostNames.h"
#include "app/IniFile.h"
#include "app/PetRegistry.h"
#include "platform/FileError.h"
#include "store/ContainerErrors.h"
#include "store/ContainerFormat.h"
#include "store/PetLayout.h"
#include "store/UnpackPet.h"

namespace {

using namespace orvane;

const std::string Password = "abcd";
// Two folders deep in the temporary one, so that a name that climbs out of it still lands where it is seen.
const std::string Inst = "above/inst";

// The pet's container, its own files and the files directly in its own folders.
bool isPetsOwn(const PetLayout& layout, const std::string& entry) {
    if (entry == "above" || entry == Inst || entry == Inst + "/P.apd") return true;
    for (const PetPiece piece : AllPetPieces) {
        const std::string own = Inst + "/" + layout.ownName("P", piece);
        const bool inOwnFolder = isFolderPiece(piece) && entry.starts_with(own + "/") && entry.find('/', own.size() + 1) == std::string::npos;
        if (entry == own || inOwnFolder) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const FolderNameTable names = FolderNameTable::forEdition(HostEdition::Standard);
    static const PetKey key = DeriveKey(Password);
    const test::TempDir temp;
    temp.makeFolder(Inst);
    const CheckBlock check = makeCheckBlock(key, CheckBlockSize + size);
    temp.writeFile(Inst + "/P.apd", std::string(check.begin(), check.end()) + std::string(reinterpret_cast<const char*>(data), size));
    const auto dir = openInstallDir(test::pathToUtf8(temp.fsPath(Inst)));
    IniFile ini(test::pathToUtf8(temp.fsPath("Orvane.ini")));
    PetRegistry registry(ini);

    bool refused = false;
    try {
        fuzz::require(UnpackPet({*dir, names, registry, Password}, "P", true) == UnpackResult::Done,
                      "a true check block was taken for a wrong password");
    } catch (const DamagedContainer&) {
        refused = true;
    } catch (const FileError&) {
        // A piece that could not be written (a file where its folder should be): reported, and still only the pet's own.
    }
    std::set<std::string> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(temp.fsPath())) {
        const std::string name = entry.path().lexically_relative(temp.fsPath()).generic_string();
        fuzz::require(isPetsOwn(PetLayout(names), name), "a file other than the pet's own was written");
        entries.insert(name);
    }
    fuzz::require(!refused || entries == std::set<std::string>{"above", Inst, Inst + "/P.apd"}, "a refused container wrote files");
    return 0;
}
