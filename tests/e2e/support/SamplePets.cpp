#include "SamplePets.h"

#include <stdexcept>

#include "app/IniFile.h"
#include "app/PetRegistry.h"
#include "store/PackPet.h"
#include "store/PetLayout.h"
#include "store/StoreContext.h"

namespace orvane::e2e {

namespace {

void writeFile(InstallDir& dir, const std::string& name, const std::string& bytes) {
    dir.openWrite(name, OpenForWrite::CreateOrTruncate)->write(bytes.data(), bytes.size());
}

void makeFolder(InstallDir& dir, const std::string& name) {
    if (!dir.makeFolder(name)) throw std::runtime_error("cannot make folder " + name);
}

std::string petFileOf(const std::string& pet) { return pet + "\r\nペットの設定\r\n"; }

// Every piece of a pet under the given names; folders hold one mail each.
void writePieces(InstallDir& dir, const std::string& pet, const std::string& petFile,
                 const std::string& backup, const std::string& receive, const std::string& send) {
    writeFile(dir, petFile, petFileOf(pet));
    writeFile(dir, backup, petFileOf(pet));
    makeFolder(dir, receive);
    writeFile(dir, receive + "\\" + sampleMailName(), sampleMailOf(pet));
    makeFolder(dir, send);
    writeFile(dir, send + "\\送信メール1.ppm", "送信: " + pet + "\r\n");
}

}  // namespace

std::string sampleMailName() { return "受信メール1.ppm"; }

std::string sampleMailOf(const std::string& pet) { return "受信: " + pet + " へのお便り\r\n"; }

void writePetInPlace(InstallDir& dir, const FolderNameTable& names, const std::string& pet) {
    const PetLayout layout(names);
    writePieces(dir, pet, layout.inPlaceName(PetPiece::PetFile), layout.inPlaceName(PetPiece::PetBackup),
                names.receiveFolder, names.sendFolder);
    writeFile(dir, layout.inPlaceName(PetPiece::FriendsBook), "おともだち\r\n");
    makeFolder(dir, names.treasuresFolder);
}

void writeStoredPlainPet(InstallDir& dir, const std::string& pet) {
    writeFile(dir, pet + ".ppc", petFileOf(pet));
    writeFile(dir, pet + ".bak", petFileOf(pet));
}

void writeEncryptedPet(InstallDir& dir, const FolderNameTable& names, const std::string& pet,
                       const std::string& password) {
    const PetLayout layout(names);
    const std::string receive = layout.ownName(pet, PetPiece::ReceiveFolder);
    const std::string send = layout.ownName(pet, PetPiece::SendFolder);
    writePieces(dir, pet, layout.ownName(pet, PetPiece::PetFile), layout.ownName(pet, PetPiece::PetBackup),
                receive, send);

    // Packing reads no settings; the registry is only part of the context.
    IniFile unusedSettings(dir.path() + "\\unused.ini");
    PetRegistry registry(unusedSettings);
    PackPet(StoreContext{dir, names, registry, password}, pet, kEncryptedPetStatus, true);

    for (const std::string& folder : {receive, send}) {
        for (const DirEntry& entry : dir.list(folder + "\\*")) dir.deleteFile(folder + "\\" + entry.name);
        dir.removeFolder(folder);
    }
    dir.deleteFile(layout.ownName(pet, PetPiece::PetFile));
    dir.deleteFile(layout.ownName(pet, PetPiece::PetBackup));
}

}  // namespace orvane::e2e
