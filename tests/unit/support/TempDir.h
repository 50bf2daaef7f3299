#pragma once

#include <filesystem>
#include <string>

namespace orvane::test {

// A fresh folder under the system's temporary folder, removed with all its
// contents when the object goes. Names are UTF-8; "\" separates folders.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string path() const;  // UTF-8, in the platform's own form
    std::filesystem::path fsPath(const std::string& relative = {}) const;
    void writeFile(const std::string& relative, const std::string& bytes) const;
    std::string readFile(const std::string& relative) const;
    void makeFolder(const std::string& relative) const;
    bool exists(const std::string& relative) const;

private:
    std::filesystem::path root_;
};

// A UTF-8 string as a filesystem path, also on Windows, and back.
std::filesystem::path u8Path(const std::string& utf8);
std::string pathToUtf8(const std::filesystem::path& p);

}  // namespace orvane::test
