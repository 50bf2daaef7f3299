#include "store/ContainerFormat.h"

namespace orvane {

CheckBlock makeCheckBlock(const PetKey& key, std::uint64_t containerSize) {
    const auto sizeTerm = static_cast<unsigned>(containerSize % 256);
    CheckBlock block;
    for (std::size_t i = 0; i < CheckBlockSize; ++i) {
        block[i] = static_cast<std::uint8_t>(key[i] + (i + 1) * sizeTerm);
    }
    return block;
}

std::string recordHeader(std::string_view storedName, std::uint32_t dataSize) {
    std::string header;
    header.reserve(1 + storedName.size() + 1 + DataLengthSize);
    header.push_back(static_cast<char>(storedName.size() + 1));
    header.append(storedName);
    header.push_back('\0');
    for (int shift = 0; shift < 32; shift += 8) header.push_back(static_cast<char>((dataSize >> shift) & 0xFF));
    return header;
}

std::uint32_t readLittleEndian32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

}  // namespace orvane
