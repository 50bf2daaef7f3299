#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "store/PetKey.h"

// The container file: a 16-byte check block, then records back to back,
// each a length byte n (name bytes + 1), the cp932 name and its NUL, a
// 32-bit little-endian data length D and D scrambled data bytes.
namespace orvane {

inline constexpr std::size_t CheckBlockSize = 16;
inline constexpr std::size_t DataLengthSize = 4;
inline constexpr std::uint64_t MaxRecordData = 0xFFFFFFFFu;

// Data moves through memory in chunks of this size, whatever a file's size.
// Each chunk starts a whole number of scramble periods into its record.
inline constexpr std::size_t StreamChunkSize = 256 * 1024;
static_assert(StreamChunkSize % ScramblePattern::Period == 0);

using CheckBlock = std::array<std::uint8_t, CheckBlockSize>;

// Byte i is PetKey[i] + (i + 1) * (size mod 256), for the container's
// final size in bytes.
CheckBlock makeCheckBlock(const PetKey& key, std::uint64_t containerSize);

// n, the name, its NUL and D: everything of a record before its data.
// The name must take at most 254 bytes.
std::string recordHeader(std::string_view storedName, std::uint32_t dataSize);

std::uint32_t readLittleEndian32(const unsigned char* bytes);

}  // namespace orvane
