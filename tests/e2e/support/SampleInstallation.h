#pragma once

#include <string>

namespace orvane::e2e {

// Full paths, UTF-8.
struct SampleInstallation {
    std::string programFolder;
    std::string installDir;
};

// Where the installation in the folder lies.
SampleInstallation sampleInstallationIn(const std::string& folder);

// Lays out in an existing folder:
//   program\Orvane.exe   the program; its settings file goes beside it
//   ヴェルモラ\            the stand-in host Velmora.exe, "default" in place,
//                        a plain pet, an encrypted pet with this password,
//                        and an old copy of the host's pet file
// Throws std::runtime_error when something cannot be written.
SampleInstallation layOutSampleInstallation(const std::string& folder, const std::wstring& programExe,
                                            const std::wstring& hostExe, const std::string& password);

}  // namespace orvane::e2e
