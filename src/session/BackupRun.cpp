#include "session/BackupRun.h"

#include <cstdio>

#include "app/PetRegistry.h"
#include "platform/FileError.h"
#include "platform/WholeFile.h"
#include "session/BackupCopies.h"
#include "store/BestEffort.h"
#include "store/PackPet.h"
#include "store/PetLayout.h"
#include "store/PetMessages.h"
#include "store/VerifyContainer.h"

namespace orvane {

namespace {

constexpr const char* SettingsCopyName = "Orvane.ini";

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
        if (dir.fileSize(target) == bytes->size()) return;
    } catch (const FileError&) {
    }
    copies.noteFailed(fullPath);
}

// What is never copied: the host's old copies of its pet file, and every
// plain piece of an encrypted pet in use, under either of its names, with
// its container from the session's start, which is packed anew.
void leaveOut(BackupCopies& copies, const BackupSources& sources) {
    const PetLayout layout(sources.names);
    const std::string petFile = layout.inPlaceName(PetPiece::PetFile);
    copies.leaveOut(std::string(host::OldCopyPrefix) + petFile);
    copies.leaveOut(std::string(host::BeforeChangePrefix) + petFile);
    const int status = sources.currentPetStatus;
    if (!(status & PetStatusFlags::Encrypted)) return;
    for (const PetPiece piece : AllPetPieces) {
        copies.leaveOut(layout.ownName(sources.currentPet, piece));
        // Shared items in place are the other pets' too and stay in.
        if (piece == PetPiece::FriendsBook && (status & PetStatusFlags::ShareFriendsBook)) continue;
        if (piece == PetPiece::Treasures && (status & PetStatusFlags::ShareTreasures)) continue;
        copies.leaveOut(layout.inPlaceName(piece));
    }
    copies.leaveOut(PetLayout::containerName(sources.currentPet));
}

// The encrypted pet in use as it is now, packed from its pieces in place
// straight into the backup with its session's password, and read back.
// When it cannot be packed, its container from the session's start is the
// best the backup can hold.
void packRunningPet(const BackupSources& sources, const std::string& target, BackupCopies& copies) {
    InstallDir& dir = sources.dir;
    const std::string container = PetLayout::containerName(sources.currentPet);
    const auto keepOldContainer = [&](const std::string& notSaved) {
        copies.noteFailed(notSaved);
        if (dir.exists(container)) copies.copyFile(container, target + container);
    };
    if (!sources.sessionPassword) {
        keepOldContainer(PetLayout(sources.names).inPlaceName(PetPiece::PetFile));
        return;
    }
    PackedFiles packed;
    try {
        packed = PackInPlacePetInto(dir, sources.names, *sources.sessionPassword, sources.currentPet,
                                    sources.currentPetStatus, target + container);
    } catch (const FileError& error) {
        keepOldContainer(error.fileName());
        return;
    }
    try {
        VerifyContainerAt(dir, target + container, *sources.sessionPassword, packed);
    } catch (const FileError& error) {
        copies.noteFailed(error.fileName());
    }
}

void report(Prompts& prompts, const BackupResult& result) {
    if (!result.folderMade) {
        std::string text = "バックアップフォルダ「";
        text.append(result.folder).append("」を作成できません。");
        petmessage::showError(prompts, text);
        return;
    }
    const auto& failed = result.failedCopies;
    if (failed.empty()) {
        prompts.showMessage("バックアップを作成しました。", std::string(petmessage::DoneTitle), MessageIcon::Information);
        return;
    }
    std::string text = "バックアップを作成しましたが、次のファイルを保存できませんでした。\n" + failed.front();
    if (failed.size() > 1) text.append("\nほか ").append(std::to_string(failed.size() - 1)).append(" 件");
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
        leaveOut(copies, sources);
        copies.copyMatchingFiles(endingIn(host::PetFileExtension), target);
        copies.copyMatchingFiles(endingIn(host::ContainerExtension), target);
        if (sources.currentPetStatus & PetStatusFlags::Encrypted) packRunningPet(sources, target, copies);
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
        result.failedCopies = copies.failed();
    }
    report(prompts, result);
    return result;
}

}  // namespace orvane
