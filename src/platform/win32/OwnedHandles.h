#pragma once

#include <windows.h>
#include <objbase.h>

#include <memory>
#include <type_traits>

// Owners of the program's other Win32 handles and memory: released when the
// owner goes, on every path.
namespace orvane::win32 {

struct KernelHandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
// A process, thread or mutex handle (null on failure, unlike files).
using KernelHandle = std::unique_ptr<void, KernelHandleCloser>;

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

}  // namespace orvane::win32
