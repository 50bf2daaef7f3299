#include "app/StartupPaths.h"

namespace orvane {

namespace {

std::size_t fileNameStart(std::string_view path) {
    const auto separator = path.find_last_of("\\/");
    return separator == std::string_view::npos ? 0 : separator + 1;
}

// "C:\x", "C:x", "\x" and "\\server\x" are not taken relative to the
// program's folder; Windows resolves them itself.
bool isRooted(std::string_view path) {
    if (!path.empty() && (path[0] == '\\' || path[0] == '/')) return true;
    return path.size() >= 2 && path[1] == ':';
}

}  // namespace

std::string folderOfProgram(std::string_view programPath) {
    return std::string(programPath.substr(0, fileNameStart(programPath)));
}

std::string titleOfProgram(std::string_view programPath) {
    const std::string_view name = programPath.substr(fileNameStart(programPath));
    const auto dot = name.rfind('.');
    return std::string(dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot));
}

std::string chooseInstallDir(const std::string& programFolder, const std::string& storedDir,
                             const std::function<bool(const std::string&)>& isFolder) {
    if (storedDir.empty()) return programFolder;
    const std::string candidate = isRooted(storedDir) ? storedDir : programFolder + storedDir;
    return isFolder(candidate) ? candidate : programFolder;
}

}  // namespace orvane
