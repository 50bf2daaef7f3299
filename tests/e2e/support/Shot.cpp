#include "Driver.h"

// Left out by WIN32_LEAN_AND_MEAN, and needed by GDI+.
#include <objidl.h>
#include <propidl.h>
#include <gdiplus.h>

#include <thread>

namespace orvane::e2e {

namespace {

struct GdiDeleter {
    void operator()(HDC dc) const { DeleteDC(dc); }
    void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
struct ScreenReleaser {
    void operator()(HDC dc) const { ReleaseDC(nullptr, dc); }
};
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiDeleter>;
using Dc = std::remove_pointer_t<HDC>;

constexpr CLSID kPngEncoder{0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

// The window's place on the screen with its pixels, what lies on top of it included; none when it has no area.
std::pair<Bitmap, std::string> capture(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) return {};
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    const std::unique_ptr<Dc, ScreenReleaser> screen(GetDC(nullptr));
    const std::unique_ptr<Dc, GdiDeleter> memory(CreateCompatibleDC(screen.get()));
    Bitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    const HGDIOBJ previous = memory && bitmap ? SelectObject(memory.get(), bitmap.get()) : nullptr;
    const bool copied = previous && BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
    if (previous) SelectObject(memory.get(), previous);
    std::string pixels(static_cast<std::size_t>(width) * height * 4, '\0');
    if (!copied || !GetBitmapBits(bitmap.get(), static_cast<LONG>(pixels.size()), pixels.data())) return {};
    return {std::move(bitmap), std::move(pixels)};
}

}  // namespace

bool saveShot(HWND window, const std::wstring& pngPath) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // It paints in its own process: two equal pictures a moment apart mean it has finished.
    auto shot = capture(window);
    waitUntil(
        [&] {
            std::this_thread::sleep_for(milliseconds{100});
            auto next = capture(window);
            const bool painted = next.first && next.second == shot.second;
            shot = std::move(next);
            return painted;
        },
        milliseconds{5000});
    const Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (!shot.first || Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    const bool saved = Gdiplus::Bitmap(shot.first.get(), nullptr).Save(pngPath.c_str(), &kPngEncoder, nullptr) == Gdiplus::Ok;
    Gdiplus::GdiplusShutdown(token);
    return saved;
}

}  // namespace orvane::e2e
