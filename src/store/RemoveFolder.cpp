#include "store/RemoveFolder.h"

#include "store/BestEffort.h"

namespace orvane {

void RemoveFolder(InstallDir& dir, const std::string& folder) {
    if (!dir.isFolder(folder)) return;
    const BestEffort step(dir);
    for (const DirEntry& entry : dir.list(folder + "\\*.*")) {
        if (!entry.isFolder) step.deleteFile(folder + "\\" + entry.name);
    }
    step.removeFolder(folder);
}

}  // namespace orvane
