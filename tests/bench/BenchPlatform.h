#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace orvane::bench {

// CPU seconds spent so far by this process, and by the child processes it
// has waited for (a baseline's cp or tar).
double ownCpuSeconds();
double childCpuSeconds();
double peakMemoryMB();

// One way of doing by other means what the container does: copying the
// pet's pieces into a fresh folder, or archiving them into a fresh file.
struct Baseline {
    std::string name;
    // Copies or archives `pieces` (paths under `source`) into `target`, a
    // folder that does not exist yet.
    void (*run)(const std::filesystem::path& source, const std::vector<std::string>& pieces,
                const std::filesystem::path& target);
    // The container operations it is a fair measure for.
    std::vector<std::string> measures;
};

// The baselines this platform offers, in the order they are reported.
std::vector<Baseline> platformBaselines();

}  // namespace orvane::bench
