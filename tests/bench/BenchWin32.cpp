// The system's own copy as the baseline: CopyFileW for every file, folders
// made as they come.
#include <windows.h>
#include <psapi.h>

#include <stdexcept>

#include "BenchPlatform.h"

namespace orvane::bench {
namespace {

void copyWithCopyFile(const std::filesystem::path& source, const std::vector<std::string>& pieces,
                      const std::filesystem::path& target) {
    std::filesystem::create_directory(target);
    for (const std::string& piece : pieces) {
        const std::filesystem::path from = source / std::filesystem::u8path(piece);
        const std::filesystem::path to = target / std::filesystem::u8path(piece);
        if (!std::filesystem::is_directory(from)) {
            if (!CopyFileW(from.c_str(), to.c_str(), TRUE)) throw std::runtime_error("CopyFileW failed: " + piece);
            continue;
        }
        std::filesystem::create_directory(to);
        for (const auto& entry : std::filesystem::recursive_directory_iterator(from)) {
            const std::filesystem::path copy = to / std::filesystem::relative(entry.path(), from);
            if (entry.is_directory()) {
                std::filesystem::create_directory(copy);
            } else if (!CopyFileW(entry.path().c_str(), copy.c_str(), TRUE)) {
                throw std::runtime_error("CopyFileW failed under " + piece);
            }
        }
    }
}

double seconds(const FILETIME& time) {
    return static_cast<double>((static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime) / 1e7;
}

}  // namespace

double ownCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    return seconds(kernel) + seconds(user);
}

double childCpuSeconds() { return 0; }

double peakMemoryMB() {
    PROCESS_MEMORY_COUNTERS counters{};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.PeakWorkingSetSize) / 1e6;
}

std::vector<Baseline> platformBaselines() { return {{"CopyFileW", copyWithCopyFile, {"pack", "unpack"}}}; }

}  // namespace orvane::bench
