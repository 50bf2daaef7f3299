#include "store/SwapIn.h"

#include "platform/FileError.h"
#include "store/BestEffort.h"
#include "store/KidsTreasures.h"
#include "store/PetLayout.h"

namespace orvane {

namespace {
constexpr const char* SettingsFileName = "Orvane.ini";
}  // namespace

void ExchangeSharedItem(InstallDir& dir, const std::string& newName, const std::string& oldName,
                        const std::string& item, bool newShares) {
    const BestEffort step(dir);
    const std::string shared = PetLayout::sharedItemName(item);
    // What is on disk tells whose item is in place, not the old pet's flags:
    // with the shared copy outside, the one in place is the old pet's own.
    if (dir.exists(shared)) {
        step.rename(item, PetLayout::privateItemName(oldName, item));
    } else {
        step.rename(item, shared);
    }
    step.rename(newShares ? shared : PetLayout::privateItemName(newName, item), item);
}

int SwapIn(const StoreContext& context, int number, const std::string& newName) {
    PetRegistry& registry = context.registry;
    const std::string oldName = registry.name(registry.petInPlace());
    // The next swap-in trusts "NowPet" to say whose pieces are in place.
    if (!registry.setPetInPlace(number)) {
        throw FileError(SettingsFileName, "現在のペットを記録できません。");
    }
    const int status = registry.status(number);

    const PetLayout layout(context.names);
    const BestEffort step(context.dir);
    const std::string petFile = layout.inPlaceName(PetPiece::PetFile);
    const std::string backup = layout.inPlaceName(PetPiece::PetBackup);
    step.rename(petFile, layout.ownName(oldName, PetPiece::PetFile));
    step.rename(layout.ownName(newName, PetPiece::PetFile), petFile);
    step.rename(backup, layout.ownName(oldName, PetPiece::PetBackup));
    step.rename(layout.ownName(newName, PetPiece::PetBackup), backup);

    const struct {
        PetPiece piece;
        int flag;
    } items[] = {
        {PetPiece::FriendsBook, PetStatusFlags::ShareFriendsBook},
        {PetPiece::Treasures, PetStatusFlags::ShareTreasures},
        {PetPiece::ReceiveFolder, PetStatusFlags::ShareLogs},
        {PetPiece::SendFolder, PetStatusFlags::ShareLogs},
    };
    for (const auto& [piece, flag] : items) {
        ExchangeSharedItem(context.dir, newName, oldName, layout.inPlaceName(piece),
                           (status & flag) != 0);
    }

    SupplyKidsTreasures(context.dir, context.names);
    return status;
}

}  // namespace orvane
