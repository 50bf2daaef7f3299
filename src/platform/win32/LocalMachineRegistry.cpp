#include "platform/win32/LocalMachineRegistry.h"

#include <windows.h>

#include <string_view>

#include "platform/win32/WinHandle.h"
#include "platform/win32/WideString.h"

namespace orvane::win32 {

namespace {

std::optional<std::wstring> readFromView(const std::wstring& key, const std::wstring& value, REGSAM view) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE | view, &opened) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const RegistryKey owner(opened);
    DWORD bytes = 0;
    if (::RegQueryValueExW(opened, value.c_str(), nullptr, nullptr, nullptr, &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
    bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    if (::RegQueryValueExW(opened, value.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()),
                           &bytes) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    // Stored strings may or may not carry their terminating NUL.
    data.resize(std::wstring_view(data.c_str()).size());
    return data;
}

}  // namespace

std::optional<std::string> readLocalMachineText(const std::string& key, const std::string& value) {
    const auto wideKey = toWide(key);
    const auto wideValue = toWide(value);
    if (!wideKey || !wideValue) return std::nullopt;
    for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        if (const auto text = readFromView(*wideKey, *wideValue, view)) return fromWide(*text);
    }
    return std::nullopt;
}

}  // namespace orvane::win32
