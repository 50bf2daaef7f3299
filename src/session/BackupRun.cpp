#include "session/BackupRun.h"

#include <cstdio>

#include "app/PetRegistry.h"
#include "platform/FileError.h"
#include "platform/WholeFile.h"
#include "session/BackupCopies.h"
#include "store/BestEffort.h"
#include "store/PetLayout.h"
#include "store/PetMessages.h"
#include "store/RemoveFolder.h"

namespace orvane {

namespace {

constexpr const char* SettingsCopyName = "Orvane.ini";
constexpr std::size_t FailuresNamed = 10;

// "*" + suffix: every name that ends in it.
std::string endingIn(std::string_view suffix) {
    std::string pattern = "*";
    pattern += suffix;
    return pattern;
}

void copySettingsFile(InstallDir& dir, const std::string& fullPath, const std::string& target,
                      BackupCopies& copies) {
    const auto bytes = readWholeFile(fullPath);
    if (!bytes) {
        copies.noteFailed(fullPath);
        return;
    }
    try {
        dir.openWrite(target, OpenForWrite::CreateOrTruncate)->write(bytes->data(), bytes->size());
    } catch (const FileError&) {
        copies.noteFailed(fullPath);
    }
}

// Leaves out of the backup what is not a pet's to keep there.
void cleanUp(InstallDir& dir, const FolderNameTable& names, const std::string& folder, int currentPetStatus) {
    const BestEffort step(dir);
    const PetLayout layout(names);
    const std::string petFile = layout.inPlaceName(PetPiece::PetFile);
    step.deleteFile(folder + std::string(host::OldCopyPrefix) + petFile);
    step.deleteFile(folder + std::string(host::BeforeChangePrefix) + petFile);
    if (!(currentPetStatus & PetStatusFlags::Encrypted)) return;
    // An encrypted pet is in the backup as its container only.
    step.deleteFile(folder + petFile);
    RemoveFolder(dir, folder + layout.inPlaceName(PetPiece::ReceiveFolder));
    RemoveFolder(dir, folder + layout.inPlaceName(PetPiece::SendFolder));
    if (!(currentPetStatus & PetStatusFlags::ShareFriendsBook)) {
        step.deleteFile(folder + layout.inPlaceName(PetPiece::FriendsBook));
    }
    if (!(currentPetStatus & PetStatusFlags::ShareTreasures)) {
        RemoveFolder(dir, folder + layout.inPlaceName(PetPiece::Treasures));
    }
}

void report(Prompts& prompts, const BackupResult& result) {
    if (!result.folderMade) {
        std::string text = "バックアップフォルダ「";
        text.append(result.folder).append("」を作成できません。");
        petmessage::showError(prompts, text);
        return;
    }
    if (result.failedCopies.empty()) {
        prompts.showMessage("バックアップを作成しました。", std::string(petmessage::DoneTitle), MessageIcon::Information);
        return;
    }
    std::string text = "バックアップを作成しましたが、次のファイルはコピーできませんでした。";
    for (std::size_t i = 0; i < result.failedCopies.size() && i < FailuresNamed; ++i) {
        text.append("\n").append(result.failedCopies[i]);
    }
    if (result.failedCopies.size() > FailuresNamed) {
        text.append("\nほか ").append(std::to_string(result.failedCopies.size() - FailuresNamed)).append(" 件");
    }
    petmessage::showError(prompts, text);
}

}  // namespace

std::string backupFolderName(const LocalTime& time) {
    char name[64];
    std::snprintf(name, sizeof name, "%d%.2d%.2d%.2d%.2d%.2d", time.year, time.month, time.day, time.hour,
                  time.minute, time.second);
    return name;
}

BackupResult RunBackup(const BackupSources& sources, const LocalTime& time, Prompts& prompts) {
    InstallDir& dir = sources.dir;
    BackupResult result;
    result.folder = backupFolderName(time);
    // Two runs within one second share their folder.
    result.folderMade = dir.makeFolder(result.folder) || dir.isFolder(result.folder);
    if (result.folderMade) {
        const std::string target = result.folder + "\\";
        const FolderNameTable& names = sources.names;
        BackupCopies copies(dir);
        copies.copyMatchingFiles(endingIn(host::PetFileExtension), target);
        copies.copyMatchingFiles(endingIn(host::ContainerExtension), target);
        copies.copyMatchingFiles(endingIn(host::FriendsBook), target);
        copies.copyMatchingFolders(endingIn(names.receiveFolder), target);
        copies.copyMatchingFolders(endingIn(names.sendFolder), target);
        if (sources.hostExecutable == host::StandardExecutable) {
            BestEffort(dir).makeFolder(target + std::string(host::StandardPlugInFolder));
            const std::string plugIn(host::StandardPlugInFile);
            if (dir.exists(plugIn)) copies.copyFile(plugIn, target + plugIn);
        } else {
            copies.copyMatchingFolders(endingIn(names.treasuresFolder), target);
        }
        copySettingsFile(dir, sources.settingsFile, target + SettingsCopyName, copies);
        cleanUp(dir, names, target, sources.currentPetStatus);
        result.failedCopies = copies.failed();
    }
    report(prompts, result);
    return result;
}

}  // namespace orvane
