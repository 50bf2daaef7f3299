#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace orvane {

inline constexpr std::size_t PetKeySize = 16;
inline constexpr std::size_t MaxPasswordBytes = 16;
using PetKey = std::array<std::uint8_t, PetKeySize>;

// The container key mixed from the password's cp932 bytes. Throws
// std::invalid_argument for a password that has no cp932 form, holds a NUL
// or takes more than 16 bytes: the password dialog never lets one through.
PetKey DeriveKey(const std::string& password);

// Data byte i of a record is scrambled by adding
// PetKey[i mod 16] + (i mod 256): a pattern that repeats every 256 bytes.
// Adding or subtracting it block by block keeps the loop simple enough for
// the compiler to vectorise.
class ScramblePattern {
public:
    static constexpr std::size_t Period = 256;

    explicit ScramblePattern(const PetKey& key);

    // data[k] holds the record's data byte at offset start + k, where start
    // is a multiple of 256.
    void scramble(unsigned char* data, std::size_t size) const;
    void unscramble(unsigned char* data, std::size_t size) const;

private:
    std::array<unsigned char, Period> add_;
    std::array<unsigned char, Period> subtract_;
};

}  // namespace orvane
