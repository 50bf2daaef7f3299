#pragma once

#include <gtest/gtest.h>

#include <map>
#include <sstream>

#include "TempDir.h"
#include "app/HostNames.h"
#include "app/IniFile.h"
#include "app/PetRegistry.h"
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

// The sample installation with its settings in a temporary folder. What a
// test starts ends with it, whatever its outcome; so do uninstall entries.
class OrvaneTest : public ::testing::Test {
protected:
    OrvaneTest() { writeSettings(); }
    ~OrvaneTest() override { removeUninstallEntries(); }

    static SampleInstallation freshInstallation(const test::TempDir& temp) {
        removeUninstallEntries();  // a test killed by its time limit may have left them
        return layOutSampleInstallation(temp.path(), kPassword);
    }
    static void removeUninstallEntries() {
        removeUninstallEntry(UninstallKey::First);
        removeUninstallEntry(UninstallKey::SecondVersion);
    }
    void writeSettings() {
        ASSERT_TRUE(registry.registerAll({kPetInPlace, kPlainPet, kEncryptedPet}, paths.installDir,
                                         [&](const std::string& pet) { return has(pet + ".apd"); }));
    }
    std::string settingsBytes() const { return temp.readFile("program\\Orvane.ini"); }
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
    HWND dialog(const Program& program, const wchar_t* caption, const char* shotName = nullptr) const {
        HWND window = waitForWindow(program.id(), kDialogClass, caption);
        if (window && shotName) shot(window, shotName);
        return window;
    }
    // The message box's text once it is saved, answered with OK and gone.
    std::wstring acknowledge(const Program& program, const wchar_t* title, const char* shotName) const {
        HWND box = dialog(program, title, shotName);
        const std::wstring text = box ? staticTexts(box) : L"";
        EXPECT_TRUE(box && pressToClose(box, IDOK)) << "no message box " << shotName << " that closes";
        return text;
    }
    // Chooses the pet in the main window and presses Launch.
    HWND launch(const Program& program, int pet) {
        HWND mainWindow = dialog(program, kMainCaption);
        if (!mainWindow) return nullptr;
        GetWindowRect(mainWindow, &mainWindowShownAt);
        choose(GetDlgItem(mainWindow, IDC_MAIN_PETS), pet);
        press(mainWindow, IDOK);
        return mainWindow;
    }
    void givePassword(const Program& program, const std::string& password) const {
        HWND passwordDialog = dialog(program, kPasswordCaption);
        ASSERT_TRUE(passwordDialog) << "no password dialog";
        setText(GetDlgItem(passwordDialog, IDC_PASSWORD_TEXT), wide(password));
        press(passwordDialog, IDOK);
    }
    // The host's main window once the program watches it, as its icon shows.
    static HWND hostSession() {
        HWND host = waitForWindow(0, kHostClass);
        return host && waitForWindow(0, {}, kTrayCaption) ? host : nullptr;
    }
    // The icon's callback message as the shell posts it, a menu's command as the menu sends it.
    static void clickTray(HWND mainWindow, LPARAM mouse) { PostMessageW(mainWindow, TrayCallbackMessage, 0, mouse); }
    static void trayCommand(HWND mainWindow, int id) { PostMessageW(mainWindow, WM_COMMAND, id, 0); }

    // The host holds its log open for writing.
    std::vector<std::string> hostLog() const {
        const HANDLE opened = CreateFileW(wide(paths.installDir + "\\standin-host.log").c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
        const OwnedHandle file(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
        std::string bytes(file ? GetFileSize(file.get(), nullptr) : 0, '\0');
        DWORD got = 0;
        if (file && !ReadFile(file.get(), bytes.data(), bytes.size(), &got, nullptr)) got = 0;
        std::istringstream in(bytes.substr(0, got));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }
    // A line that starts with the event and, when a pet is given, ends with "pet=" and its name.
    bool waitForHostLog(const std::string& event, const std::string& pet = {}) const {
        return waitUntil([&] {
            for (const std::string& line : hostLog()) {
                if (line.starts_with(event) && (pet.empty() || line.ends_with("pet=" + pet))) return true;
            }
            return false;
        });
    }

    static std::string read(InstallDir& from, const std::string& name) {
        const auto stream = from.openRead(name);
        std::string bytes;
        char buffer[4096];
        while (const std::size_t got = stream ? stream->read(buffer, sizeof buffer) : 0) bytes.append(buffer, got);
        return bytes;
    }
    std::string read(const std::string& name) const { return read(*dir, name); }
    void write(const std::string& name, const std::string& bytes) const {
        dir->openWrite(name, OpenForWrite::CreateOrTruncate)->write(bytes.data(), bytes.size());
    }
    bool has(const std::string& name) const { return dir->exists(name); }
    // Every entry, its folders' entries too, with each file's bytes.
    static std::map<std::string, std::string> snapshot(InstallDir& of, const std::string& folder = {}) {
        std::map<std::string, std::string> entries;
        for (const DirEntry& entry : of.list(folder + "*")) {
            const std::string name = folder + entry.name;
            entries[name] = entry.isFolder ? "<folder>" : read(of, name);
            if (entry.isFolder && folder.empty()) entries.merge(snapshot(of, name + "\\"));
        }
        return entries;
    }
    // What the pet's container holds, unpacked in a scratch folder.
    std::map<std::string, std::string> unpackCopy(const std::string& pet, const std::string& password) const {
        const test::TempDir scratch;
        const auto copy = openInstallDir(scratch.path());
        scratch.writeFile(PetLayout::containerName(pet), read(PetLayout::containerName(pet)));
        IniFile unusedSettings(scratch.path() + "\\unused.ini");
        PetRegistry unusedRegistry(unusedSettings);
        EXPECT_EQ(UnpackPet(StoreContext{*copy, names, unusedRegistry, password}, pet, true), UnpackResult::Done);
        copy->deleteFile(PetLayout::containerName(pet));
        return snapshot(*copy);
    }

    const test::TempDir temp;
    const SampleInstallation paths = freshInstallation(temp);
    const FolderNameTable names = FolderNameTable::forEdition(HostEdition::Standard);
    const std::string petFileInPlace = names.settingsName + ".ppc";
    const std::unique_ptr<InstallDir> dir = openInstallDir(paths.installDir);
    IniFile settings{paths.programFolder + "\\Orvane.ini"};
    PetRegistry registry{settings};
    RECT mainWindowShownAt{};
};

}  // namespace orvane::e2e
