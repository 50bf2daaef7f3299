#include "app/HostNames.h"

namespace orvane {

FolderNameTable FolderNameTable::forEdition(HostEdition edition) {
    if (edition == HostEdition::Kids) {
        return {"VelmoraKids設定", "じゅしん箱", "そうしん箱", "たからもの"};
    }
    return {"Velmora設定", "受信フォルダ", "送信フォルダ", "宝物"};
}

HostEdition editionOfExecutable(std::string_view fileName) {
    return fileName == host::KidsExecutable ? HostEdition::Kids : HostEdition::Standard;
}

std::optional<HostExecutable> findHostExecutable(InstallDir& dir) {
    // A folder with such a name cannot be started; it is passed over.
    for (const auto& entry : dir.list(std::string(host::ExecutablePattern))) {
        if (!entry.isFolder) return HostExecutable{entry.name, editionOfExecutable(entry.name)};
    }
    return std::nullopt;
}

}  // namespace orvane
