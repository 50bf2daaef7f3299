#pragma once

#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>

#include "app/HostNames.h"
#include "app/IniFile.h"
#include "app/PetRegistry.h"
#include "platform/win32/WideString.h"
#include "store/PackPet.h"
#include "store/PetLayout.h"
#include "store/RemoveFolder.h"

// The installation that the end-to-end tests and the demo lay out.
namespace orvane::e2e {

// The sample pets, in the order the first-run setup lists them, and the
// mail each keeps in its receive folder.
inline const std::string kPetInPlace = "default";
inline const std::string kPlainPet = "ぽすけ";
inline const std::string kEncryptedPet = "ひみつ";
inline const std::string kSampleMail = "受信メール1.ppm";

inline std::wstring wide(const std::string& utf8) { return win32::toWide(utf8).value_or(L"?"); }
// A path the build hands in: under Wine the Unix path "/a/b" is "Z:\a\b".
inline std::wstring windowsPathOf(const std::string& buildPath) {
    std::wstring path = wide(buildPath);
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path.starts_with(L"\\") ? L"Z:" + path : path;
}

// Full paths, UTF-8.
struct SampleInstallation {
    std::string programFolder;
    std::string installDir;
};
inline SampleInstallation sampleInstallationIn(const std::string& folder) {
    return {folder + "\\program", folder + "\\ヴェルモラ"};
}

inline void writeSampleFile(InstallDir& dir, const std::string& name, const std::string& bytes) {
    dir.openWrite(name, OpenForWrite::CreateOrTruncate)->write(bytes.data(), bytes.size());
}
// A pet's file and backup, whose first line is the pet's name, which the
// host shows; and its mail folders, unless the pet shares them.
inline void writeSamplePet(InstallDir& dir, const std::string& pet, const PetLayout& layout, bool inPlace, bool mail) {
    const auto name = [&](PetPiece piece) { return inPlace ? layout.inPlaceName(piece) : layout.ownName(pet, piece); };
    writeSampleFile(dir, name(PetPiece::PetFile), pet + "\r\nペットの設定\r\n");
    writeSampleFile(dir, name(PetPiece::PetBackup), pet + "\r\nペットの設定\r\n");
    if (!mail) return;
    if (!dir.makeFolder(name(PetPiece::ReceiveFolder)) || !dir.makeFolder(name(PetPiece::SendFolder))) {
        throw std::runtime_error("cannot make the mail folders of " + pet);
    }
    writeSampleFile(dir, name(PetPiece::ReceiveFolder) + "\\" + kSampleMail, "受信: " + pet + " へのお便り\r\n");
    writeSampleFile(dir, name(PetPiece::SendFolder) + "\\送信メール1.ppm", "送信: " + pet + "\r\n");
}

// In an existing folder: program\Orvane.exe (its settings file goes beside
// it) and ヴェルモラ\ with the stand-in host, "default" in place, the plain pet
// stored under its name, the encrypted pet (status 11: own mail folders) in
// its container, and an old copy of the host's pet file.
inline SampleInstallation layOutSampleInstallation(const std::string& folder, const std::string& password) {
    const SampleInstallation paths = sampleInstallationIn(folder);
    for (const auto& [from, to] : {std::pair{ORVANE_E2E_PROGRAM, paths.programFolder + "\\Orvane.exe"},
                                   std::pair{ORVANE_E2E_HOST, paths.installDir + "\\Velmora.exe"}}) {
        CreateDirectoryW(wide(to.substr(0, to.rfind('\\'))).c_str(), nullptr);
        if (!CopyFileW(windowsPathOf(from).c_str(), wide(to).c_str(), FALSE)) throw std::runtime_error("cannot copy " + to);
    }
    const FolderNameTable names = FolderNameTable::forEdition(HostEdition::Standard);
    const PetLayout layout(names);
    const auto dir = openInstallDir(paths.installDir);
    writeSamplePet(*dir, kPetInPlace, layout, /*inPlace=*/true, /*mail=*/true);
    writeSampleFile(*dir, layout.inPlaceName(PetPiece::FriendsBook), "おともだち\r\n");
    dir->makeFolder(names.treasuresFolder);
    dir->copyFile(layout.inPlaceName(PetPiece::PetFile), "むかしの" + layout.inPlaceName(PetPiece::PetFile));
    writeSamplePet(*dir, kPlainPet, layout, /*inPlace=*/false, /*mail=*/false);
    // The encrypted pet is packed from its own names, which then go.
    writeSamplePet(*dir, kEncryptedPet, layout, /*inPlace=*/false, /*mail=*/true);
    IniFile unusedSettings(paths.installDir + "\\unused.ini");  // packing reads no settings
    PetRegistry unusedRegistry(unusedSettings);
    PackStoredPet(StoreContext{*dir, names, unusedRegistry, password}, kEncryptedPet, 11);
    for (const PetPiece piece : {PetPiece::ReceiveFolder, PetPiece::SendFolder}) RemoveFolder(*dir, layout.ownName(kEncryptedPet, piece));
    for (const PetPiece piece : {PetPiece::PetFile, PetPiece::PetBackup}) dir->deleteFile(layout.ownName(kEncryptedPet, piece));
    return paths;
}

// The host installer's uninstall entry, in this process's registry view; the program reads both views.
inline const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora for Windows";
inline void writeUninstallEntry(const std::wstring& installDir) {
    const std::wstring value = L"C:\\WINDOWS\\IsUn0411.exe -f\"" + installDir + L"\\Uninst.isu\"";
    if (RegSetKeyValueW(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString", REG_SZ, value.c_str(),
                        (value.size() + 1) * sizeof(wchar_t)) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot write the uninstall entry");
    }
}
inline void removeUninstallEntry() { RegDeleteKeyW(HKEY_LOCAL_MACHINE, kUninstallKey); }

}  // namespace orvane::e2e
