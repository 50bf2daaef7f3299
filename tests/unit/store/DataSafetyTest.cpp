// Every operation that moves, packs or deletes pets, run again and again
// with its k-th file step failing, or with the process dying there, for
// every k until the operation completes without reaching k. After each run
// every byte of every pet and of every shared item must still be somewhere
// it can be recovered from.

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "DataSafetyCheck.h"
#include "ScriptedDir.h"
#include "ScriptedPrompts.h"
#include "StoreTestSupport.h"
#include "platform/FileError.h"
#include "store/ChangePet.h"
#include "store/DiscardPet.h"
#include "store/EncryptedSession.h"
#include "store/PackPet.h"
#include "store/PetFiles.h"
#include "store/SwapIn.h"
#include "store/UnpackPet.h"

namespace orvane {
namespace {

using test::FaultMode;
using test::PetDatum;
using test::PetIdentity;

struct WorldPet {
    std::string name;
    int status;
    std::string password;  // an encrypted pet's; empty for a plain one
};

// Four pets and the shared items, standard edition:
// X in place, sharing its friends book (the one in place is the shared one);
// A stored plain, sharing treasures and logs; E and F encrypted.
const std::vector<WorldPet> Pets = {
    {"X", 1, ""},
    {"A", 6, ""},
    {"E", 10, "pass-E"},
    {"F", 9, "pass-F"},
};

const std::vector<PetDatum> WorldData = {
    {"X", PetPiece::PetFile, "", "X pet"},
    {"X", PetPiece::PetBackup, "", "X backup"},
    {"X", PetPiece::Treasures, "x.pac", "X treasure"},
    {"X", PetPiece::ReceiveFolder, "受信メール.ppm", "X mail"},
    {"X", PetPiece::ReceiveFolder, "受信リスト.ppl", "X list"},
    {"X", PetPiece::SendFolder, "empty.ppm", ""},
    {"A", PetPiece::PetFile, "", "A pet"},
    {"A", PetPiece::PetBackup, "", "A backup"},
    {"A", PetPiece::FriendsBook, "", "A book"},
    {"E", PetPiece::PetFile, "", "E pet"},
    {"E", PetPiece::PetBackup, "", "E backup"},
    {"E", PetPiece::ReceiveFolder, "m.ppm", "E mail"},
    {"E", PetPiece::ReceiveFolder, "予定.ppl", "E list"},
    {"E", PetPiece::ReceiveFolder, "zero.ppm", ""},
    {"E", PetPiece::SendFolder, "s.ppm", "E sent"},
    {"E", PetPiece::FriendsBook, "", "E book"},
    {"F", PetPiece::PetFile, "", "F pet"},
    {"F", PetPiece::ReceiveFolder, "f.ppm", "F mail"},
    {"F", PetPiece::Treasures, "t.pac", "F treasure"},
    {"", PetPiece::FriendsBook, "", "shared book"},
    {"", PetPiece::Treasures, "s.pac", "shared treasure"},
    {"", PetPiece::ReceiveFolder, "shared.ppm", "shared mail"},
    {"", PetPiece::SendFolder, "sent.ppm", "shared sent"},
};

// Natively every step is tried. Under Wine a run costs many times more,
// so the Windows build tries every third step, the first one included.
#ifdef _WIN32
constexpr std::uint64_t StepStride = 3;
#else
constexpr std::uint64_t StepStride = 1;
#endif

struct SweepCase {
    const char* label;
    // The pets' extra names and passwords the operation may give them.
    std::map<std::string, PetIdentity> renamed;
    std::string discarded;  // whose data may go
    std::function<void(const StoreContext&, test::ScriptedPrompts&)> run;
};

struct SweepCount {
    int failing = 0;
    int crashing = 0;
};

class DataSafetyTest : public test::StoreTest {
protected:
    void SetUp() override {
        put("Velmora.exe");
        layOutWorld();
    }

    void TearDown() override {
        if (label_.empty()) return;
        std::cout << "[ sweep    ] " << label_ << ": " << count_.failing << " cases with a failing step, "
                  << count_.crashing << " with a crash\n";
    }

    // Runs the operation with step k failing, then crashing, for every k
    // (see StepStride) until it completes without reaching k, each time
    // from the state the test starts from, and checks the data after each run.
    void sweep(const SweepCase& sweepCase) {
        label_ = sweepCase.label;
        const auto start = snapshot();
        const std::string settings = temp_.readFile("Orvane.ini");
        for (const FaultMode mode : {FaultMode::Fail, FaultMode::Crash}) {
            for (std::uint64_t k = 1;; k += StepStride) {
                restore(start, settings);
                const bool reached = runWithFault(sweepCase, {k, mode});
                ++(mode == FaultMode::Fail ? count_.failing : count_.crashing);
                if (HasFailure()) return;
                if (!reached) break;
            }
        }
    }

    // E launched and its session ended: "NowPet" names E, and only the
    // shared book is left in place.
    void runAndEndASessionOfE() {
        const StoreContext withPassword{*dir_, names_, registry_, "pass-E"};
        ASSERT_EQ(UnpackPet(withPassword, "E", true), UnpackResult::Done);
        SwapIn(withPassword, 2, "E");
        EndEncryptedSession(withPassword, "E", 10);
    }

private:
    void layOutWorld() {
        const PetLayout layout(names_);
        std::vector<std::pair<std::string, int>> registered;
        for (const WorldPet& pet : Pets) registered.push_back({pet.name, pet.status});
        registerPets(registered, 0);
        for (const PetDatum& datum : WorldData) {
            std::string top;
            if (datum.pet.empty()) {
                // Items X shares lie in place; the others under "共有_".
                const bool xShares = datum.piece == PetPiece::FriendsBook;
                top = xShares ? layout.inPlaceName(datum.piece)
                              : PetLayout::sharedItemName(layout.inPlaceName(datum.piece));
            } else if (datum.pet == "X") {
                top = layout.inPlaceName(datum.piece);
            } else {
                top = layout.ownName(datum.pet, datum.piece);
            }
            if (datum.file.empty()) {
                put(top, datum.bytes);
            } else {
                if (!has(top)) putFolder(top);
                put(top + "\\" + datum.file, datum.bytes);
            }
        }
        for (const WorldPet& pet : Pets) {
            if (pet.password.empty()) continue;
            PackStoredPet(StoreContext{*dir_, names_, registry_, pet.password}, pet.name, pet.status);
            DeletePetFiles(context_, -1, pet.name);
        }
    }

    void restore(const std::map<std::string, std::string>& entries, const std::string& settings) {
        clearInstallDir();
        for (const auto& [name, bytes] : entries) {
            if (bytes == "<folder>") {
                putFolder(name);
            } else {
                put(name, bytes);
            }
        }
        temp_.writeFile("Orvane.ini", settings);
    }

    // True when the run reached step k.
    bool runWithFault(const SweepCase& sweepCase, test::Fault fault) {
        test::ScriptedDir scripted(*dir_);
        scripted.fault = fault;
        test::ScriptedPrompts prompts;
        const StoreContext context{scripted, names_, registry_, password_};
        try {
            sweepCase.run(context, prompts);
        } catch (const test::SimulatedCrash&) {
        } catch (const FileError&) {
            // The operation stopped and said so: what it did so far stays.
        }
        const bool reached = scripted.operations() >= fault.at;
        expectNothingLost(sweepCase, fault);
        return reached;
    }

    void expectNothingLost(const SweepCase& sweepCase, test::Fault fault) {
        const auto lost = lostNow(sweepCase);
        EXPECT_TRUE(lost.empty()) << sweepCase.label << ", step " << fault.at
                                  << (fault.mode == FaultMode::Fail ? " failing" : " crashing") << ": lost "
                                  << ::testing::PrintToString(lost);
    }

    std::string label_;
    SweepCount count_;

protected:
    std::vector<std::string> lostNow(const SweepCase& sweepCase) const {
        std::map<std::string, PetIdentity> pets;
        for (const WorldPet& pet : Pets) {
            PetIdentity& identity = pets[pet.name];
            identity.names.insert(pet.name);
            if (!pet.password.empty()) identity.passwords.insert(pet.password);
        }
        for (const auto& [pet, extra] : sweepCase.renamed) {
            pets[pet].names.insert(extra.names.begin(), extra.names.end());
            pets[pet].passwords.insert(extra.passwords.begin(), extra.passwords.end());
        }
        std::vector<PetDatum> kept;
        for (const PetDatum& datum : WorldData) {
            if (datum.pet != sweepCase.discarded || datum.pet.empty()) kept.push_back(datum);
        }
        return test::lostData(kept, pets, snapshot(), names_);
    }
};

PetOptions optionsFor(int status) {
    return {(status & 4) != 0, (status & 2) != 0, (status & 1) != 0, (status & 8) != 0};
}

// The check itself: what it must not take for recoverable.
TEST_F(DataSafetyTest, TheCheckFindsWhatIsLost) {
    const SweepCase noChange{"", {}, "", {}};
    EXPECT_TRUE(lostNow(noChange).empty());
    // Gone; under another pet's name; a shared item under a pet's name.
    dir_->deleteFile("受信フォルダ\\受信メール.ppm");
    dir_->rename("A.ppc", "F.ppc");
    dir_->rename("共有_送信フォルダ", "A_送信フォルダ");
    // Packed with a password that is not E's.
    const std::string eContainer = read("E.apd");
    {
        const StoreContext withE{*dir_, names_, registry_, "pass-E"};
        ASSERT_EQ(UnpackPet(withE, "E", true), UnpackResult::Done);
        PackStoredPet({*dir_, names_, registry_, "other"}, "E", 10);
        DeletePetFiles(context_, 2, "E");
    }
    EXPECT_EQ(lostNow(noChange),
              (std::vector<std::string>{"X piece 2 受信メール.ppm", "A piece 0 ", "E piece 0 ", "E piece 1 ",
                                        "E piece 2 m.ppm", "E piece 2 予定.ppl", "E piece 2 zero.ppm",
                                        "E piece 3 s.ppm", "E piece 4 ", "shared piece 3 sent.ppm"}));
    // With E's own container back only the other three are lost.
    put("E.apd", eContainer);
    EXPECT_EQ(lostNow(noChange).size(), 3u);
}

TEST_F(DataSafetyTest, SwapInOfAPlainPet) {
    sweep({"swap-in of plain pet A", {}, "", [](const StoreContext& context, test::ScriptedPrompts&) {
               SwapIn(context, 1, "A");
           }});
}

TEST_F(DataSafetyTest, LaunchOfAnEncryptedPet) {
    sweep({"unpack and swap-in of encrypted pet E", {}, "", [](const StoreContext& context, test::ScriptedPrompts&) {
               const StoreContext withPassword{context.dir, context.names, context.registry, "pass-E"};
               if (UnpackPet(withPassword, "E", true) == UnpackResult::Done) SwapIn(withPassword, 2, "E");
           }});
}

TEST_F(DataSafetyTest, EndOfAnEncryptedSession) {
    {
        const StoreContext withPassword{*dir_, names_, registry_, "pass-E"};
        ASSERT_EQ(UnpackPet(withPassword, "E", true), UnpackResult::Done);
        SwapIn(withPassword, 2, "E");
    }
    sweep({"end of the session of encrypted pet E", {}, "", [](const StoreContext& context, test::ScriptedPrompts&) {
               EndEncryptedSession({context.dir, context.names, context.registry, "pass-E"}, "E", 10);
           }});
}

TEST_F(DataSafetyTest, SwapInAfterAnEncryptedSession) {
    runAndEndASessionOfE();
    sweep({"swap-in of plain pet X after the session of E", {}, "",
           [](const StoreContext& context, test::ScriptedPrompts&) { SwapIn(context, 0, "X"); }});
}

TEST_F(DataSafetyTest, ChangeOfAStoredPlainPetToEncrypted) {
    sweep({"ChangePet A plain to encrypted", {{"A", {{}, {"pass-A"}}}}, "",
           [](const StoreContext& context, test::ScriptedPrompts& prompts) {
               prompts.passwords = {"pass-A"};
               ChangePet(context, prompts, {1, "A", "A", optionsFor(6 | 8), {"X", "A", "E", "F"}});
           }});
}

TEST_F(DataSafetyTest, ChangeOfThePetInPlaceToEncryptedWithANewName) {
    sweep({"ChangePet X in place, plain to encrypted as X2", {{"X", {{"X2"}, {"pass-X"}}}}, "",
           [](const StoreContext& context, test::ScriptedPrompts& prompts) {
               prompts.passwords = {"pass-X"};
               ChangePet(context, prompts, {0, "X", "X2", optionsFor(1 | 8), {"X", "A", "E", "F"}});
           }});
}

TEST_F(DataSafetyTest, ChangeOfAnEncryptedPetToEncryptedWithANewName) {
    sweep({"ChangePet E encrypted to encrypted as E2", {{"E", {{"E2"}, {}}}}, "",
           [](const StoreContext& context, test::ScriptedPrompts& prompts) {
               prompts.passwords = {"pass-E"};
               ChangePet(context, prompts, {2, "E", "E2", optionsFor(10), {"X", "A", "E", "F"}});
           }});
}

TEST_F(DataSafetyTest, ChangeOfTheLastUsedEncryptedPetToANewName) {
    runAndEndASessionOfE();
    sweep({"ChangePet E, named by NowPet, to encrypted E2", {{"E", {{"E2"}, {}}}}, "",
           [](const StoreContext& context, test::ScriptedPrompts& prompts) {
               prompts.passwords = {"pass-E"};
               ChangePet(context, prompts, {2, "E", "E2", optionsFor(10), {"X", "A", "E", "F"}});
           }});
}

TEST_F(DataSafetyTest, ChangeOfAnEncryptedPetToPlain) {
    sweep({"ChangePet E encrypted to plain", {}, "", [](const StoreContext& context, test::ScriptedPrompts& prompts) {
               prompts.passwords = {"pass-E"};
               ChangePet(context, prompts, {2, "E", "E", optionsFor(2), {"X", "A", "E", "F"}});
           }});
}

TEST_F(DataSafetyTest, DiscardOfAnotherPlainPet) {
    sweep({"DiscardPet A", {}, "A", [](const StoreContext& context, test::ScriptedPrompts& prompts) {
               DiscardPet(context, prompts, 1, "A", 6);
           }});
}

TEST_F(DataSafetyTest, DiscardOfAnEncryptedPet) {
    sweep({"DiscardPet F", {}, "F", [](const StoreContext& context, test::ScriptedPrompts& prompts) {
               prompts.passwords = {"pass-F"};
               DiscardPet(context, prompts, 3, "F", 9);
           }});
}

}  // namespace
}  // namespace orvane
