#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "ScriptedPrompts.h"
#include "StoreTestSupport.h"
#include "platform/FileError.h"
#include "session/PetPreparation.h"
#include "store/ContainerErrors.h"
#include "store/EncryptedSession.h"
#include "store/UnlockPet.h"

namespace orvane {
namespace {

using test::ScriptedPrompts;
using test::ShownMessage;

class PetPreparationTest : public test::StoreTest {
protected:
    void SetUp() override { put("Velmora.exe"); }

    // Pet A plain and in place, pet P encrypted with "abcd" in its container.
    void placeAWithPInContainer() {
        registerPets({{"A", 7}, {"P", 11}}, 1);
        put("Velmora設定.ppc", "p-pet");
        EndEncryptedSession(context_, "P", 11);
        ASSERT_TRUE(has("P.apd"));
        put("Velmora設定.ppc", "a-pet");
        registerPets({{"A", 7}, {"P", 11}}, 0);
    }

    // The status of the pet made ready, nullopt when the launch stopped.
    std::optional<int> prepare(ScriptedPrompts& prompts, int number, const std::string& pet,
                               const std::optional<std::string>& given = std::nullopt) {
        const auto prepared =
            preparePetForLaunch(context_, prompts, number, pet, askPasswordOf(context_, prompts), given);
        if (!prepared) return std::nullopt;
        return prepared->status;
    }
};

TEST_F(PetPreparationTest, APlainPetIsSwappedInWithoutAPassword) {
    registerPets({{"A", 7}, {"B", 6}}, 0);
    put("Velmora設定.ppc", "a-pet");
    put("B.ppc", "b-pet");
    ScriptedPrompts prompts;

    EXPECT_EQ(prepare(prompts, 1, "B"), 6);
    EXPECT_EQ(prompts.passwordsAsked, 0);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(read("Velmora設定.ppc"), "b-pet");
    EXPECT_EQ(read("A.ppc"), "a-pet");
    EXPECT_EQ(registry_.petInPlace(), 1);
}

TEST_F(PetPreparationTest, AnEncryptedPetIsUnpackedWithTheGivenPasswordAndSwappedIn) {
    placeAWithPInContainer();
    password_ = "something else";
    ScriptedPrompts prompts;
    prompts.passwords = {"abcd"};

    EXPECT_EQ(prepare(prompts, 1, "P"), 11);
    EXPECT_EQ(prompts.passwordsAsked, 1);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(read("Velmora設定.ppc"), "p-pet");
    EXPECT_EQ(read("A.ppc"), "a-pet");
    EXPECT_EQ(registry_.petInPlace(), 1);
}

TEST_F(PetPreparationTest, AStoppedLaunchChangesNothing) {
    const ShownMessage wrongPassword{"パスワードが不正です。", "エラー", MessageIcon::Error, MessageButtons::Ok};
    const ShownMessage damaged{DamagedContainerMessage, "エラー", MessageIcon::Error, MessageButtons::Ok};
    const struct {
        const char* what;
        std::optional<std::string> answer;
        bool damageContainer;
        std::vector<ShownMessage> messages;
    } cases[] = {
        {"password cancelled", std::nullopt, false, {}},
        {"wrong password", "abce", false, {wrongPassword}},
        {"damaged container", "abcd", true, {damaged}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        clearInstallDir();
        put("Velmora.exe");
        placeAWithPInContainer();
        // A true check block, but a stored name that is not one of P's own.
        if (c.damageContainer) put("P.apd", test::handContainer(test::KeyOfAbcd, {{"P.ppc", "pet"}, {"Q.ppc", "evil"}}));
        const auto before = snapshot();
        ScriptedPrompts prompts;
        prompts.passwords = {c.answer};

        EXPECT_EQ(prepare(prompts, 1, "P"), std::nullopt);
        EXPECT_EQ(prompts.messages, c.messages);
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(registry_.petInPlace(), 0);
    }
}

TEST_F(PetPreparationTest, AnEncryptedPetWithoutContainerOrPasswordIsGivenOne) {
    registerPets({{"A", 7}, {"N", 11}}, 0);
    put("Velmora設定.ppc", "a-pet");
    const struct {
        const char* what;
        std::optional<std::string> given;
        std::deque<std::optional<std::string>> answers;
        std::optional<int> result;
        int asked;
    } cases[] = {
        {"password typed when the pet was added", "abcd", {}, 11, 0},
        {"not typed: asked, whatever password the program holds", std::nullopt, {"wxyz"}, 11, 1},
        {"not typed: cancelled", std::nullopt, {std::nullopt}, std::nullopt, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        registry_.setPetInPlace(0);
        password_ = "another pet's";
        ScriptedPrompts prompts;
        prompts.passwords = c.answers;
        EXPECT_EQ(prepare(prompts, 1, "N", c.given), c.result);
        EXPECT_EQ(prompts.passwordsAsked, c.asked);
        EXPECT_EQ(registry_.petInPlace(), c.result ? 1 : 0);
    }
}

}  // namespace
}  // namespace orvane
