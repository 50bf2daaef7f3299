// Start-up's work on hostile settings files: for each file, in a process of
// its own, the readings start-up and the main window make (installation
// directory, pet list, pet in place, window position) and the one rewrite
// of closing the window; prints the file's size, both times and the peak
// memory of that process.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/IniFile.h"
#include "app/PetRegistry.h"

namespace orvane::bench {
namespace {

constexpr std::size_t FiftyMegabytes = 50'000'000;

struct HostileFile {
    const char* what;
    std::function<void(std::ofstream&)> write;
    std::uintmax_t sparseSize = 0;  // grown to this size afterwards, when not 0
};

void repeat(std::ofstream& out, const std::string& text, std::size_t totalBytes) {
    for (std::size_t written = 0; written < totalBytes; written += text.size()) out << text;
}

const std::vector<HostileFile> Files = {
    {"entry=2147483647, three pets",
     [](std::ofstream& out) { out << "[PetList]\r\nentry=2147483647\r\nPetname0=a\r\nPetname1=b\r\nPetname2=c\r\n"; }},
    {"a million pet names, entry=2147483647",
     [](std::ofstream& out) {
         out << "[PetList]\r\nentry=2147483647\r\n";
         for (int i = 0; i < 1'000'000; ++i) {
             out << "Petname" << i << "=a pet name of some thirty bytes\r\nStatus" << i << "=7\r\n";
         }
     }},
    {"one line of 50 MB as the first pet's name",
     [](std::ofstream& out) {
         out << "[PetList]\r\nentry=1\r\nPetname0=";
         repeat(out, std::string(1000, 'x'), FiftyMegabytes);
         out << "\r\n";
     }},
    {"50 million empty lines",
     [](std::ofstream& out) {
         out << "[PetList]\r\nentry=1\r\n";
         repeat(out, std::string(1000, '\n'), FiftyMegabytes);
         out << "Petname0=a\r\n";
     }},
    {"12 million section lines",
     [](std::ofstream& out) { repeat(out, "[PetList]\r\n[x]\r\n", FiftyMegabytes); }},
    {"a file of 1 GiB (over the limit)",
     [](std::ofstream& out) { out << "[PetList]\r\nentry=1\r\nPetname0=a\r\n"; }, std::uintmax_t{1} << 30},
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs in the child: start-up's readings, then the window position's write.
int measure(const std::string& path) {
    IniFile ini(path);
    PetRegistry registry(ini);
    const auto start = std::chrono::steady_clock::now();
    const std::string installDir = registry.installDir();
    const std::vector<PetRecord> pets = registry.list();
    const int inPlace = registry.petInPlace();
    const WindowPosition position = registry.windowPosition();
    const double readSeconds = secondsSince(start);
    const auto writeStart = std::chrono::steady_clock::now();
    const bool written = registry.setWindowPosition(10, 20);
    const double writeSeconds = secondsSince(writeStart);
    std::printf("  start-up readings %.3f s (%zu pets listed, pet in place %d, left %s), "
                "window position written %.3f s (%s)\n",
                readSeconds, pets.size(), inPlace, position.left ? "stored" : "absent", writeSeconds,
                written ? "done" : "refused");
    std::fflush(stdout);
    return installDir.size() < 2 ? 0 : 1;
}

}  // namespace
}  // namespace orvane::bench

int main() {
    using namespace orvane::bench;
    const char* base = std::getenv("ORVANE_BENCH_DIR");
    const auto folder = std::filesystem::path(base ? base : std::filesystem::temp_directory_path().string()) /
                        ("orvane-settings-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "Orvane.ini").string();
    for (const HostileFile& file : Files) {
        {
            std::ofstream out(path, std::ios::binary | std::ios::trunc);
            file.write(out);
        }
        if (file.sparseSize) std::filesystem::resize_file(path, file.sparseSize);
        std::printf("%s: %ju bytes\n", file.what, static_cast<std::uintmax_t>(std::filesystem::file_size(path)));
        std::fflush(stdout);
        const pid_t child = ::fork();
        if (child == 0) std::_Exit(measure(path));
        int status = 0;
        rusage usage{};
        ::wait4(child, &status, 0, &usage);
        std::printf("  peak memory %.1f MB\n", static_cast<double>(usage.ru_maxrss) / 1024.0);
    }
    std::filesystem::remove_all(folder);
    return 0;
}
