#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "PngFile.h"

namespace orvane::e2e {

// Waits until the window's picture on the screen, frame included, stops
// changing: its painting is done. The picture at that moment; nullopt when
// there is none to capture.
std::optional<RgbImage> waitUntilPainted(HWND window);

// Writes the painted window as a PNG file. False when nothing could be
// captured or written.
bool saveWindowShot(HWND window, const std::wstring& pngPath);

}  // namespace orvane::e2e
