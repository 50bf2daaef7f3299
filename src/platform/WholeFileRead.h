#pragma once

#include <string>

// The platform's one read primitive behind WholeFile.h.
namespace orvane {

enum class ReadOutcome { Read, Missing, Failed };

// Reads the file into bytes. Missing when neither the file nor its folder
// exists; Failed for anything else that keeps it from being read.
ReadOutcome readWholeFileInto(const std::string& fullPath, std::string& bytes);

}  // namespace orvane
