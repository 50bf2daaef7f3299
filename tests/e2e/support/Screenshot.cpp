#include "Screenshot.h"

#include <filesystem>
#include <fstream>
#include <thread>

#include "OwnedHandle.h"
#include "Wait.h"

namespace orvane::e2e {

namespace {

// The window as the screen shows it: what lies on top of it shows too.
std::optional<RgbImage> captureWindow(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) return std::nullopt;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return std::nullopt;

    const ScreenDc screen(GetDC(nullptr));
    const MemoryDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const Bitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!screen || !memory || !bitmap || !bits) return std::nullopt;

    const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    const bool copied = BitBlt(memory.get(), 0, 0, width, height, screen.get(), rect.left, rect.top, SRCCOPY);
    SelectObject(memory.get(), previous);
    if (!copied) return std::nullopt;

    RgbImage image{width, height, {}};
    image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3);
    const auto* bgrx = static_cast<const std::uint8_t*>(bits);
    for (std::size_t i = 0, n = static_cast<std::size_t>(width) * static_cast<std::size_t>(height); i < n; ++i) {
        image.pixels[i * 3 + 0] = bgrx[i * 4 + 2];
        image.pixels[i * 3 + 1] = bgrx[i * 4 + 1];
        image.pixels[i * 3 + 2] = bgrx[i * 4 + 0];
    }
    return image;
}

}  // namespace

std::optional<RgbImage> waitUntilPainted(HWND window) {
    std::optional<RgbImage> shot = captureWindow(window);
    // Painting happens in the other process; two equal pictures in a row
    // mean it has finished.
    waitUntil(
        [&] {
            std::this_thread::sleep_for(milliseconds{150});
            auto next = captureWindow(window);
            const bool stable = next && shot && *next == *shot;
            shot = std::move(next);
            return stable;
        },
        milliseconds{5000}, milliseconds{0});
    return shot;
}

bool saveWindowShot(HWND window, const std::wstring& pngPath) {
    // The screen shows what lies on top: lift the window above the others.
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    const std::optional<RgbImage> shot = waitUntilPainted(window);
    if (!shot) return false;
    std::ofstream out(std::filesystem::path(pngPath), std::ios::binary | std::ios::trunc);
    const std::string png = encodePng(*shot);
    out.write(png.data(), static_cast<std::streamsize>(png.size()));
    return static_cast<bool>(out);
}

}  // namespace orvane::e2e
