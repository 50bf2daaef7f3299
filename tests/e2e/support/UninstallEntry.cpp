#include "UninstallEntry.h"

#include <windows.h>

#include <stdexcept>

namespace orvane::e2e {

namespace {

std::wstring keyPath(UninstallKey key) {
    std::wstring path = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Velmora for Windows";
    if (key == UninstallKey::SecondVersion) path += L" ver. 2.0";
    return path;
}

std::wstring uninstallStringFor(const std::wstring& installDir) {
    return L"C:\\WINDOWS\\IsUn0411.exe -f\"" + installDir + L"\\Uninst.isu\"";
}

}  // namespace

bool writeUninstallEntry(UninstallKey key, const std::wstring& installDir) {
    HKEY opened = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyPath(key).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &opened, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const std::wstring value = uninstallStringFor(installDir);
    const LONG result = RegSetValueExW(opened, L"UninstallString", 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(opened);
    return result == ERROR_SUCCESS;
}

void removeUninstallEntry(UninstallKey key) { RegDeleteKeyW(HKEY_LOCAL_MACHINE, keyPath(key).c_str()); }

ScopedUninstallEntry::ScopedUninstallEntry(UninstallKey key, const std::wstring& installDir) : key_(key) {
    if (!writeUninstallEntry(key, installDir)) throw std::runtime_error("cannot write the uninstall entry");
}

ScopedUninstallEntry::~ScopedUninstallEntry() { removeUninstallEntry(key_); }

}  // namespace orvane::e2e
