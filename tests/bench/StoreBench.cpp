// Packs and unpacks a synthetic pet of about 200 MB, copies the same files
// plainly through the installation-directory port, scrambles and copies an
// in-memory buffer, and prints the ratios and the peak memory of the run.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <map>
#include <string>
#include <vector>

#include "SyntheticPet.h"
#include "app/HostNames.h"
#include "app/IniFile.h"
#include "app/PetRegistry.h"
#include "platform/InstallDir.h"
#include "store/PackPet.h"
#include "store/PetKey.h"
#include "store/PetLayout.h"
#include "store/RemoveFolder.h"
#include "store/StoreContext.h"
#include "store/UnpackPet.h"

namespace orvane::bench {
namespace {

constexpr const char* PetName = "P";
constexpr const char* CopyPrefix = "copy_";
constexpr std::size_t MemoryBufferSize = 4 * 1024 * 1024;
constexpr int Repetitions = 5;

// The temporary installation directory with the synthetic pet in place.
class BenchDir {
public:
    BenchDir() {
        const char* base = std::getenv("ORVANE_BENCH_DIR");
        root_ = std::filesystem::path(base ? base : std::filesystem::temp_directory_path().string()) /
                ("orvane-bench-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        std::filesystem::create_directories(root_ / "inst");
        size_ = writeSyntheticPet(root_ / "inst", names_);
        dir_ = openInstallDir((root_ / "inst").string());
    }
    ~BenchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    BenchDir(const BenchDir&) = delete;
    BenchDir& operator=(const BenchDir&) = delete;

    InstallDir& dir() { return *dir_; }
    const FolderNameTable& names() const { return names_; }
    std::string settingsPath() const { return (root_ / "Orvane.ini").string(); }
    SyntheticPetSize size() const { return size_; }

private:
    std::filesystem::path root_;
    FolderNameTable names_ = FolderNameTable::forEdition(HostEdition::Standard);
    SyntheticPetSize size_;
    std::unique_ptr<InstallDir> dir_;
};

// What a plain copy of the pet in place would do: every piece copied by the
// port to a name of its own, folders listed and made as packing lists them.
void copyPetPlainly(InstallDir& dir, const PetLayout& layout) {
    for (const PetPiece piece : AllPetPieces) {
        const std::string source = layout.inPlaceName(piece);
        const std::string target = CopyPrefix + source;
        if (!isFolderPiece(piece)) {
            dir.copyFile(source, target);
            continue;
        }
        dir.makeFolder(target);
        for (const DirEntry& entry : dir.list(source + "\\*.*")) {
            if (!entry.isFolder) dir.copyFile(source + "\\" + entry.name, target + "\\" + entry.name);
        }
    }
}

void removePieces(InstallDir& dir, const std::function<std::string(PetPiece)>& nameOf) {
    for (const PetPiece piece : AllPetPieces) {
        if (isFolderPiece(piece)) {
            RemoveFolder(dir, nameOf(piece));
        } else {
            dir.deleteFile(nameOf(piece));
        }
    }
}

// A benchmark body whose exceptions end that benchmark with their message
// instead of the whole run, so that the temporary pet is still removed.
template <typename Body>
auto guarded(Body body) {
    return [body](benchmark::State& state) {
        try {
            body(state);
        } catch (const std::exception& error) {
            state.SkipWithError(error.what());
        }
    };
}

void registerBenchmarks(BenchDir& bench, StoreContext& context) {
    const PetLayout layout(bench.names());
    const auto bytes = static_cast<std::int64_t>(bench.size().bytes);
    const auto copied = [layout](PetPiece piece) { return CopyPrefix + layout.inPlaceName(piece); };
    const auto unpacked = [layout](PetPiece piece) { return layout.ownName(PetName, piece); };

    // One pass over the whole pet per repetition; the ratios take medians.
    const auto onDisk = [](benchmark::internal::Benchmark* b) {
        b->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1)->Repetitions(Repetitions);
    };
    onDisk(benchmark::RegisterBenchmark("PlainCopy", guarded([&context, layout, copied, bytes](benchmark::State& state) {
        for (auto _ : state) {
            copyPetPlainly(context.dir, layout);
            state.PauseTiming();
            removePieces(context.dir, copied);
            state.ResumeTiming();
        }
        state.SetBytesProcessed(state.iterations() * bytes);
    })));
    onDisk(benchmark::RegisterBenchmark("PackPet", guarded([&context, bytes](benchmark::State& state) {
        for (auto _ : state) PackPet(context, PetName, 0, false);
        state.SetBytesProcessed(state.iterations() * bytes);
    })));
    onDisk(benchmark::RegisterBenchmark("UnpackPet", guarded([&context, unpacked, bytes](benchmark::State& state) {
        // Also when a filter left out the pack before.
        if (!context.dir.exists(PetLayout::containerName(PetName))) PackPet(context, PetName, 0, false);
        for (auto _ : state) {
            if (UnpackPet(context, PetName, true) != UnpackResult::Done) state.SkipWithError("wrong password");
            state.PauseTiming();
            removePieces(context.dir, unpacked);
            state.ResumeTiming();
        }
        state.SetBytesProcessed(state.iterations() * bytes);
    })));

    const auto buffers = std::make_shared<std::vector<unsigned char>>(2 * MemoryBufferSize, 0x5A);
    benchmark::RegisterBenchmark("Scramble", [buffers](benchmark::State& state) {
        const ScramblePattern pattern(DeriveKey("abcd"));
        for (auto _ : state) {
            pattern.scramble(buffers->data(), MemoryBufferSize);
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(MemoryBufferSize));
    })->UseRealTime()->Repetitions(Repetitions);
    benchmark::RegisterBenchmark("Memcpy", [buffers](benchmark::State& state) {
        for (auto _ : state) {
            std::memcpy(buffers->data() + MemoryBufferSize, buffers->data(), MemoryBufferSize);
            benchmark::ClobberMemory();
        }
        state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(MemoryBufferSize));
    })->UseRealTime()->Repetitions(Repetitions);
}

// Prints each run as usual and keeps each benchmark's time: the median of
// its repetitions, or its one run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so that a saved output stays plain text.
    RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const std::string& name = run.run_name.function_name;
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
                times_[name] = run.GetAdjustedRealTime();
                medians_[name] = true;
            } else if (run.run_type == Run::RT_Iteration && !medians_[name]) {
                times_[name] = run.GetAdjustedRealTime();
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // a's time over b's, or a note when a filter left one of them out.
    void printRatio(const char* label, const std::string& a, const std::string& b, const char* target) const {
        if (!times_.count(a) || !times_.count(b)) {
            std::printf("%-32s not measured in this run\n", label);
            return;
        }
        std::printf("%-32s %.2f  (target %s)\n", label, times_.at(a) / times_.at(b), target);
    }

private:
    std::map<std::string, double> times_;
    std::map<std::string, bool> medians_;
};

double peakMemoryMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024.0 / 1e6;  // ru_maxrss is in KiB on Linux
}

}  // namespace
}  // namespace orvane::bench

int main(int argc, char** argv) {
    using namespace orvane;
    using namespace orvane::bench;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;

    BenchDir bench;
    IniFile ini(bench.settingsPath());
    PetRegistry registry(ini);
    const std::string password = "abcd";
    StoreContext context{bench.dir(), bench.names(), registry, password};
    std::printf("synthetic pet: %d files, %.1f MB\n", bench.size().files,
                static_cast<double>(bench.size().bytes) / 1e6);

    registerBenchmarks(bench, context);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);

    std::printf("\n");
    reporter.printRatio("pack time / plain-copy time:", "PackPet", "PlainCopy", "<= 1.3");
    reporter.printRatio("unpack time / plain-copy time:", "UnpackPet", "PlainCopy", "<= 1.3");
    // Equal bytes per iteration: the throughput ratio is the inverse time ratio.
    reporter.printRatio("scramble / memcpy throughput:", "Memcpy", "Scramble", ">= 0.5");
    std::printf("%-32s %.1f MB  (target < 32 MB)\n", "peak memory of the run:", peakMemoryMB());
    benchmark::Shutdown();
    return 0;
}
