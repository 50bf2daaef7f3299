#pragma once

#include <stdexcept>
#include <string>

namespace orvane {

// A file operation that cannot go on: it ends the current user action and
// reaches the user as the generic error box, naming the file and the reason.
class FileError : public std::runtime_error {
public:
    FileError(std::string fileName, std::string reason)
        : std::runtime_error(fileName + ": " + reason),
          fileName_(std::move(fileName)), reason_(std::move(reason)) {}

    const std::string& fileName() const { return fileName_; }
    const std::string& reason() const { return reason_; }

private:
    std::string fileName_;
    std::string reason_;
};

}  // namespace orvane
