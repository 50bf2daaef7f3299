#include <gtest/gtest.h>

#include <map>
#include <string>

#include "StoreTestSupport.h"
#include "platform/FileError.h"
#include "store/EncryptedSession.h"
#include "store/RemoveFolder.h"
#include "store/SwapIn.h"
#include "store/UnpackPet.h"

namespace orvane {
namespace {

using Entries = std::map<std::string, std::string>;

class EncryptedSessionTest : public test::StoreTest {
protected:
    void SetUp() override { put("Velmora.exe"); }

    // A launch of an encrypted pet: unpack, then swap in.
    void launch(int number, const std::string& pet) {
        ASSERT_EQ(UnpackPet(context_, pet, true), UnpackResult::Done);
        SwapIn(context_, number, pet);
    }
};

TEST(RemoveFolder, DeletesTheFilesDirectlyInsideThenTheFolder) {
    test::TempDir temp;
    const auto dir = openInstallDir(temp.path());
    temp.makeFolder("a");
    temp.writeFile("a\\1", "x");
    temp.writeFile("a\\2", "y");
    RemoveFolder(*dir, "a");
    EXPECT_FALSE(temp.exists("a"));

    // A subfolder is not entered, so its parent stays with it.
    temp.makeFolder("b\\sub");
    temp.writeFile("b\\1", "x");
    temp.writeFile("b\\sub\\2", "y");
    RemoveFolder(*dir, "b");
    EXPECT_FALSE(temp.exists("b\\1"));
    EXPECT_EQ(temp.readFile("b\\sub\\2"), "y");

    RemoveFolder(*dir, "missing");
    temp.writeFile("file", "z");
    RemoveFolder(*dir, "file");
    EXPECT_EQ(temp.readFile("file"), "z");
}

TEST_F(EncryptedSessionTest, LeavesOnlyTheContainerAndSharedItemsAndRoundTrips) {
    for (const int status : {8, 8 | 1, 8 | 2, 8 | 3}) {
        SCOPED_TRACE(status);
        clearInstallDir();
        put("Velmora.exe");
        registerPets({{"P", status}}, 0);
        put("Velmora設定.ppc", "pet");
        put("Velmora設定.bak", "backup");
        putFolder("受信フォルダ");
        put("受信フォルダ\\a.ppm", "mail");
        putFolder("送信フォルダ");
        put("おともだち帳", "book");
        putFolder("宝物");
        put("宝物\\t", "treasure");
        // What the unpack may have left beside the pieces in place: a
        // backup the swap-in could not move, a private book while sharing.
        put("P.bak", "stale backup");
        if (status & 1) put("P_おともだち帳", "stale book");
        EndEncryptedSession(context_, "P", status);

        Entries expected = {{"Velmora.exe", ""}, {"P.apd", read("P.apd")}};
        if (status & 1) expected["おともだち帳"] = "book";
        if (status & 2) expected.merge(Entries{{"宝物", "<folder>"}, {"宝物\\t", "treasure"}});
        EXPECT_EQ(snapshot(), expected);

        launch(0, "P");
        EXPECT_EQ(read("Velmora設定.ppc"), "pet");
        EXPECT_EQ(read("Velmora設定.bak"), "backup");
        EXPECT_EQ(read("受信フォルダ\\a.ppm"), "mail");
        EXPECT_EQ(read("おともだち帳"), "book");
        EXPECT_EQ(read("宝物\\t"), "treasure");
    }
}

TEST_F(EncryptedSessionTest, AFailedPackDeletesNothing) {
    registerPets({{"P", 8}}, 0);
    put("P.apd", "old container");
    put("Velmora設定.ppc", "pet");
    putFolder("受信フォルダ");
    put("受信フォルダ\\" + std::string(250, 'n'), "mail with a long name");
    const auto before = snapshot();
    EXPECT_THROW(EndEncryptedSession(context_, "P", 8), FileError);
    EXPECT_EQ(snapshot(), before);
}

}  // namespace
}  // namespace orvane
