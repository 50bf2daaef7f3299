#include <gtest/gtest.h>

#include <map>
#include <string>

#include "StoreTestSupport.h"
#include "platform/FileError.h"
#include "store/PetFiles.h"
#include "store/SwapIn.h"

namespace orvane {
namespace {

using Entries = std::map<std::string, std::string>;

using PetFilesTest = test::StoreTest;

const Entries HostPieces = {
    {"Velmora設定.ppc", "in place"}, {"Velmora設定.bak", "in place bak"}, {"おともだち帳", "book in place"},
    {"宝物", "<folder>"},            {"宝物\\t", "treasure in place"},  {"受信フォルダ", "<folder>"},
    {"受信フォルダ\\m", "mail in place"}, {"送信フォルダ", "<folder>"}, {"送信フォルダ\\s", "sent in place"},
};

TEST_F(PetFilesTest, RenameMovesEveryStoredPieceAndANewNameMustBeFree) {
    putAll(HostPieces);
    putAll({{"Old.ppc", "pet"}, {"Old.bak", "bak"}, {"Old_受信フォルダ", "<folder>"}, {"Old_受信フォルダ\\a", "a"},
            {"Old_送信フォルダ", "<folder>"}, {"Old_宝物", "<folder>"}, {"Old_おともだち帳", "book"}});
    EXPECT_NO_THROW(requireFreePetNames(*dir_, names_, "New"));
    SessionRecord session;
    session.moves = planPetRename(*dir_, names_, "Old", "New");
    ASSERT_TRUE(registry_.setSession(session));
    FinishSwapIn(context_);

    Entries expected = HostPieces;
    expected.merge(Entries{{"New.ppc", "pet"}, {"New.bak", "bak"}, {"New_受信フォルダ", "<folder>"},
                           {"New_受信フォルダ\\a", "a"}, {"New_送信フォルダ", "<folder>"}, {"New_宝物", "<folder>"},
                           {"New_おともだち帳", "book"}});
    EXPECT_EQ(snapshot(), expected);
    EXPECT_TRUE(registry_.session().moves.empty());
    EXPECT_TRUE(planPetRename(*dir_, names_, "New", "New").empty());

    for (const std::string taken : {"New_送信フォルダ", "New.apd"}) {
        SCOPED_TRACE(taken);
        clearInstallDir();
        put(taken, "x");
        try {
            requireFreePetNames(*dir_, names_, "New");
            ADD_FAILURE() << "a taken name was accepted";
        } catch (const FileError& error) {
            EXPECT_EQ(error.fileName(), taken);
        }
    }
}

// A pet without a pet file of its own is in place only when "NowPet" names
// it; otherwise the host's names hold another pet.
TEST_F(PetFilesTest, TheHostsNamesAreDeletedOnlyForThePetInPlace) {
    const struct {
        int nowPet;
        bool ownPetFile;
        bool hostPiecesGo;
    } cases[] = {{1, false, true}, {0, false, false}, {1, true, false}, {0, true, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "NowPet " << c.nowPet << ", own pet file " << c.ownPetFile);
        clearInstallDir();
        registerPets({{"X", 0}, {"P", 0}}, c.nowPet);
        putAll(HostPieces);
        put("共有_おともだち帳", "shared book");
        if (c.ownPetFile) put("P.ppc", "p");
        EXPECT_EQ(isPetInPlace(context_, 1, "P"), c.hostPiecesGo);
        DeletePetFiles(context_, "P", isPetInPlace(context_, 1, "P"));
        EXPECT_EQ(has("Velmora設定.ppc"), !c.hostPiecesGo);
        EXPECT_EQ(has("おともだち帳"), !c.hostPiecesGo);
        EXPECT_FALSE(has("P.ppc"));
        EXPECT_TRUE(has("共有_おともだち帳"));
    }
}

}  // namespace
}  // namespace orvane
