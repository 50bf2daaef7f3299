#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::e2e {

// An 8-bit RGB picture, rows top to bottom, 3 bytes per pixel.
struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
    bool operator==(const RgbImage&) const = default;
};

// The bytes of a PNG file. The image data goes into stored (uncompressed)
// deflate blocks: larger files, but no compression library needed.
std::string encodePng(const RgbImage& image);

}  // namespace orvane::e2e
