#include <gtest/gtest.h>

#include "ScriptedPrompts.h"
#include "StoreTestSupport.h"
#include "platform/FileError.h"
#include "session/PetPreparation.h"
#include "store/ContainerErrors.h"
#include "store/EncryptedSession.h"
#include "store/UnlockPet.h"

namespace orvane {
namespace {

// Pet A plain and in place, pet P encrypted with "abcd" in its container:
// the launch of P stops with nothing changed or fails with P packed again.
class PetPreparationTest : public test::StoreTest {
protected:
    explicit PetPreparationTest(HostEdition edition = HostEdition::Standard) : StoreTest(edition) {
        registerPets({{"A", 7}, {"P", 9}}, 1);
        put(names_.settingsName + ".ppc", "p-pet");
        EndEncryptedSession(context_, "P", 9);
        put(names_.settingsName + ".ppc", "a-pet");
        registerPets({{"A", 7}, {"P", 9}}, 0);
        prompts_.passwords = {"abcd"};
    }
    bool launchP() {
        return preparePetForLaunch(context_, prompts_, 1, "P", askPasswordOf(context_, prompts_)).has_value();
    }

    test::ScriptedPrompts prompts_;
};

// A true check block, but a stored name that is not one of P's own.
TEST_F(PetPreparationTest, ADamagedContainerStopsTheLaunchWithNothingChanged) {
    put("Velmora.exe");
    put("P.apd", test::handContainer(test::KeyOfAbcd, {{"P.ppc", "pet"}, {"Q.ppc", "evil"}}));
    const auto before = snapshot();
    EXPECT_FALSE(launchP());
    EXPECT_EQ(prompts_.messages, (std::vector<test::ShownMessage>{{DamagedContainerMessage, "エラー", MessageIcon::Error}}));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(registry_.petInPlace(), 0);
}

class KidsPetPreparationTest : public PetPreparationTest {
protected:
    KidsPetPreparationTest() : PetPreparationTest(HostEdition::Kids) {}
};

// The launch has failed and is reported; the pet must not stay plain
// meanwhile: here no shared treasures supply the Kids host's plug-in files.
TEST_F(KidsPetPreparationTest, AnEncryptedPetWhoseSwapInFailsIsPackedAgainAtOnce) {
    put("VelmoraKids.exe");
    EXPECT_THROW(launchP(), FileError);
    EXPECT_TRUE(has("P.apd"));
    for (const auto& [name, bytes] : snapshot()) EXPECT_NE(bytes, "p-pet") << name;
    EXPECT_TRUE(registry_.session().plain.empty());
}

}  // namespace
}  // namespace orvane
