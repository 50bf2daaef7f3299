#include "platform/WholeFile.h"

#include "platform/WholeFileRead.h"

namespace orvane {

std::optional<std::string> readWholeFile(const std::string& fullPath) {
    std::string bytes;
    if (readWholeFileInto(fullPath, bytes) != ReadOutcome::Read) return std::nullopt;
    return bytes;
}

std::optional<std::string> readWholeFileOrEmpty(const std::string& fullPath) {
    std::string bytes;
    switch (readWholeFileInto(fullPath, bytes)) {
    case ReadOutcome::Read: return bytes;
    case ReadOutcome::Missing: return std::string();
    case ReadOutcome::Failed: break;
    }
    return std::nullopt;
}

}  // namespace orvane
