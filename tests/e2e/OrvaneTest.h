#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "TempDir.h"
#include "app/HostNames.h"
#include "app/IniFile.h"
#include "app/PetRegistry.h"
#include "platform/InstallDir.h"
#include "support/ChildProcess.h"
#include "support/SampleInstallation.h"
#include "support/SamplePets.h"

namespace orvane::e2e {

// Every entry of the directory, and of its folders, with the bytes of each
// file ("<folder>" for a folder).
std::map<std::string, std::string> snapshotOf(InstallDir& dir);
std::string readFileOf(InstallDir& dir, const std::string& name);

// The encrypted sample pet's password. Double-byte characters count two
// bytes each: 6 bytes in all.
inline const std::string kPassword = "たまご42";

// A sample installation (support/SampleInstallation.h) in a temporary
// folder. Every process started from that folder is ended when the test
// ends, whatever its outcome.
class OrvaneTest : public ::testing::Test {
protected:
    OrvaneTest();
    ~OrvaneTest() override;

    std::string installPath() const { return paths_.installDir; }
    std::wstring installPathW() const;
    InstallDir& installDir() { return *installDir_; }
    const FolderNameTable& hostNames() const { return names_; }
    std::string petFileInPlace() const { return names_.settingsName + ".ppc"; }

    // What the first-run setup writes for this installation.
    void writeSettings();
    bool settingsExist() const;
    std::string settingsBytes() const;
    PetRegistry& registry() { return registry_; }

    ChildProcess startOrvane(const std::wstring& arguments = L"") const;
    // The process's visible dialog with that caption; null when none came.
    HWND waitForDialog(const ChildProcess& process, const wchar_t* caption) const;
    HWND waitForHostWindow() const;
    // The host's main window once the program watches it, which it shows
    // by putting its icon into the notification area; null when either did
    // not come. A host closed before that is one that did not start.
    HWND waitForHostSession() const;
    // Waits for the main window, selects the pet with that index and
    // presses Launch. The main window, or null when none came.
    HWND launchFromMainWindow(const ChildProcess& orvane, int pet);
    RECT mainWindowShownAt() const { return mainWindowShownAt_; }

    std::map<std::string, std::string> snapshot() { return snapshotOf(*installDir_); }
    // The pieces of the encrypted pet's container, unpacked in a scratch
    // folder with the password.
    std::map<std::string, std::string> unpackCopy(const std::string& pet, const std::string& password);
    std::string readFile(const std::string& name);
    std::string firstLineOf(const std::string& name);
    bool has(const std::string& name) { return installDir_->exists(name); }

    std::vector<std::string> hostLog();
    // Waits for a line of the host's log that starts with the event and,
    // when a pet is given, ends with "pet=" and its name.
    bool waitForHostLog(const std::string& event, const std::string& pet = {});

    // "<name>.png" in the screenshot folder of the build tree.
    void screenshot(HWND window, const std::string& name) const;
    // Waits for the process's message box with that title, saves its
    // screenshot under the name and presses OK. Its text; a failure and ""
    // when no box came or it did not close.
    std::wstring acknowledgeBox(const ChildProcess& process, const wchar_t* title, const std::string& shot) const;

private:
    std::wstring programFolder() const;

    test::TempDir temp_;
    SampleInstallation paths_;
    FolderNameTable names_;
    std::unique_ptr<InstallDir> installDir_;
    IniFile settings_;
    PetRegistry registry_;
    RECT mainWindowShownAt_{};
};

std::wstring wide(const std::string& utf8);
std::vector<std::wstring> wide(const std::vector<std::string>& utf8);

}  // namespace orvane::e2e
