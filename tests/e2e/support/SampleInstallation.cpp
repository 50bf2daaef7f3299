#include "SampleInstallation.h"

#include <windows.h>

#include <stdexcept>

#include "SamplePets.h"
#include "app/HostNames.h"
#include "platform/win32/WideString.h"

namespace orvane::e2e {

namespace {

std::wstring wide(const std::string& utf8) { return win32::toWide(utf8).value_or(L""); }

void makeFolder(const std::string& path) {
    if (!CreateDirectoryW(wide(path).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        throw std::runtime_error("cannot make folder " + path);
    }
}

void copyFile(const std::wstring& from, const std::string& to) {
    if (!CopyFileW(from.c_str(), wide(to).c_str(), FALSE)) throw std::runtime_error("cannot copy to " + to);
}

}  // namespace

SampleInstallation sampleInstallationIn(const std::string& folder) {
    return {folder + "\\program", folder + "\\ヴェルモラ"};
}

SampleInstallation layOutSampleInstallation(const std::string& folder, const std::wstring& programExe,
                                            const std::wstring& hostExe, const std::string& password) {
    const SampleInstallation paths = sampleInstallationIn(folder);
    makeFolder(paths.programFolder);
    makeFolder(paths.installDir);
    copyFile(programExe, paths.programFolder + "\\Orvane.exe");
    copyFile(hostExe, paths.installDir + "\\Velmora.exe");

    const FolderNameTable names = FolderNameTable::forEdition(HostEdition::Standard);
    const auto dir = openInstallDir(paths.installDir);
    writePetInPlace(*dir, names, kPetInPlace);
    writeStoredPlainPet(*dir, kPlainPet);
    writeEncryptedPet(*dir, names, kEncryptedPet, password);
    dir->copyFile(names.settingsName + ".ppc", "むかしの" + names.settingsName + ".ppc");
    return paths;
}

}  // namespace orvane::e2e
