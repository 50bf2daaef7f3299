// Packs and unpacks a synthetic pet of about 200 MB and does the same with
// the platform's own tools (cp -r and tar here, CopyFileW on Windows), each
// repetition into a fresh folder, then prints the medians, their ratios, a
// scramble-against-memcpy figure and the peak memory of the run.
//
//   store_bench [--dir FOLDER] [--reps N] [--keep] [--baselines-only]
//
// --dir: the work folder (default: a new one under the temporary folder);
// the pet is written to FOLDER/pet unless it lies there already. --keep
// leaves the pet there afterwards. --baselines-only measures the baselines
// alone: the Wine run uses it to time the host's cp -r on the pet the
// Windows build has just packed.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BenchPlatform.h"
#include "SyntheticPet.h"
#include "app/HostNames.h"
#include "app/IniFile.h"
#include "app/PetRegistry.h"
#include "platform/InstallDir.h"
#include "store/PackPet.h"
#include "store/PetKey.h"
#include "store/PetLayout.h"
#include "store/StoreContext.h"
#include "store/UnpackPet.h"

namespace orvane::bench {
namespace {

constexpr const char* PetName = "P";
constexpr const char* Password = "abcd";

struct Options {
    std::filesystem::path dir;
    bool madeDir = false;  // this run made the work folder and removes it
    int repetitions = 5;
    bool keep = false;
    bool baselinesOnly = false;
};

struct Sample {
    double wall = 0;  // ms
    double cpu = 0;   // ms, of this process and of the children it waited for
};

Sample measure(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = ownCpuSeconds() + childCpuSeconds();
    work();
    const double cpu = ownCpuSeconds() + childCpuSeconds() - cpuStart;
    return {std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count(), cpu * 1e3};
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The medians of every operation's repetitions, by name.
class Timings {
public:
    void add(const std::string& name, Sample sample) {
        if (!samples_.count(name)) order_.push_back(name);
        samples_[name].push_back(sample);
    }

    Sample medianOf(const std::string& name) const {
        std::vector<double> walls, cpus;
        for (const Sample& sample : samples_.at(name)) {
            walls.push_back(sample.wall);
            cpus.push_back(sample.cpu);
        }
        return {median(walls), median(cpus)};
    }

    void print() const {
        for (const std::string& name : order_) {
            const Sample m = medianOf(name);
            std::printf("time: %s: wall %.1f ms, cpu %.1f ms\n", name.c_str(), m.wall, m.cpu);
        }
    }

    void printRatio(const std::string& a, const std::string& b) const {
        if (!samples_.count(a) || !samples_.count(b)) return;
        const Sample x = medianOf(a), y = medianOf(b);
        std::printf("ratio: %s / %s: wall %.2f, cpu %.2f\n", a.c_str(), b.c_str(), x.wall / y.wall, x.cpu / y.cpu);
    }

private:
    std::vector<std::string> order_;
    std::map<std::string, std::vector<Sample>> samples_;
};

std::vector<std::string> pieceNames(const FolderNameTable& names) {
    const PetLayout layout(names);
    std::vector<std::string> pieces;
    for (const PetPiece piece : AllPetPieces) pieces.push_back(layout.inPlaceName(piece));
    return pieces;
}

void removeAll(const std::filesystem::path& path) {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

void measureBaselines(const Options& options, const std::vector<std::string>& pieces, Timings& timings) {
    const std::filesystem::path pet = options.dir / "pet";
    for (int run = 0; run < options.repetitions; ++run) {
        for (const Baseline& baseline : platformBaselines()) {
            const std::filesystem::path target = options.dir / ("baseline-" + std::to_string(run));
            timings.add(baseline.name, measure([&] { baseline.run(pet, pieces, target); }));
            removeAll(target);
        }
    }
}

void measureContainer(const Options& options, const FolderNameTable& names, Timings& timings) {
    const std::unique_ptr<InstallDir> petDir = openInstallDir((options.dir / "pet").string());
    for (int run = 0; run < options.repetitions; ++run) {
        const std::string packFolder = "pack-" + std::to_string(run);
        petDir->makeFolder(packFolder);
        const std::string container = packFolder + "\\" + PetLayout::containerName(PetName);
        timings.add("pack", measure([&] { PackInPlacePetInto(*petDir, names, Password, PetName, 0, container); }));

        // The container alone in a fresh folder, written out there.
        const std::filesystem::path fresh = options.dir / ("unpack-" + std::to_string(run));
        std::filesystem::create_directory(fresh);
        std::filesystem::copy_file(options.dir / "pet" / packFolder / PetLayout::containerName(PetName),
                                   fresh / PetLayout::containerName(PetName));
        const std::unique_ptr<InstallDir> freshDir = openInstallDir(fresh.string());
        IniFile ini((options.dir / "Orvane.ini").string());
        PetRegistry registry(ini);
        const std::string password = Password;
        const StoreContext context{*freshDir, names, registry, password};
        timings.add("unpack", measure([&] {
            if (UnpackPet(context, PetName, true) != UnpackResult::Done) throw std::runtime_error("wrong password");
        }));
        removeAll(fresh);
        removeAll(options.dir / "pet" / packFolder);
    }
}

volatile unsigned char copied = 0;

// Throughput of the scrambling against memcpy over the same 4 MiB.
double scrambleOverMemcpy() {
    constexpr std::size_t size = 4 * 1024 * 1024;
    constexpr int passes = 64;
    std::vector<unsigned char> buffer(2 * size, 0x5A);
    const ScramblePattern pattern(DeriveKey(Password));
    std::vector<double> ratios;
    for (int run = 0; run < 5; ++run) {
        const Sample scramble = measure([&] {
            for (int pass = 0; pass < passes; ++pass) pattern.scramble(buffer.data(), size);
        });
        const Sample copy = measure([&] {
            for (int pass = 0; pass < passes; ++pass) {
                std::memcpy(buffer.data() + size, buffer.data() + (pass % 2), size - 1);
            }
        });
        ratios.push_back(copy.wall / scramble.wall);
        copied = buffer[size];  // the copies are used, so they are made
    }
    return median(ratios);
}

Options parse(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--dir" && i + 1 < argc) {
            options.dir = std::filesystem::u8path(argv[++i]);
        } else if (arg == "--reps" && i + 1 < argc) {
            options.repetitions = std::max(1, std::atoi(argv[++i]));
        } else if (arg == "--keep") {
            options.keep = true;
        } else if (arg == "--baselines-only") {
            options.baselinesOnly = true;
        } else {
            throw std::runtime_error("usage: store_bench [--dir FOLDER] [--reps N] [--keep] [--baselines-only]");
        }
    }
    if (options.dir.empty()) {
        options.dir = std::filesystem::temp_directory_path() /
                      ("orvane-bench-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    }
    options.madeDir = !std::filesystem::exists(options.dir);
    return options;
}

void run(const Options& options) {
    const FolderNameTable names = FolderNameTable::forEdition(HostEdition::Standard);
    const std::filesystem::path pet = options.dir / "pet";
    if (!std::filesystem::exists(pet)) {
        std::filesystem::create_directories(pet);
        const SyntheticPetSize size = writeSyntheticPet(pet, names);
        std::printf("synthetic pet: %d files, %.1f MB\n", size.files, static_cast<double>(size.bytes) / 1e6);
    }
    Timings timings;
    if (!options.baselinesOnly) measureContainer(options, names, timings);
    measureBaselines(options, pieceNames(names), timings);
    timings.print();
    for (const Baseline& baseline : platformBaselines()) {
        for (const std::string& operation : baseline.measures) timings.printRatio(operation, baseline.name);
    }
    if (!options.baselinesOnly) std::printf("ratio: scramble / memcpy throughput: %.2f\n", scrambleOverMemcpy());
    std::printf("peak memory: %.1f MB\n", peakMemoryMB());
}

}  // namespace
}  // namespace orvane::bench

int main(int argc, char** argv) {
    using namespace orvane::bench;
    Options options;
    try {
        options = parse(argc, argv);
        run(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "store_bench: %s\n", error.what());
        if (options.madeDir && !options.keep) removeAll(options.dir);
        return 1;
    }
    if (options.madeDir && !options.keep) removeAll(options.dir);
    return 0;
}
