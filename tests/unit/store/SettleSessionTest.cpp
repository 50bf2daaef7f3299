#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ContainerRecords.h"
#include "StoreTestSupport.h"
#include "store/SettleSession.h"

namespace orvane {
namespace {

using Files = std::map<std::string, std::string>;
using Records = std::vector<std::pair<std::string, std::string>>;

using SettleSessionTest = test::StoreTest;

// An encrypted pet P in place, left plain by a host session or by a change
// of its options that was cut off: the next start packs it from where its
// newest pieces lie, and leaves only what is not its own.
TEST_F(SettleSessionTest, APlainPetInPlaceIsPackedFromWhereItsNewestPiecesLie) {
    const struct {
        const char* what;
        int swappedIn;  // its flags at its swap-in
        int now;
        bool hostSession;  // else a change
        Files files;
        Records packed;
        Files left;
    } cases[] = {
        {"shared at its swap-in and private now: its own copies, not the shared ones in place", 1 | 2 | 4, 8, false,
         {{"Velmora設定.ppc", "pet"}, {"おともだち帳", "shared"}, {"宝物\\t", "shared"}, {"受信フォルダ\\m", "shared"},
          {"P_おともだち帳", "own"}, {"P_送信フォルダ\\s", "own"}},
         {{"P.ppc", "pet"}, {"P_送信フォルダ\\s", "own"}, {"P_おともだち帳", "own"}},
         {{"おともだち帳", "shared"}, {"宝物\\t", "shared"}, {"受信フォルダ\\m", "shared"}}},
        {"shared then and now: left out, but for the mail folders", 1 | 2 | 4, 15, false,
         {{"おともだち帳", "shared"}, {"宝物\\t", "shared"}, {"受信フォルダ\\m", "shared"}},
         {{"P_受信フォルダ\\m", "shared"}},
         {{"おともだち帳", "shared"}, {"宝物\\t", "shared"}, {"受信フォルダ\\m", "shared"}}},
        {"private at its swap-in and shared now: what lies in place is its own", 0, 11, false,
         {{"おともだち帳", "own"}, {"宝物\\t", "own"}},
         {{"P_おともだち帳", "own"}, {"P_宝物\\t", "own"}},
         {}},
        {"a host session: the host's names, whatever lies under its own", 8, 8, true,
         {{"Velmora設定.ppc", "pet"}, {"受信フォルダ\\m", "mail"}, {"P_受信フォルダ", "<folder>"}},
         {{"P.ppc", "pet"}, {"P_受信フォルダ\\m", "mail"}},
         {}},
        {"a change: what it unpacked under the pet's own names", 8, 8, false,
         {{"P_宝物\\t", "own"}},
         {{"P_宝物\\t", "own"}},
         {}},
    };
    for (const auto& c : cases) {
        clearInstallDir();
        put("Velmora.exe");
        registerPets({{"P", c.now}}, 0);
        SessionRecord session;
        session.pet = "P";
        session.status = c.swappedIn;
        session.plain = "P";
        session.open = c.hostSession;
        registry_.setSession(session);
        putAll(c.files);

        EXPECT_TRUE(SettleSession(context_, [](const std::string&) { return std::optional<std::string>("abcd"); }));
        EXPECT_EQ(test::containerRecords(read("P.apd"), "abcd"), c.packed) << c.what;
        Files left;
        for (const auto& [name, bytes] : snapshot()) {
            if (bytes != "<folder>" && name != "Velmora.exe" && name != "P.apd") left[name] = bytes;
        }
        EXPECT_EQ(left, c.left) << c.what;
    }
}

}  // namespace
}  // namespace orvane
