#include "store/SwapIn.h"

#include "platform/FileError.h"
#include "store/KidsTreasures.h"
#include "store/PetLayout.h"
#include "store/SettingsNotWritten.h"
#include "store/UsablePetNames.h"

namespace orvane {

namespace {

class SwapPlan {
public:
    explicit SwapPlan(InstallDir& dir) : dir_(dir) {}

    // One name of the host's place: what lies there goes to `away`, then
    // `in` comes into it. When the two are the same name and the place is
    // taken, the pair would undo itself, and nothing moves.
    void exchange(const std::string& place, const std::string& away, const std::string& in) {
        const bool taken = dir_.exists(place);
        if (taken && away == in) return;
        if (taken) {
            // Renames never replace; a taken name would leave the piece in
            // place, where the incoming one could not go.
            if (dir_.exists(away)) throw FileError(away, "同じ名前のファイルがあるため、ペットを入れ替えられません。");
            moves_.push_back({place, away});
        }
        if (dir_.exists(in)) moves_.push_back({in, place});
    }

    std::vector<PlannedMove> moves() && { return std::move(moves_); }

private:
    InstallDir& dir_;
    std::vector<PlannedMove> moves_;
};

// Each planned rename, unless it has been done already: no rename ever
// makes a name that a later one of the same plan moves away again, so a
// missing source with its target present means done.
void performMoves(InstallDir& dir, const std::vector<PlannedMove>& moves) {
    for (const PlannedMove& move : moves) {
        if (!dir.exists(move.from) || dir.exists(move.to)) continue;
        if (!dir.rename(move.from, move.to)) throw FileError(move.from, "ファイルの名前を変えられません。");
    }
}

}  // namespace

void RecordSession(PetRegistry& registry, const SessionRecord& session, std::optional<int> petInPlace) {
    if (!registry.setSession(session, petInPlace)) throw SettingsNotWritten();
}

int SwapIn(const StoreContext& context, int number, const std::string& newName, SessionRecord session) {
    requireUsablePets(context.registry, number, newName);
    PetRegistry& registry = context.registry;
    const std::string oldName = registry.name(registry.petInPlace());
    const SessionRecord prior = registry.session();
    // The old pet's flags at its own swap-in tell which items in place are
    // its own; with no record (-1) only a shared copy outside tells.
    const int oldStatus = prior.pet == oldName && !oldName.empty() ? prior.status.value_or(-1) : -1;
    const int status = registry.status(number);

    const PetLayout layout(context.names);
    SwapPlan plan(context.dir);
    for (const PetPiece piece : {PetPiece::PetFile, PetPiece::PetBackup}) {
        plan.exchange(layout.inPlaceName(piece), layout.ownName(oldName, piece), layout.ownName(newName, piece));
    }
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
        const std::string item = layout.inPlaceName(piece);
        const std::string shared = PetLayout::sharedItemName(item);
        const bool oldOwnsIt = context.dir.exists(shared) || (oldStatus >= 0 && (oldStatus & flag) == 0);
        plan.exchange(item, oldOwnsIt ? layout.ownName(oldName, piece) : shared,
                      (status & flag) != 0 ? shared : layout.ownName(newName, piece));
    }

    session.pet = newName;
    session.status = status;
    session.unpacking.clear();
    session.moves = std::move(plan).moves();
    // The next swap-in trusts "NowPet" to say whose pieces are in place.
    RecordSession(registry, session, number);
    performMoves(context.dir, session.moves);
    session.moves.clear();
    RecordSession(registry, session);

    SupplyKidsTreasures(context.dir, context.names);
    return status;
}

void FinishSwapIn(const StoreContext& context) {
    SessionRecord session = context.registry.session();
    if (session.moves.empty()) return;
    performMoves(context.dir, session.moves);
    session.moves.clear();
    RecordSession(context.registry, session);
}

}  // namespace orvane
