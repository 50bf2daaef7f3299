#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "TempDir.h"
#include "resource.h"
#include "session/TrayCommands.h"
#include "store/PetLayout.h"
#include "store/UnpackPet.h"
#include "support/Driver.h"
#include "support/SampleInstallation.h"

namespace orvane::e2e {

inline const std::string kPassword = "たまご42";  // the encrypted sample pet's: 6 cp932 bytes
inline constexpr wchar_t kMainCaption[] = L"オルヴェイン";
inline constexpr wchar_t kPasswordCaption[] = L"暗号化ペット";
inline constexpr wchar_t kErrorTitle[] = L"エラー";
inline constexpr wchar_t kDoneTitle[] = L"完了";
inline constexpr wchar_t kHostClass[] = L"TMainWnd";
inline constexpr wchar_t kTrayCaption[] = L"Wine System Tray";  // shown while Wine holds an icon
inline const std::vector<std::wstring> kSamplePets{wide(kPetInPlace), wide(kPlainPet), wide(kEncryptedPet)};  // as the lists show them

// The sample installation and its settings in a temporary folder. What a
// test starts ends with it, whatever its outcome; so do uninstall entries.
class Orvane : public ::testing::Test {
protected:
    // What the first-run setup writes for the installation.
    Orvane() {
        EXPECT_TRUE(registry.registerAll({kPetInPlace, kPlainPet, kEncryptedPet}, paths.installDir,
                                         [&](const std::string& pet) { return has(pet + ".apd"); }));
    }
    ~Orvane() override { removeUninstallEntry(); }
    // Started from elsewhere: the program finds its settings by its own path.
    Program start(const std::wstring& arguments = L"") const {
        return Program(wide(paths.programFolder + "\\Orvane.exe"), arguments, wide(temp.path()));
    }

    // <name>.png in the build tree's screenshot folder.
    void shot(HWND window, const char* name) const {
        const std::wstring folder = windowsPathOf(ORVANE_E2E_SCREENSHOTS);
        CreateDirectoryW(folder.c_str(), nullptr);
        EXPECT_TRUE(saveShot(window, folder + L"\\" + wide(name) + L".png")) << name;
    }
    // The window, or an exception that ends the test when none came.
    static HWND expected(HWND window, const std::string& what) { return window ? window : throw std::runtime_error("no " + what); }
    HWND dialog(const Program& program, const wchar_t* caption, const char* shotName = nullptr) const {
        HWND window = expected(waitForWindow(program.id(), kDialogClass, caption), "dialog " + win32::fromWide(caption).value_or("?"));
        if (shotName) shot(window, shotName);
        return window;
    }
    // The message box's text, once it is saved, answered with OK and gone.
    std::wstring acknowledge(const Program& program, const wchar_t* title, const char* shotName) const {
        HWND box = dialog(program, title, shotName);
        const std::wstring text = textOf(GetDlgItem(box, 0xFFFF));
        EXPECT_TRUE(pressToClose(box, IDOK)) << shotName << " stays open";
        return text;
    }
    // Chooses the pet in the main window and presses Launch.
    HWND launch(const Program& program, int pet) const {
        HWND mainWindow = dialog(program, kMainCaption);
        choose(GetDlgItem(mainWindow, IDC_MAIN_PETS), pet);
        press(mainWindow, IDOK);
        return mainWindow;
    }
    void givePassword(const Program& program, const std::string& password) const {
        HWND passwordDialog = dialog(program, kPasswordCaption);
        setText(GetDlgItem(passwordDialog, IDC_PASSWORD_TEXT), wide(password));
        press(passwordDialog, IDOK);
    }
    // The host's main window once the program watches it, as its icon shows.
    static HWND hostSession() {
        HWND host = expected(waitForWindow(0, kHostClass), "host");
        expected(waitForWindow(0, {}, kTrayCaption), "icon in the notification area");
        return host;
    }
    // Closes the host as its user would; true once the program has ended with it.
    static bool endSession(HWND host, const Program& program) { return PostMessageW(host, WM_CLOSE, 0, 0) && program.waitForExit(); }
    // The icon's callback message as the shell posts it, a menu's command as the menu sends it.
    static void clickTray(HWND mainWindow, LPARAM mouse) { PostMessageW(mainWindow, TrayCallbackMessage, 0, mouse); }
    static void trayCommand(HWND mainWindow, int id) { PostMessageW(mainWindow, WM_COMMAND, id, 0); }
    // A line of the host's log that starts with the event and, when a pet is given, ends with its name.
    bool waitForHostLog(const std::string& event, const std::string& pet = {}) const {
        return waitUntil([&] {
            std::istringstream log(read("standin-host.log"));
            for (std::string line; std::getline(log, line);) {
                if (line.starts_with(event) && (pet.empty() || line.ends_with("pet=" + pet))) return true;
            }
            return false;
        });
    }

    // A file of the installation; "" when there is none.
    std::string read(const std::string& name) const { return bytesOf(test::u8Path(paths.installDir + "\\" + name)); }
    static std::string bytesOf(const std::filesystem::path& file) { std::ifstream in(file, std::ios::binary); return {std::istreambuf_iterator<char>(in), {}}; }
    void write(const std::string& name, const std::string& bytes) const { writeSampleFile(*dir, name, bytes); }
    bool has(const std::string& name) const { return dir->exists(name); }
    // Every entry under the folder, each file with its bytes.
    static std::map<std::string, std::string> snapshot(const std::string& folder) {
        std::map<std::string, std::string> entries;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(test::u8Path(folder))) {
            const std::string name = test::pathToUtf8(entry.path().lexically_relative(test::u8Path(folder)));
            entries[name] = entry.is_directory() ? "<folder>" : bytesOf(entry.path());
        }
        return entries;
    }
    // What the pet's container holds, unpacked in a scratch folder.
    std::map<std::string, std::string> unpackCopy(const std::string& pet, const std::string& password) {
        const test::TempDir scratch;
        scratch.writeFile(PetLayout::containerName(pet), read(PetLayout::containerName(pet)));
        EXPECT_EQ(UnpackPet(StoreContext{*openInstallDir(scratch.path()), names, registry, password}, pet, true),
                  UnpackResult::Done);  // it reads no settings
        return snapshot(scratch.path());
    }

    const test::TempDir temp;
    const SampleInstallation paths = layOutSampleInstallation(temp.path(), kPassword);
    const FolderNameTable names = FolderNameTable::forEdition(HostEdition::Standard);
    const std::string petFileInPlace = names.settingsName + ".ppc";
    const std::unique_ptr<InstallDir> dir = openInstallDir(paths.installDir);
    IniFile settings{paths.programFolder + "\\Orvane.ini"};
    PetRegistry registry{settings};
};

}  // namespace orvane::e2e
