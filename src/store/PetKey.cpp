#include "store/PetKey.h"

#include <algorithm>
#include <stdexcept>

#include "text/Cp932.h"

namespace orvane {

PetKey DeriveKey(const std::string& password) {
    const auto bytes = text::utf8ToCp932(password);
    if (!bytes) throw std::invalid_argument("password has no cp932 form");
    if (bytes->size() > MaxPasswordBytes) throw std::invalid_argument("password longer than 16 bytes");
    if (bytes->find('\0') != std::string::npos) throw std::invalid_argument("password holds a NUL");

    // The password and its NUL in 17 zeroed bytes, then two mixing passes.
    std::array<std::uint8_t, PetKeySize + 1> k{};
    std::copy(bytes->begin(), bytes->end(), k.begin());
    for (std::size_t i = 0; i < PetKeySize; ++i) {
        k[i] = static_cast<std::uint8_t>(k[i] + k[i % 4] + 4 * i);
    }
    k[PetKeySize] = k[0];
    for (std::size_t i = 0; i < PetKeySize; ++i) {
        k[i] = static_cast<std::uint8_t>(k[i] + k[i + 1] - 16);
    }
    PetKey key;
    std::copy_n(k.begin(), PetKeySize, key.begin());
    return key;
}

ScramblePattern::ScramblePattern(const PetKey& key) {
    for (std::size_t i = 0; i < Period; ++i) {
        add_[i] = static_cast<unsigned char>(key[i % PetKeySize] + i);
        subtract_[i] = static_cast<unsigned char>(-add_[i]);
    }
}

namespace {

// Adds the pattern to each whole 256-byte block, then to the tail. The
// pattern is copied to the stack so the compiler can see that it does not
// overlap the data; unrolling the block loop into straight vector adds
// doubles the throughput.
void addPattern(const std::array<unsigned char, ScramblePattern::Period>& source,
                unsigned char* data, std::size_t size) {
    constexpr std::size_t period = ScramblePattern::Period;
    const std::array<unsigned char, period> pattern = source;
    std::size_t offset = 0;
    for (; offset + period <= size; offset += period) {
        unsigned char* block = data + offset;
#pragma GCC unroll 16
        for (std::size_t i = 0; i < period; ++i) block[i] = static_cast<unsigned char>(block[i] + pattern[i]);
    }
    for (std::size_t i = 0; offset + i < size; ++i) {
        data[offset + i] = static_cast<unsigned char>(data[offset + i] + pattern[i]);
    }
}

}  // namespace

void ScramblePattern::scramble(unsigned char* data, std::size_t size) const {
    addPattern(add_, data, size);
}

void ScramblePattern::unscramble(unsigned char* data, std::size_t size) const {
    addPattern(subtract_, data, size);
}

}  // namespace orvane
