// Sequences across a session's end and the next launch: the newest bytes of
// a pet win over its container, nothing of an encrypted pet stays plain
// once a launch has failed, and nothing private becomes shared.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "ScriptedPrompts.h"
#include "StoreTestSupport.h"
#include "platform/FileError.h"
#include "session/PetPreparation.h"
#include "store/EncryptedSession.h"
#include "store/PetFiles.h"
#include "store/SettleSession.h"
#include "store/SwapIn.h"
#include "store/UnlockPet.h"

namespace orvane {
namespace {

using test::ScriptedPrompts;

class SessionSafetyTest : public test::StoreTest {
protected:
    explicit SessionSafetyTest(HostEdition edition = HostEdition::Standard) : StoreTest(edition) {}

    std::optional<PreparedPet> launch(int number, const std::string& pet) {
        return preparePetForLaunch(context_, prompts_, number, pet, askPasswordOf(context_, prompts_));
    }

    // Pet A plain, pet P encrypted with "abcd": P in place after a session
    // whose pet file now reads "version 2", its container still "version 1".
    void encryptedPetInPlaceAfterItsSession() {
        registerPets({{"A", 7}, {"P", 11}}, 1);
        put("Velmora.exe");
        put("A.ppc", "a-pet");
        put("Velmora設定.ppc", "version 1");
        EndEncryptedSession(context_, "P", 11);
        ASSERT_TRUE(has("P.apd"));
        prompts_.passwords = {"abcd"};
        ASSERT_TRUE(launch(1, "P"));
        put("Velmora設定.ppc", "version 2");
    }

    ScriptedPrompts prompts_;
};

TEST_F(SessionSafetyTest, APackThatFailsKeepsTheNewestBytesThroughTheNextLaunches) {
    encryptedPetInPlaceAfterItsSession();
    // A name the container cannot store: the end of the session fails.
    putFolder("受信フォルダ");
    put("受信フォルダ\\café.jpg", "photo");
    EXPECT_THROW(SettleSession(context_, [](const std::string&) { return std::string("abcd"); }), FileError);
    EXPECT_EQ(registry_.session().plain, "P");

    // Another pet may not push P's plain pieces aside while they cannot be packed.
    prompts_.passwords = {"abcd"};
    EXPECT_THROW(launch(0, "A"), FileError);
    EXPECT_FALSE(has("P.ppc"));
    EXPECT_FALSE(has("共有_受信フォルダ"));

    // P again: its newest pieces are used, not its old container.
    put("受信フォルダ\\cafe.jpg", "photo");
    dir_->deleteFile("受信フォルダ\\café.jpg");
    prompts_.passwords = {"abcd"};
    ASSERT_TRUE(launch(1, "P"));
    EXPECT_EQ(read("Velmora設定.ppc"), "version 2");
    ASSERT_TRUE(SettleSession(context_, [](const std::string&) { return std::string("abcd"); }));
    EXPECT_FALSE(has("Velmora設定.ppc"));
    EXPECT_FALSE(has("受信フォルダ"));
    prompts_.passwords = {"abcd"};
    ASSERT_TRUE(launch(1, "P"));
    EXPECT_EQ(read("Velmora設定.ppc"), "version 2");
    EXPECT_EQ(read("受信フォルダ\\cafe.jpg"), "photo");
}

TEST_F(SessionSafetyTest, ASwapInOntoATakenNameRefusesBeforeAnyWrite) {
    registerPets({{"A", 7}, {"B", 7}}, 0);
    put("Velmora.exe");
    put("Velmora設定.ppc", "a-pet");
    put("B.ppc", "b-pet");
    put("A.ppc", "stale");
    const auto before = snapshot();
    EXPECT_THROW(launch(1, "B"), FileError);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(registry_.petInPlace(), 0);
}

TEST_F(SessionSafetyTest, ItemsAPetKeptToItselfNeverBecomeShared) {
    // No shared copy of the logs exists anywhere: only the flags at the
    // swap-in tell that the logs in place are A's own.
    registerPets({{"A", 3}, {"B", 7}}, 1);
    put("Velmora.exe");
    put("A.ppc", "a-pet");
    putFolder("A_受信フォルダ");
    put("A_受信フォルダ\\m.ppm", "private mail");
    ASSERT_TRUE(launch(0, "A"));
    ASSERT_TRUE(launch(1, "B"));
    EXPECT_FALSE(has("共有_受信フォルダ"));
    EXPECT_EQ(read("A_受信フォルダ\\m.ppm"), "private mail");

    ASSERT_TRUE(launch(0, "A"));
    DeletePetFiles(context_, "A", isPetInPlace(context_, 0, "A"));
    EXPECT_FALSE(has("受信フォルダ"));
}

class KidsSessionSafetyTest : public SessionSafetyTest {
protected:
    KidsSessionSafetyTest() : SessionSafetyTest(HostEdition::Kids) {}
};

TEST_F(KidsSessionSafetyTest, ATreasuresSupplyThatFailsPacksTheEncryptedPetAgain) {
    // No shared treasures to copy the plug-in files from.
    registerPets({{"A", 7}, {"P", 9}}, 1);
    put("VelmoraKids.exe");
    put(names_.settingsName + ".ppc", "p-pet");
    EndEncryptedSession(context_, "P", 9);
    registerPets({{"A", 7}, {"P", 9}}, 0);
    prompts_.passwords = {"abcd"};
    EXPECT_THROW(launch(1, "P"), FileError);
    EXPECT_TRUE(has("P.apd"));
    EXPECT_FALSE(has("P.ppc"));
    EXPECT_FALSE(has(names_.settingsName + ".ppc"));
    EXPECT_TRUE(registry_.session().plain.empty());
}

}  // namespace
}  // namespace orvane
