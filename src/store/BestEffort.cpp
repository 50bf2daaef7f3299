#include "store/BestEffort.h"

#include "platform/FileError.h"

namespace orvane {

void BestEffort::rename(const std::string& from, const std::string& to) const {
    static_cast<void>(dir_.rename(from, to));
}

void BestEffort::copyFile(const std::string& from, const std::string& to) const {
    static_cast<void>(dir_.copyFile(from, to));
}

void BestEffort::deleteFile(const std::string& name) const {
    static_cast<void>(dir_.deleteFile(name));
}

void BestEffort::makeFolder(const std::string& name) const {
    static_cast<void>(dir_.makeFolder(name));
}

void BestEffort::removeFolder(const std::string& name) const {
    static_cast<void>(dir_.removeFolder(name));
}

void BestEffort::createEmptyFile(const std::string& name) const {
    try {
        dir_.openWrite(name, OpenForWrite::CreateOrTruncate);
    } catch (const FileError&) {
    }
}

}  // namespace orvane
