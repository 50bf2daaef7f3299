#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "StoreTestSupport.h"
#include "platform/FileError.h"
#include "store/SwapIn.h"

namespace orvane {
namespace {

using Entries = std::map<std::string, std::string>;

// The standard host's executable lies beside the pets, so no Kids
// treasures are supplied; pieces() leaves it out.
class SwapInTest : public test::StoreTest {
protected:
    void SetUp() override { put("Velmora.exe"); }

    Entries pieces() const {
        Entries entries = snapshot();
        entries.erase("Velmora.exe");
        return entries;
    }

    void clearPieces() {
        clearInstallDir();
        put("Velmora.exe");
    }

};

TEST_F(SwapInTest, StoresThePetInPlaceAndBringsTheChosenOneIn) {
    registerPets({{"A", 0}, {"B", 0}}, 0);
    putAll({{"Velmora設定.ppc", "A pet"}, {"Velmora設定.bak", "A bak"}, {"おともだち帳", "A book"},
            {"宝物", "<folder>"}, {"受信フォルダ", "<folder>"}, {"送信フォルダ", "<folder>"},
            {"B.ppc", "B pet"}, {"B.bak", "B bak"}, {"B_おともだち帳", "B book"},
            {"B_宝物", "<folder>"}, {"B_受信フォルダ", "<folder>"}, {"B_送信フォルダ", "<folder>"},
            {"共有_おともだち帳", "shared book"}, {"共有_宝物", "<folder>"},
            {"共有_受信フォルダ", "<folder>"}, {"共有_送信フォルダ", "<folder>"}});
    put("受信フォルダ\\a.ppm", "A mail");
    put("B_受信フォルダ\\b.ppm", "B mail");

    EXPECT_EQ(SwapIn(context_, 1, "B"), 0);
    EXPECT_EQ(registry_.petInPlace(), 1);
    EXPECT_EQ(pieces(), (Entries{{"A.ppc", "A pet"}, {"A.bak", "A bak"}, {"A_おともだち帳", "A book"},
                                   {"A_宝物", "<folder>"}, {"A_受信フォルダ", "<folder>"},
                                   {"A_受信フォルダ\\a.ppm", "A mail"}, {"A_送信フォルダ", "<folder>"},
                                   {"Velmora設定.ppc", "B pet"}, {"Velmora設定.bak", "B bak"},
                                   {"おともだち帳", "B book"}, {"宝物", "<folder>"}, {"受信フォルダ", "<folder>"},
                                   {"受信フォルダ\\b.ppm", "B mail"}, {"送信フォルダ", "<folder>"},
                                   {"共有_おともだち帳", "shared book"}, {"共有_宝物", "<folder>"},
                                   {"共有_受信フォルダ", "<folder>"}, {"共有_送信フォルダ", "<folder>"}}));
}

TEST_F(SwapInTest, SwappingInThePetInPlaceMovesNothing) {
    for (const int status : {0, 7}) {
        SCOPED_TRACE(status);
        registerPets({{"A", status}, {"B", 0}}, 0);
        // Shared items in place when A shares them, private ones otherwise.
        const Entries entries = {{"Velmora設定.ppc", "A"}, {"おともだち帳", "book"}, {"宝物", "<folder>"},
                                 {"受信フォルダ", "<folder>"}, {"送信フォルダ", "<folder>"},
                                 {"B.ppc", "B"}, {"B_おともだち帳", "B book"}};
        putAll(entries);
        // Each shared copy lies in exactly one place: here, outside.
        if (status == 0) {
            putAll({{"共有_おともだち帳", "s"}, {"共有_宝物", "<folder>"}, {"共有_受信フォルダ", "<folder>"},
                    {"共有_送信フォルダ", "<folder>"}});
        }
        const auto before = pieces();
        EXPECT_EQ(SwapIn(context_, 0, "A"), status);
        EXPECT_EQ(pieces(), before);
        clearPieces();
    }
}

TEST_F(SwapInTest, SharedFriendsBookChangesPlacesWithPrivateOnes) {
    const struct {
        const char* what;
        int oldStatus;
        int newStatus;
        Entries before;
        Entries after;
    } cases[] = {
        {"sharing pet after a private one", 0, 1,
         {{"おともだち帳", "A"}, {"共有_おともだち帳", "S"}, {"B_おともだち帳", "B"}},
         {{"A_おともだち帳", "A"}, {"おともだち帳", "S"}, {"B_おともだち帳", "B"}}},
        {"private pet after a sharing one", 1, 0,
         {{"おともだち帳", "S"}, {"B_おともだち帳", "B"}},
         {{"共有_おともだち帳", "S"}, {"おともだち帳", "B"}}},
        {"private pet without a book", 1, 0,
         {{"おともだち帳", "S"}},
         {{"共有_おともだち帳", "S"}}},
        // Only the disk decides: A's flags say shared, but the shared copy lies outside.
        {"old flags are not consulted", 1, 1,
         {{"おともだち帳", "A"}, {"共有_おともだち帳", "S"}},
         {{"A_おともだち帳", "A"}, {"おともだち帳", "S"}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clearPieces();
        registerPets({{"A", c.oldStatus | 6}, {"B", c.newStatus | 6}}, 0);
        putAll(c.before);
        SwapIn(context_, 1, "B");
        EXPECT_EQ(pieces(), c.after);
    }
}

TEST_F(SwapInTest, ReceiveAndSendMoveTogetherByTheLogsFlag) {
    registerPets({{"A", 0}, {"B", 4}}, 0);
    putAll({{"受信フォルダ", "<folder>"}, {"送信フォルダ", "<folder>"}, {"共有_受信フォルダ", "<folder>"},
            {"共有_送信フォルダ", "<folder>"}});
    put("受信フォルダ\\r", "A r");
    put("送信フォルダ\\s", "A s");
    put("共有_受信フォルダ\\r", "shared r");
    put("共有_送信フォルダ\\s", "shared s");
    SwapIn(context_, 1, "B");
    EXPECT_EQ(read("A_受信フォルダ\\r"), "A r");
    EXPECT_EQ(read("A_送信フォルダ\\s"), "A s");
    EXPECT_EQ(read("受信フォルダ\\r"), "shared r");
    EXPECT_EQ(read("送信フォルダ\\s"), "shared s");
    EXPECT_FALSE(has("共有_受信フォルダ"));
    EXPECT_FALSE(has("共有_送信フォルダ"));
}

TEST_F(SwapInTest, WithNoPetInPlaceTheOldNameIsEmpty) {
    for (const int nowPet : {-1, 5}) {
        SCOPED_TRACE(nowPet);
        clearPieces();
        registerPets({{"B", 1}}, nowPet);
        putAll({{"Velmora設定.ppc", "p"}, {"Velmora設定.bak", "b"}, {"宝物", "<folder>"},
                {"共有_宝物", "<folder>"}, {"おともだち帳", "shared"}});
        SwapIn(context_, 0, "B");
        EXPECT_EQ(pieces(), (Entries{{".ppc", "p"}, {".bak", "b"}, {"_宝物", "<folder>"},
                                       {"共有_宝物", "<folder>"}, {"おともだち帳", "shared"}}));
        EXPECT_EQ(registry_.petInPlace(), 0);
    }
}

TEST_F(SwapInTest, NothingMovesWhenThePetInPlaceCannotBeRecorded) {
    registerPets({{"A", 0}, {"B", 0}}, 0);
    put("B.ppc", "B");
    // A folder where the settings file should be: it can be neither read nor replaced.
    std::filesystem::remove(temp_.fsPath("Orvane.ini"));
    temp_.makeFolder("Orvane.ini");
    const auto before = pieces();
    EXPECT_THROW(SwapIn(context_, 1, "B"), FileError);
    EXPECT_EQ(pieces(), before);
}

}  // namespace
}  // namespace orvane
