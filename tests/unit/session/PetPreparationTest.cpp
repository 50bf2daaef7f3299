#include <gtest/gtest.h>

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

class PetPreparationTest : public test::StoreTest {
protected:
    explicit PetPreparationTest(HostEdition edition = HostEdition::Standard) : StoreTest(edition) {}

    // Pet A plain and in place, pet P encrypted with "abcd" in its container.
    void placeAWithPInContainer(int pStatus = 11) {
        registerPets({{"A", 7}, {"P", pStatus}}, 1);
        put(names_.settingsName + ".ppc", "p-pet");
        EndEncryptedSession(context_, "P", pStatus);
        put(names_.settingsName + ".ppc", "a-pet");
        registerPets({{"A", 7}, {"P", pStatus}}, 0);
    }
    bool launchP(ScriptedPrompts& prompts) {
        return preparePetForLaunch(context_, prompts, 1, "P", askPasswordOf(context_, prompts)).has_value();
    }
};

// A cancelled or wrong password, or a container that is damaged, stops the
// launch before anything changes; the user is told what was wrong.
TEST_F(PetPreparationTest, AStoppedLaunchChangesNothing) {
    const struct { std::optional<std::string> answer; bool damage; std::vector<test::ShownMessage> told; } cases[] = {
        {std::nullopt, false, {}},
        {"abce", false, {{"パスワードが不正です。", "エラー", MessageIcon::Error}}},
        {"abcd", true, {{DamagedContainerMessage, "エラー", MessageIcon::Error}}},
    };
    for (const auto& c : cases) {
        clearInstallDir();
        put("Velmora.exe");
        placeAWithPInContainer();
        // A true check block, but a stored name that is not one of P's own.
        if (c.damage) put("P.apd", test::handContainer(test::KeyOfAbcd, {{"P.ppc", "pet"}, {"Q.ppc", "evil"}}));
        const auto before = snapshot();
        ScriptedPrompts prompts;
        prompts.passwords = {c.answer};
        EXPECT_FALSE(launchP(prompts)) << c.answer.value_or("cancel");
        EXPECT_EQ(prompts.messages, c.told) << c.answer.value_or("cancel");
        EXPECT_EQ(snapshot(), before) << c.answer.value_or("cancel");
        EXPECT_EQ(registry_.petInPlace(), 0) << c.answer.value_or("cancel");
    }
}

class KidsPetPreparationTest : public PetPreparationTest {
protected:
    KidsPetPreparationTest() : PetPreparationTest(HostEdition::Kids) {}
};

// The launch has failed and is reported; the pet must not stay plain
// meanwhile: here no shared treasures supply the plug-in files.
TEST_F(KidsPetPreparationTest, AnEncryptedPetWhoseSwapInFailsIsPackedAgainAtOnce) {
    put("VelmoraKids.exe");
    placeAWithPInContainer(9);
    ScriptedPrompts prompts;
    prompts.passwords = {"abcd"};
    EXPECT_THROW(launchP(prompts), FileError);
    EXPECT_TRUE(has("P.apd"));
    for (const auto& [name, bytes] : snapshot()) EXPECT_NE(bytes, "p-pet") << name;
    EXPECT_TRUE(registry_.session().plain.empty());
}

}  // namespace
}  // namespace orvane
