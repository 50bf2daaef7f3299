// Unpacks arbitrary records behind a check block that is true for them
// (made with the known password for the container's final size), so that
// every input reaches the record reader. Whatever the records hold, the
// unpack may write only the pet's own files inside the installation
// directory, nothing beside it, and nothing at all when it refuses the
// container as damaged.

#include <cstddef>
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
#include "store/PetKey.h"
#include "store/PetLayout.h"
#include "store/StoreContext.h"
#include "store/UnpackPet.h"

namespace orvane {
namespace {

constexpr const char* Pet = "P";
const std::string Password = "abcd";

// Every name the temporary folder holds, relative, "/" between folders.
std::set<std::string> entriesOf(const std::filesystem::path& root) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        names.insert(entry.path().lexically_relative(root).generic_string());
    }
    return names;
}

// The installation directory lies two folders deep in the temporary one,
// so that a name that climbs out of it still lands where it is seen.
const std::string InstallFolder = "above/inst";

// The pet's container, its own files and the files directly in its own folders.
bool isPetsOwn(const PetLayout& layout, const std::string& entry) {
    if (entry == "above" || entry == InstallFolder || entry == InstallFolder + "/" + PetLayout::containerName(Pet)) {
        return true;
    }
    for (const PetPiece piece : AllPetPieces) {
        const std::string own = InstallFolder + "/" + layout.ownName(Pet, piece);
        if (entry == own) return true;
        if (isFolderPiece(piece) && entry.starts_with(own + "/") &&
            entry.find('/', own.size() + 1) == std::string::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace
}  // namespace orvane

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace orvane;
    static const FolderNameTable names = FolderNameTable::forEdition(HostEdition::Standard);
    static const PetKey key = DeriveKey(Password);

    const test::TempDir temp;
    temp.makeFolder(InstallFolder);
    const CheckBlock check = makeCheckBlock(key, CheckBlockSize + size);
    std::string container(check.begin(), check.end());
    container.append(reinterpret_cast<const char*>(data), size);
    temp.writeFile(InstallFolder + "/" + PetLayout::containerName(Pet), container);

    const auto dir = openInstallDir(test::pathToUtf8(temp.fsPath(InstallFolder)));
    IniFile ini(test::pathToUtf8(temp.fsPath("Orvane.ini")));
    PetRegistry registry(ini);
    const StoreContext context{*dir, names, registry, Password};

    bool refused = false;
    try {
        fuzz::require(UnpackPet(context, Pet, true) == UnpackResult::Done,
                      "a true check block was taken for a wrong password");
    } catch (const DamagedContainer&) {
        refused = true;
    } catch (const FileError&) {
        // A piece that could not be written (a file where its folder
        // should be): reported, and still only the pet's own.
    }

    const PetLayout layout(names);
    const std::set<std::string> entries = entriesOf(temp.fsPath());
    for (const std::string& entry : entries) {
        fuzz::require(isPetsOwn(layout, entry), "a file other than the pet's own was written");
    }
    if (refused) {
        fuzz::require(entries == std::set<std::string>{"above", InstallFolder, InstallFolder + "/P.apd"},
                      "a refused container wrote files");
    }
    return 0;
}
