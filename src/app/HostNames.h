#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/InstallDir.h"

// What this program relies on of the host mail program: its file names,
// folder names per edition, window classes and status-line phrases.
namespace orvane {

enum class HostEdition { Standard, Kids };

// The host's own names for the one pet it uses, per edition.
struct FolderNameTable {
    std::string settingsName;  // the pet file is settingsName + ".ppc"
    std::string receiveFolder;
    std::string sendFolder;
    std::string treasuresFolder;

    static FolderNameTable forEdition(HostEdition edition);
};

struct HostExecutable {
    std::string fileName;  // e.g. "Velmora.exe"
    HostEdition edition = HostEdition::Standard;
};

namespace host {
inline constexpr std::string_view ExecutablePattern = "Velmora*.exe";
inline constexpr std::string_view StandardExecutable = "Velmora.exe";
inline constexpr std::string_view KidsExecutable = "VelmoraKids.exe";

inline constexpr std::string_view PetFileExtension = ".ppc";
inline constexpr std::string_view PetBackupExtension = ".bak";
inline constexpr std::string_view ContainerExtension = ".apd";
inline constexpr std::string_view FriendsBook = "おともだち帳";
inline constexpr std::string_view SharedPrefix = "共有_";
inline constexpr std::string_view ReservedPetName = "共有";

inline constexpr std::string_view KidsPlugInMain = "tzl001.pac";
inline constexpr std::string_view KidsPlugInSecond = "tzl020w.pac";
inline constexpr std::string_view StandardPlugInFolder = "プラグインフォルダ";
inline constexpr std::string_view StandardPlugInFile = "プラグインフォルダ\\tzl001.pac";

// ".ppc" titles that belong to the host and are never pets.
inline constexpr std::string_view OldCopyPrefix = "むかしの";
inline constexpr std::string_view BeforeChangePrefix = "変更前の";

inline constexpr std::string_view MainWindowClass = "TMainWnd";
inline constexpr std::string_view SendWindowClass = "TTxWnd";
inline constexpr std::string_view ReceiveWindowClass = "TRxWnd";
inline constexpr std::string_view ErrandGonePhrase = "はおつかいにいきました。";
inline constexpr std::string_view ErrandOutPhrase = "はおつかいにいっています。";

inline constexpr std::string_view UninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora for Windows";
inline constexpr std::string_view UninstallKeyRetrySuffix = " ver. 2.0";
inline constexpr std::string_view UninstallValue = "UninstallString";
}  // namespace host

// The edition a host executable's file name stands for: Kids only for
// exactly "VelmoraKids.exe".
HostEdition editionOfExecutable(std::string_view fileName);

// The first entry of the installation directory that matches "Velmora*.exe".
std::optional<HostExecutable> findHostExecutable(InstallDir& dir);

}  // namespace orvane
