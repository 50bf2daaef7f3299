// The host's own tools as baselines: cp -r, and tar followed by the flush a
// container gets (the file, then its folder).
#include <sys/resource.h>

#include <cstdlib>
#include <ctime>
#include <stdexcept>

#include "BenchPlatform.h"

namespace orvane::bench {
namespace {

std::string quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

void shell(const std::string& command) {
    if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
}

std::string pieceList(const std::vector<std::string>& pieces) {
    std::string list;
    for (const std::string& piece : pieces) list += " " + quoted(piece);
    return list;
}

void copyRecursively(const std::filesystem::path& source, const std::vector<std::string>& pieces,
                     const std::filesystem::path& target) {
    std::filesystem::create_directory(target);
    shell("cd " + quoted(source.string()) + " && cp -r" + pieceList(pieces) + " " + quoted(target.string()));
}

void tarAndFlush(const std::filesystem::path& source, const std::vector<std::string>& pieces,
                 const std::filesystem::path& target) {
    std::filesystem::create_directory(target);
    const std::string archive = (target / "pet.tar").string();
    shell("tar -cf " + quoted(archive) + " -C " + quoted(source.string()) + pieceList(pieces));
    shell("sync " + quoted(archive) + " " + quoted(target.string()));
}

double seconds(const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; }

}  // namespace

double ownCpuSeconds() {
    timespec time{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &time);
    return static_cast<double>(time.tv_sec) + time.tv_nsec / 1e9;
}

double childCpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double peakMemoryMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024.0 / 1e6;  // KiB on Linux
}

std::vector<Baseline> platformBaselines() {
    return {{"cp -r", copyRecursively, {"unpack"}}, {"tar + flush", tarAndFlush, {"pack"}}};
}

}  // namespace orvane::bench
