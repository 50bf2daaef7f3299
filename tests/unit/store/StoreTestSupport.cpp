#include "StoreTestSupport.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "text/Cp932.h"

namespace orvane::test {

StoreTest::StoreTest(HostEdition edition)
    : names_(FolderNameTable::forEdition(edition)),
      ini_(pathToUtf8(temp_.fsPath("Orvane.ini"))),
      registry_(ini_),
      dir_((temp_.makeFolder("inst"), openInstallDir(pathToUtf8(temp_.fsPath("inst"))))) {}

void StoreTest::registerPets(const std::vector<std::pair<std::string, int>>& pets, int inPlace) {
    std::string text = "[PetList]\r\nentry=" + std::to_string(pets.size()) + "\r\n";
    for (std::size_t i = 0; i < pets.size(); ++i) {
        text += "Petname" + std::to_string(i) + "=" + pets[i].first + "\r\n";
        text += "Status" + std::to_string(i) + "=" + std::to_string(pets[i].second) + "\r\n";
    }
    text += "[NowPet]\r\nnumber=" + std::to_string(inPlace) + "\r\n";
    temp_.writeFile("Orvane.ini", cp932(text));
}

void StoreTest::put(const std::string& name, const std::string& bytes) const {
    const std::size_t slash = name.rfind('\\');
    if (slash != std::string::npos) putFolder(name.substr(0, slash));
    temp_.writeFile("inst\\" + name, bytes);
}

void StoreTest::putAll(const std::map<std::string, std::string>& entries) const {
    for (const auto& [name, bytes] : entries) bytes == "<folder>" ? putFolder(name) : put(name, bytes);
}

std::map<std::string, std::string> StoreTest::snapshot() const {
    std::map<std::string, std::string> entries;
    const auto root = temp_.fsPath("inst");
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        std::string name = pathToUtf8(entry.path().lexically_relative(root));
        std::replace(name.begin(), name.end(), '/', '\\');
        entries[name] = entry.is_directory() ? "<folder>" : read(name);
    }
    return entries;
}

void StoreTest::clearInstallDir() const {
    for (const auto& entry : std::filesystem::directory_iterator(temp_.fsPath("inst"))) std::filesystem::remove_all(entry.path());
}

std::string handCheckBlock(const PetKey& key, std::size_t containerSize) {
    std::string block;
    for (std::size_t i = 0; i < 16; ++i) block.push_back(static_cast<char>(key[i] + (i + 1) * (containerSize % 256)));
    return block;
}

std::string handRecord(const PetKey& key, const HandRecord& record) {
    std::string bytes;
    bytes.push_back(static_cast<char>(record.storedName.size() + 1));
    bytes += record.storedName;
    bytes.push_back('\0');
    const auto size = static_cast<std::uint32_t>(record.data.size());
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>(size >> shift));
    for (std::size_t i = 0; i < record.data.size(); ++i) bytes.push_back(static_cast<char>(record.data[i] + key[i % 16] + i % 256));
    return bytes;
}

std::string handContainer(const PetKey& key, const std::vector<HandRecord>& records) {
    std::string body;
    for (const auto& record : records) body += handRecord(key, record);
    return handCheckBlock(key, 16 + body.size()) + body;
}

std::string cp932(const std::string& utf8) {
    const auto bytes = text::utf8ToCp932(utf8);
    if (!bytes) throw std::invalid_argument("no cp932 form: " + utf8);
    return *bytes;
}

}  // namespace orvane::test
