#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "PetOperationTest.h"
#include "ScriptedDir.h"
#include "ScriptedPrompts.h"
#include "platform/FileError.h"
#include "store/DiscardPet.h"
#include "store/SettleSession.h"

namespace orvane {
namespace {

using test::Entries;

class DiscardPetTest : public test::PetOperationTest {
protected:
    Entries withoutAny(const Entries& gone) const {
        Entries entries = snapshot();
        for (const auto& [name, bytes] : gone) entries.erase(name);
        return entries;
    }

    test::ScriptedPrompts prompts_;
};

TEST_F(DiscardPetTest, TheQuestionNamesThePetAndAnythingButYesChangesNothing) {
    const Entries before = snapshot();
    const std::string beforeSettings = settings();
    prompts_.answers = {MessageAnswer::No};
    EXPECT_FALSE(DiscardPet(context_, prompts_, 1, "P", 0));
    EXPECT_EQ(prompts_.messages, (std::vector<test::ShownMessage>{
                                     {"Pを捨てますか?\n捨てると二度と帰ってきません。", "警告",
                                      MessageIcon::Warning, MessageButtons::YesNo}}));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(settings(), beforeSettings);
}

TEST_F(DiscardPetTest, AStoredPlainPetLosesItsPiecesAndTheLaterPetsMoveDown) {
    const Entries expected = withoutAny(PPieces);
    ASSERT_TRUE(DiscardPet(context_, prompts_, 1, "P", 0));
    EXPECT_EQ(snapshot(), expected);
    EXPECT_EQ(registry_.names(), (std::vector<std::string>{"X", "E"}));
    EXPECT_EQ(registry_.status(1), 8);
    EXPECT_EQ(registry_.petInPlace(), 0);
}

TEST_F(DiscardPetTest, ThePetInPlaceLosesItsOwnPiecesInPlaceButNotTheSharedBook) {
    Entries expected = withoutAny(HostPieces);
    expected["おともだち帳"] = "shared book";
    ASSERT_TRUE(DiscardPet(context_, prompts_, 0, "X", 1));
    EXPECT_EQ(snapshot(), expected);
    EXPECT_EQ(registry_.petInPlace(), -1);
}

TEST_F(DiscardPetTest, AnEncryptedPetGoesOnlyWithItsPassword) {
    const Entries before = snapshot();
    const std::string beforeSettings = settings();
    const std::vector<std::optional<std::string>> answers = {std::nullopt, "wrong"};
    for (const auto& password : answers) {
        test::ScriptedPrompts prompts;
        prompts.passwords = {password};
        EXPECT_FALSE(DiscardPet(context_, prompts, 2, "E", 8));
        EXPECT_EQ(prompts.messages.size(), password ? 2u : 1u);
        if (password) {
            EXPECT_EQ(prompts.messages.back(),
                      (test::ShownMessage{"パスワードが不正です。", "エラー", MessageIcon::Error}));
        }
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(settings(), beforeSettings);
    }
    prompts_.passwords = {"pass-E"};
    ASSERT_TRUE(DiscardPet(context_, prompts_, 2, "E", 8));
    EXPECT_EQ(snapshot(), withoutAny({{"E.apd", ""}}));
    EXPECT_EQ(registry_.names(), (std::vector<std::string>{"X", "P"}));
}

// Added as encrypted, but its first session never ended: there is no
// container to ask a password for, only plain pieces.
TEST_F(DiscardPetTest, AnEncryptedPetWithoutAContainerGoesLikeAPlainOne) {
    registerPets({{"X", 1}, {"P", 0}, {"E", 8}, {"N", 8}}, 0);
    put("N.ppc", "N pet");
    const Entries expected = withoutAny({{"N.ppc", ""}});
    ASSERT_TRUE(DiscardPet(context_, prompts_, 3, "N", 8));
    EXPECT_EQ(prompts_.passwordsAsked, 0);
    EXPECT_EQ(snapshot(), expected);
    EXPECT_EQ(registry_.count(), 3);
}

TEST_F(DiscardPetTest, AContainerThatCannotBeDeletedIsReportedAndDeletedLater) {
    // The container's deletion is the last step of the discard.
    test::ScriptedDir counting(*dir_);
    const StoreContext countingContext{counting, names_, registry_, password_};
    prompts_.passwords = {"pass-E"};
    const std::string container = read("E.apd");
    ASSERT_TRUE(DiscardPet(countingContext, prompts_, 2, "E", 8));
    put("E.apd", container);
    registerPets({{"X", 1}, {"P", 0}, {"E", 8}}, 0);

    test::ScriptedDir failing(*dir_);
    failing.fault = test::Fault{counting.operations(), test::FaultMode::Fail};
    const StoreContext failingContext{failing, names_, registry_, password_};
    prompts_.passwords = {"pass-E"};
    EXPECT_THROW(DiscardPet(failingContext, prompts_, 2, "E", 8), FileError);
    // Out of the registry at once; what is left goes at the next chance.
    EXPECT_EQ(registry_.names(), (std::vector<std::string>{"X", "P"}));
    EXPECT_TRUE(has("E.apd"));
    EXPECT_EQ(registry_.session().discard, "E");
    ASSERT_TRUE(SettleSession(context_, [](const std::string&) { return std::nullopt; }));
    EXPECT_FALSE(has("E.apd"));
    EXPECT_TRUE(registry_.session().discard.empty());
}

}  // namespace
}  // namespace orvane
