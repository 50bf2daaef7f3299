#include "SampleInstallation.h"

#include <windows.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "app/HostNames.h"
#include "app/IniFile.h"
#include "app/PetRegistry.h"
#include "platform/win32/WideString.h"
#include "store/PackPet.h"
#include "store/PetLayout.h"
#include "store/RemoveFolder.h"

namespace orvane::e2e {

namespace {

void write(InstallDir& dir, const std::string& name, const std::string& bytes) {
    dir.openWrite(name, OpenForWrite::CreateOrTruncate)->write(bytes.data(), bytes.size());
}

// The pet file's first line is the pet's name, which the host shows.
void writePetFiles(InstallDir& dir, const std::string& pet, const std::string& petFile, const std::string& backup) {
    write(dir, petFile, pet + "\r\nペットの設定\r\n");
    write(dir, backup, pet + "\r\nペットの設定\r\n");
}

void writeMailFolders(InstallDir& dir, const std::string& pet, const std::string& receive, const std::string& send) {
    if (!dir.makeFolder(receive) || !dir.makeFolder(send)) throw std::runtime_error("cannot make " + receive);
    write(dir, receive + "\\" + kSampleMail, "受信: " + pet + " へのお便り\r\n");
    write(dir, send + "\\送信メール1.ppm", "送信: " + pet + "\r\n");
}

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};

std::wstring uninstallKeyPath(UninstallKey key) {
    return std::wstring(L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora for Windows") +
           (key == UninstallKey::SecondVersion ? L" ver. 2.0" : L"");
}

}  // namespace

SampleInstallation sampleInstallationIn(const std::string& folder) {
    return {folder + "\\program", folder + "\\ヴェルモラ"};
}

SampleInstallation layOutSampleInstallation(const std::string& folder, const std::string& password) {
    const SampleInstallation paths = sampleInstallationIn(folder);
    for (const auto& [from, to] : {std::pair{ORVANE_E2E_PROGRAM, paths.programFolder + "\\Orvane.exe"},
                                   std::pair{ORVANE_E2E_HOST, paths.installDir + "\\Velmora.exe"}}) {
        CreateDirectoryW(wide(to.substr(0, to.rfind('\\'))).c_str(), nullptr);
        if (!CopyFileW(windowsPathOf(from).c_str(), wide(to).c_str(), FALSE)) throw std::runtime_error("cannot copy " + to);
    }
    const FolderNameTable names = FolderNameTable::forEdition(HostEdition::Standard);
    const PetLayout layout(names);
    const auto dir = openInstallDir(paths.installDir);
    const std::string petFile = layout.inPlaceName(PetPiece::PetFile);
    writePetFiles(*dir, kPetInPlace, petFile, layout.inPlaceName(PetPiece::PetBackup));
    writeMailFolders(*dir, kPetInPlace, names.receiveFolder, names.sendFolder);
    write(*dir, layout.inPlaceName(PetPiece::FriendsBook), "おともだち\r\n");
    dir->makeFolder(names.treasuresFolder);
    dir->copyFile(petFile, "むかしの" + petFile);
    writePetFiles(*dir, kPlainPet, kPlainPet + ".ppc", kPlainPet + ".bak");

    // The encrypted pet is packed from its own names, which then go.
    const auto own = [&](PetPiece piece) { return layout.ownName(kEncryptedPet, piece); };
    writePetFiles(*dir, kEncryptedPet, own(PetPiece::PetFile), own(PetPiece::PetBackup));
    writeMailFolders(*dir, kEncryptedPet, own(PetPiece::ReceiveFolder), own(PetPiece::SendFolder));
    IniFile unusedSettings(paths.installDir + "\\unused.ini");  // packing reads no settings
    PetRegistry unusedRegistry(unusedSettings);
    PackStoredPet(StoreContext{*dir, names, unusedRegistry, password}, kEncryptedPet, 11);
    RemoveFolder(*dir, own(PetPiece::ReceiveFolder));
    RemoveFolder(*dir, own(PetPiece::SendFolder));
    dir->deleteFile(own(PetPiece::PetFile));
    dir->deleteFile(own(PetPiece::PetBackup));
    return paths;
}

void writeUninstallEntry(UninstallKey key, const std::wstring& installDir) {
    const std::wstring value = L"C:\\WINDOWS\\IsUn0411.exe -f\"" + installDir + L"\\Uninst.isu\"";
    HKEY opened = nullptr;
    const bool created = RegCreateKeyExW(HKEY_LOCAL_MACHINE, uninstallKeyPath(key).c_str(), 0, nullptr, 0,
                                         KEY_SET_VALUE, nullptr, &opened, nullptr) == ERROR_SUCCESS;
    const std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser> entry(created ? opened : nullptr);
    if (!entry || RegSetValueExW(entry.get(), L"UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 (value.size() + 1) * sizeof(wchar_t)) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot write the uninstall entry");
    }
}

void removeUninstallEntry(UninstallKey key) { RegDeleteKeyW(HKEY_LOCAL_MACHINE, uninstallKeyPath(key).c_str()); }

std::wstring wide(const std::string& utf8) { return win32::toWide(utf8).value_or(L"?"); }

std::wstring windowsPathOf(const std::string& buildPath) {
    std::wstring path = wide(buildPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path.starts_with(L"\\") ? L"Z:" + path : path;
}

}  // namespace orvane::e2e
