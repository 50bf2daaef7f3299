#include "OrvaneTest.h"

#include <sstream>

#include "ProgramWindows.h"
#include "platform/win32/WideString.h"
#include "store/PetLayout.h"
#include "store/UnpackPet.h"
#include "support/BuildPaths.h"
#include "support/Controls.h"
#include "support/OwnedHandle.h"
#include "support/Screenshot.h"
#include "support/UninstallEntry.h"
#include "support/WindowFinder.h"

namespace orvane::e2e {

std::wstring wide(const std::string& utf8) { return win32::toWide(utf8).value_or(L"?"); }

namespace {

std::wstring temporaryFolder() {
    wchar_t path[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, path);
    return std::wstring(path, length);
}

// What a test that was killed by its time limit left behind.
void endLeftovers() {
    endProcessesUnder(temporaryFolder());
    removeUninstallEntry(UninstallKey::First);
    removeUninstallEntry(UninstallKey::SecondVersion);
}

// A file that another process holds open for writing.
std::string readWhileWritten(const std::string& path) {
    const HANDLE raw = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                   nullptr, OPEN_EXISTING, 0, nullptr);
    if (raw == INVALID_HANDLE_VALUE) return {};
    const OwnedHandle file(raw);
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

SampleInstallation freshInstallation(const test::TempDir& temp) {
    endLeftovers();
    return layOutSampleInstallation(temp.path(), windowsPathOf(ORVANE_E2E_PROGRAM),
                                    windowsPathOf(ORVANE_E2E_HOST), kPassword);
}

}  // namespace

std::vector<std::wstring> wide(const std::vector<std::string>& utf8) {
    std::vector<std::wstring> result;
    for (const std::string& text : utf8) result.push_back(wide(text));
    return result;
}

std::map<std::string, std::string> snapshotOf(InstallDir& dir) {
    std::map<std::string, std::string> entries;
    for (const DirEntry& entry : dir.list("*")) {
        if (!entry.isFolder) {
            entries[entry.name] = readFileOf(dir, entry.name);
            continue;
        }
        entries[entry.name] = "<folder>";
        for (const DirEntry& inner : dir.list(entry.name + "\\*")) {
            const std::string name = entry.name + "\\" + inner.name;
            entries[name] = inner.isFolder ? "<folder>" : readFileOf(dir, name);
        }
    }
    return entries;
}

std::string readFileOf(InstallDir& dir, const std::string& name) {
    const auto stream = dir.openRead(name);
    if (!stream) return {};
    std::string bytes;
    char buffer[4096];
    while (const std::size_t got = stream->read(buffer, sizeof buffer)) bytes.append(buffer, got);
    return bytes;
}

OrvaneTest::OrvaneTest()
    : paths_(freshInstallation(temp_)),
      names_(FolderNameTable::forEdition(HostEdition::Standard)),
      installDir_(openInstallDir(paths_.installDir)),
      settings_(paths_.programFolder + "\\Orvane.ini"),
      registry_(settings_) {}

OrvaneTest::~OrvaneTest() { endProcessesUnder(wide(temp_.path())); }

std::wstring OrvaneTest::installPathW() const { return wide(paths_.installDir); }

std::wstring OrvaneTest::programFolder() const { return wide(paths_.programFolder); }

void OrvaneTest::writeSettings() {
    ASSERT_TRUE(registry_.registerAll({kPetInPlace, kPlainPet, kEncryptedPet}, installPath(),
                                      [&](const std::string& name) { return has(name + ".apd"); }));
}

bool OrvaneTest::settingsExist() const { return temp_.exists("program\\Orvane.ini"); }

std::string OrvaneTest::settingsBytes() const { return temp_.readFile("program\\Orvane.ini"); }

ChildProcess OrvaneTest::startOrvane(const std::wstring& arguments) const {
    // Started from elsewhere: the program finds its settings by its own path.
    return ChildProcess(programFolder() + L"\\Orvane.exe", arguments, wide(temp_.path()));
}

HWND OrvaneTest::waitForDialog(const ChildProcess& process, const wchar_t* caption) const {
    return waitForWindow({process.id(), kDialogClass, caption});
}

HWND OrvaneTest::waitForHostWindow() const { return waitForWindow({0, program::kHostWindowClass, {}}); }

HWND OrvaneTest::waitForHostSession() const {
    HWND host = waitForHostWindow();
    return host && waitForWindow(program::kTrayWithIcons) ? host : nullptr;
}

std::string OrvaneTest::readFile(const std::string& name) { return readFileOf(*installDir_, name); }

std::map<std::string, std::string> OrvaneTest::unpackCopy(const std::string& pet, const std::string& password) {
    const test::TempDir scratch;
    const auto dir = openInstallDir(scratch.path());
    const std::string container = PetLayout::containerName(pet);
    CopyFileW(wide(installPath() + "\\" + container).c_str(), wide(scratch.path() + "\\" + container).c_str(), FALSE);
    IniFile unusedSettings(scratch.path() + "\\unused.ini");
    PetRegistry unusedRegistry(unusedSettings);
    if (UnpackPet(StoreContext{*dir, names_, unusedRegistry, password}, pet, true) != UnpackResult::Done) {
        ADD_FAILURE() << "the container does not open with the password";
    }
    dir->deleteFile(container);
    return snapshotOf(*dir);
}

HWND OrvaneTest::launchFromMainWindow(const ChildProcess& orvane, int pet) {
    HWND mainWindow = waitForDialog(orvane, program::main::kCaption);
    if (!mainWindow) return nullptr;
    GetWindowRect(mainWindow, &mainWindowShownAt_);
    selectComboItem(controlOf(mainWindow, program::main::kPetCombo), pet);
    press(mainWindow, program::main::kLaunch);
    return mainWindow;
}

std::string OrvaneTest::firstLineOf(const std::string& name) {
    const std::string bytes = readFile(name);
    return bytes.substr(0, bytes.find_first_of("\r\n"));
}

std::vector<std::string> OrvaneTest::hostLog() {
    std::vector<std::string> lines;
    std::istringstream in(readWhileWritten(paths_.installDir + "\\standin-host.log"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

bool OrvaneTest::waitForHostLog(const std::string& event, const std::string& pet) {
    const std::string petEnd = "pet=" + pet;
    const auto matches = [&](const std::string& line) {
        if (line.rfind(event, 0) != 0) return false;
        return pet.empty() || (line.size() >= petEnd.size() &&
                               line.compare(line.size() - petEnd.size(), petEnd.size(), petEnd) == 0);
    };
    return waitUntil([&] {
        for (const std::string& line : hostLog()) {
            if (matches(line)) return true;
        }
        return false;
    });
}

void OrvaneTest::screenshot(HWND window, const std::string& name) const {
    const std::wstring folder = windowsPathOf(ORVANE_E2E_SCREENSHOTS);
    CreateDirectoryW(folder.c_str(), nullptr);
    EXPECT_TRUE(saveWindowShot(window, folder + L"\\" + wide(name) + L".png")) << "screenshot " << name;
}

std::wstring OrvaneTest::acknowledgeBox(const ChildProcess& process, const wchar_t* title,
                                        const std::string& shot) const {
    HWND box = waitForDialog(process, title);
    if (!box) {
        ADD_FAILURE() << "no message box titled " << shot;
        return {};
    }
    const std::wstring text = staticTexts(box);
    screenshot(box, shot);
    press(box, IDOK);
    if (!waitUntil([&] { return !IsWindow(box); })) ADD_FAILURE() << "the box " << shot << " stays open";
    return text;
}

}  // namespace orvane::e2e
