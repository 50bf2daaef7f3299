#pragma once

#include <windows.h>
#include <objbase.h>

#include <memory>
#include <type_traits>

// Owners of the Win32 handles and memory the program takes: released when
// the owner goes, on every path.
namespace orvane::win32 {

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};

// A file handle. CreateFileW reports failure with INVALID_HANDLE_VALUE, not
// with null.
using FileHandle = std::unique_ptr<void, HandleCloser>;
inline FileHandle ownFileHandle(HANDLE handle) {
    return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

// A process, thread or mutex handle (null on failure, unlike files).
using KernelHandle = std::unique_ptr<void, HandleCloser>;

struct FindHandleCloser {
    void operator()(HANDLE handle) const { ::FindClose(handle); }
};
using FindHandle = std::unique_ptr<void, FindHandleCloser>;
inline FindHandle ownFindHandle(HANDLE handle) {
    return FindHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

struct IconDestroyer {
    void operator()(HICON icon) const { ::DestroyIcon(icon); }
};
using OwnedIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

struct RegistryKeyCloser {
    void operator()(HKEY key) const { ::RegCloseKey(key); }
};
using RegistryKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyCloser>;

struct LocalFreer {
    void operator()(void* memory) const { ::LocalFree(memory); }
};
template <typename T>
using LocalMemory = std::unique_ptr<T, LocalFreer>;

struct CoTaskMemFreer {
    void operator()(void* memory) const { ::CoTaskMemFree(memory); }
};
template <typename T>
using CoTaskMemory = std::unique_ptr<T, CoTaskMemFreer>;

struct MenuDestroyer {
    void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
// A menu and every submenu in it.
using OwnedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

struct GdiObjectDeleter {
    void operator()(HFONT font) const { ::DeleteObject(font); }
};
using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

struct CursorDestroyer {
    void operator()(HCURSOR cursor) const { ::DestroyCursor(cursor); }
};
// A cursor loaded without sharing; shared ones are never destroyed.
using OwnedCursor = std::unique_ptr<std::remove_pointer_t<HCURSOR>, CursorDestroyer>;

}  // namespace orvane::win32
