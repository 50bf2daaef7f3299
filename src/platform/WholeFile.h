#pragma once

#include <optional>
#include <string>

// Whole-file access by full path, for the settings file beside the program.
namespace orvane {

// The file's bytes; nullopt when it does not exist or cannot be read (also
// when it is larger than the settings file can sensibly be: 64 MiB).
std::optional<std::string> readWholeFile(const std::string& fullPath);

// Like readWholeFile, but a file that does not exist (nor its folder) reads
// as empty and nullopt means only that an existing file could not be read:
// a writer must not replace a file whose contents it does not know.
std::optional<std::string> readWholeFileOrEmpty(const std::string& fullPath);

// Writes the bytes to a temporary file beside the target, flushes it to the
// disk and moves it over the target in one step: a reader sees the old file
// or the new one, never a half-written one. False when any step fails; the
// old file is then as it was.
bool replaceWholeFile(const std::string& fullPath, const std::string& bytes);

}  // namespace orvane
