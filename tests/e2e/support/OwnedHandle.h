#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace orvane::e2e {

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
// A process, thread or snapshot handle, closed when its owner goes.
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

struct DcReleaser {
    void operator()(HDC dc) const { ::ReleaseDC(nullptr, dc); }
};
using ScreenDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcReleaser>;

struct DcDeleter {
    void operator()(HDC dc) const { ::DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;

}  // namespace orvane::e2e
