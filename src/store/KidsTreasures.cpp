#include "store/KidsTreasures.h"

#include <algorithm>

#include "platform/FileError.h"
#include "store/BestEffort.h"
#include "store/PetLayout.h"

namespace orvane {

namespace {
constexpr std::string_view NoneMarker = "NONE";
constexpr std::size_t LastMarkerStart = 4139;
constexpr std::size_t ClearedOffset = 16;
}  // namespace

void clearNoneMarkers(std::string& head) {
    if (head.size() < NoneMarker.size()) return;
    const std::size_t lastStart = std::min(LastMarkerStart, head.size() - NoneMarker.size());
    for (std::size_t i = 0; i <= lastStart; ++i) {
        if (head.compare(i, NoneMarker.size(), NoneMarker) == 0 && i + ClearedOffset < head.size()) {
            head[i + ClearedOffset] = '\0';
        }
    }
}

void PatchPlugInFile(InstallDir& dir, const std::string& name) {
    std::string head;
    head.resize(PlugInPatchSpan);
    std::size_t got = 0;
    {
        const auto in = dir.openRead(name);
        if (!in) throw FileError(name, "ファイルを開けません。");
        while (got < head.size()) {
            const std::size_t n = in->read(head.data() + got, head.size() - got);
            if (n == 0) break;
            got += n;
        }
    }
    head.resize(got);
    clearNoneMarkers(head);
    const auto out = dir.openWrite(name, OpenForWrite::ExistingKeep);
    out->seek(0);
    out->write(head.data(), head.size());
}

void SupplyKidsTreasures(InstallDir& dir, const FolderNameTable& names) {
    const std::string& treasures = names.treasuresFolder;
    if (dir.exists(treasures) || dir.exists(std::string(host::StandardExecutable))) return;

    const BestEffort step(dir);
    const std::string shared = PetLayout::sharedItemName(treasures);
    step.makeFolder(treasures);
    for (const std::string_view plugIn : {host::KidsPlugInMain, host::KidsPlugInSecond}) {
        step.copyFile(shared + "\\" + std::string(plugIn), treasures + "\\" + std::string(plugIn));
    }
    PatchPlugInFile(dir, treasures + "\\" + std::string(host::KidsPlugInMain));
}

}  // namespace orvane
