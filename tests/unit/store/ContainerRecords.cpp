#include "ContainerRecords.h"

#include "store/ContainerFormat.h"
#include "store/PetKey.h"
#include "text/Cp932.h"

namespace orvane::test {

std::vector<std::pair<std::string, std::string>> containerRecords(const std::string& bytes,
                                                                  const std::string& password) {
    const PetKey key = DeriveKey(password);
    if (bytes.size() < CheckBlockSize) return {};
    const CheckBlock check = makeCheckBlock(key, bytes.size());
    if (bytes.compare(0, CheckBlockSize, std::string(check.begin(), check.end())) != 0) return {};
    std::vector<std::pair<std::string, std::string>> records;
    std::size_t at = CheckBlockSize;
    while (at < bytes.size()) {
        const auto n = static_cast<unsigned char>(bytes[at]);
        if (n == 0 || at + 1 + n + DataLengthSize > bytes.size()) return {};
        const std::string storedName = bytes.substr(at + 1, n - 1);
        const auto* length = reinterpret_cast<const unsigned char*>(bytes.data() + at + 1 + n);
        const std::uint32_t size = readLittleEndian32(length);
        at += 1 + n + DataLengthSize;
        if (size > bytes.size() - at) return {};
        std::string data = bytes.substr(at, size);
        for (std::size_t i = 0; i < data.size(); ++i) {
            data[i] = static_cast<char>(static_cast<unsigned char>(data[i]) - key[i % 16] - i % 256);
        }
        at += size;
        records.emplace_back(text::cp932ToUtf8(storedName).value_or(storedName), std::move(data));
    }
    return records;
}

}  // namespace orvane::test
