#pragma once

#include <windows.h>

#include <memory>

// Owners of Win32 handles: closed when the owner goes, on every path.
namespace orvane::win32 {

struct FileHandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, FileHandleCloser>;

// CreateFileW reports failure with INVALID_HANDLE_VALUE, not with null.
inline FileHandle ownFileHandle(HANDLE handle) {
    return FileHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

struct FindHandleCloser {
    void operator()(HANDLE handle) const { ::FindClose(handle); }
};
using FindHandle = std::unique_ptr<void, FindHandleCloser>;

inline FindHandle ownFindHandle(HANDLE handle) {
    return FindHandle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

}  // namespace orvane::win32
