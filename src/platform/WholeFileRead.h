#pragma once

#include <cstddef>
#include <string>

// The platform's one read primitive behind WholeFile.h.
namespace orvane {

// The settings file holds a few kilobytes; one beyond this is damaged and
// is not read into memory at all.
inline constexpr std::size_t MaxWholeFileBytes = std::size_t{64} << 20;

enum class ReadOutcome { Read, Missing, Failed };

// Reads the file into bytes. Missing when neither the file nor its folder
// exists; Failed for anything else that keeps it from being read, a file
// larger than MaxWholeFileBytes among them.
ReadOutcome readWholeFileInto(const std::string& fullPath, std::string& bytes);

}  // namespace orvane
