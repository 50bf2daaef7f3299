#pragma once

#include <string>

namespace orvane::e2e {

// The sample pets, in the order the first-run setup lists them.
inline const std::string kPetInPlace = "default";
inline const std::string kPlainPet = "ぽすけ";
inline const std::string kEncryptedPet = "ひみつ";
// The mail each sample pet keeps in its receive folder.
inline const std::string kSampleMail = "受信メール1.ppm";

// Full paths, UTF-8.
struct SampleInstallation {
    std::string programFolder;
    std::string installDir;
};
SampleInstallation sampleInstallationIn(const std::string& folder);
// In an existing folder: program\Orvane.exe (its settings file goes beside
// it) and ヴェルモラ\ with the stand-in host, "default" in place, the plain pet
// stored under its name, the encrypted pet (status 11: own mail folders) in
// its container, and an old copy of the host's pet file. Throws when
// something cannot be written.
SampleInstallation layOutSampleInstallation(const std::string& folder, const std::string& password);

// The host installer's uninstall entry in this 32-bit process's registry
// view, the one the program reads; the second has " ver. 2.0" appended.
enum class UninstallKey { First, SecondVersion };
void writeUninstallEntry(UninstallKey key, const std::wstring& installDir);
void removeUninstallEntry(UninstallKey key);

std::wstring wide(const std::string& utf8);
// A path the build hands in: under Wine the Unix path "/a/b" is "Z:\a\b".
std::wstring windowsPathOf(const std::string& buildPath);

}  // namespace orvane::e2e
