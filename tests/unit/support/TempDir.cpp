#include "TempDir.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace orvane::test {

std::filesystem::path u8Path(const std::string& utf8) {
    std::u8string s;
    for (char c : utf8) s.push_back(c == '\\' ? u8'/' : static_cast<char8_t>(c));
    return std::filesystem::path(s).make_preferred();
}

std::string pathToUtf8(const std::filesystem::path& p) {
    const std::u8string s = p.u8string();
    return std::string(s.begin(), s.end());
}

TempDir::TempDir() {
    static std::atomic<unsigned> counter{0};
    const auto stamp = std::to_string(std::chrono::steady_clock::now().time_since_epoch().count());
    root_ = std::filesystem::temp_directory_path() / ("orvane-test-" + stamp + "-" + std::to_string(counter++));
    if (!std::filesystem::create_directory(root_)) throw std::runtime_error("cannot create a temporary folder");
}

TempDir::~TempDir() { std::error_code ignored; std::filesystem::remove_all(root_, ignored); }

std::string TempDir::path() const { return pathToUtf8(root_); }

std::filesystem::path TempDir::fsPath(const std::string& relative) const { return relative.empty() ? root_ : root_ / u8Path(relative); }

void TempDir::writeFile(const std::string& relative, const std::string& bytes) const {
    std::ofstream out(fsPath(relative), std::ios::binary | std::ios::trunc);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) throw std::runtime_error("cannot write " + relative);
}

std::string TempDir::readFile(const std::string& relative) const {
    std::ifstream in(fsPath(relative), std::ios::binary);
    if (!in) throw std::runtime_error("cannot read test file " + relative);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void TempDir::makeFolder(const std::string& relative) const { std::filesystem::create_directories(fsPath(relative)); }

bool TempDir::exists(const std::string& relative) const { std::error_code ec; return std::filesystem::exists(fsPath(relative), ec); }

}  // namespace orvane::test
