#pragma once

#include <functional>
#include <string>
#include <string_view>

// Where the program finds its settings and the host, decided from its own
// path and the stored installation directory.
namespace orvane {

inline constexpr std::string_view SettingsFileName = "Orvane.ini";

// The folder of the program file, with its trailing backslash
// ("C:\Tools\" for "C:\Tools\Orvane.exe").
std::string folderOfProgram(std::string_view programPath);

// The program's title: its file name without the extension ("Orvane").
std::string titleOfProgram(std::string_view programPath);

// The host's installation directory: the stored one when it names an
// existing folder (a relative one counts from the program's folder), else
// the program's own folder.
std::string chooseInstallDir(const std::string& programFolder, const std::string& storedDir,
                             const std::function<bool(const std::string&)>& isFolder);

}  // namespace orvane
