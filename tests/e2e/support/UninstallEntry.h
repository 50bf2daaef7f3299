#pragma once

#include <string>

// The host installer's uninstall entry under HKEY_LOCAL_MACHINE, in the
// registry view of this 32-bit process, which is the one the program reads.
namespace orvane::e2e {

enum class UninstallKey { First, SecondVersion };  // the second has " ver. 2.0" appended

// Names a file in the installation directory after the installer's
// marker, as the host's installer does. False when it cannot be written.
bool writeUninstallEntry(UninstallKey key, const std::wstring& installDir);
void removeUninstallEntry(UninstallKey key);

// An entry that lasts as long as the object.
class ScopedUninstallEntry {
public:
    ScopedUninstallEntry(UninstallKey key, const std::wstring& installDir);
    ~ScopedUninstallEntry();
    ScopedUninstallEntry(const ScopedUninstallEntry&) = delete;
    ScopedUninstallEntry& operator=(const ScopedUninstallEntry&) = delete;

private:
    UninstallKey key_;
};

}  // namespace orvane::e2e
