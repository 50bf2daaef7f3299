#include "SyntheticPet.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace orvane::bench {

namespace {

constexpr std::uint64_t KiB = 1024;
constexpr std::uint64_t MiB = 1024 * KiB;

// A small deterministic generator, so that every run packs the same pet.
class XorShift {
public:
    std::uint64_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 7;
        state_ ^= state_ << 17;
        return state_;
    }
    std::uint64_t below(std::uint64_t limit) { return limit == 0 ? 0 : next() % limit; }

private:
    std::uint64_t state_ = 0x9E3779B97F4A7C15u;
};

std::filesystem::path utf8Path(const std::string& name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
}

class PetWriter {
public:
    PetWriter(std::filesystem::path root, SyntheticPetSize& total) : root_(std::move(root)), total_(total) {
        buffer_.resize(MiB + ShiftRange);
        for (auto& c : buffer_) c = static_cast<char>(random_.next());
    }

    void folder(const std::string& name) { std::filesystem::create_directories(root_ / utf8Path(name)); }

    void file(const std::string& name, std::uint64_t size) {
        std::ofstream out(root_ / utf8Path(name), std::ios::binary | std::ios::trunc);
        for (std::uint64_t left = size; left > 0;) {
            // Each part starts at another offset, so files differ.
            const std::uint64_t part = std::min(left, MiB);
            out.write(buffer_.data() + random_.below(ShiftRange), static_cast<std::streamsize>(part));
            left -= part;
        }
        if (!out) throw std::runtime_error("cannot write " + name);
        total_.bytes += size;
        ++total_.files;
    }

    // count files in the folder with sizes spread evenly over [low, high].
    void files(const std::string& folder, const std::string& stem, int count, std::uint64_t low, std::uint64_t high) {
        for (int i = 0; i < count; ++i) {
            file(folder + "/" + stem + std::to_string(i) + ".ppm", low + random_.below(high - low + 1));
        }
    }

private:
    static constexpr std::uint64_t ShiftRange = 4096;

    std::filesystem::path root_;
    SyntheticPetSize& total_;
    std::vector<char> buffer_;
    XorShift random_;
};

}  // namespace

SyntheticPetSize writeSyntheticPet(const std::filesystem::path& installDir, const FolderNameTable& names) {
    SyntheticPetSize total;
    PetWriter pet(installDir, total);
    pet.file(names.settingsName + ".ppc", 50 * MiB);
    pet.file(names.settingsName + ".bak", 2 * MiB);
    pet.file(std::string(host::FriendsBook), 64 * KiB);
    for (const std::string* folder : {&names.receiveFolder, &names.sendFolder, &names.treasuresFolder}) {
        pet.folder(*folder);
    }
    pet.file(names.receiveFolder + "/empty.ppm", 0);
    pet.file(names.receiveFolder + "/largest.ppm", 5 * MiB);
    pet.files(names.receiveFolder, "small", 2600, 0, 16 * KiB);
    pet.files(names.receiveFolder, "medium", 250, 16 * KiB, 256 * KiB);
    pet.files(names.receiveFolder, "large", 50, 256 * KiB, 1 * MiB);
    pet.files(names.receiveFolder, "huge", 12, 1 * MiB, 5 * MiB);
    pet.files(names.sendFolder, "small", 900, 0, 16 * KiB);
    pet.files(names.sendFolder, "medium", 80, 16 * KiB, 256 * KiB);
    pet.files(names.sendFolder, "large", 10, 256 * KiB, 1 * MiB);
    pet.files(names.treasuresFolder, "t", 150, 0, 64 * KiB);
    return total;
}

}  // namespace orvane::bench
