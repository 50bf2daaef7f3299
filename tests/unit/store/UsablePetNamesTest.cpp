#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "PetOperationTest.h"
#include "ScriptedPrompts.h"
#include "session/PetPreparation.h"
#include "store/ChangePet.h"
#include "store/DiscardPet.h"
#include "store/PetNames.h"
#include "store/SwapIn.h"
#include "store/UnlockPet.h"
#include "store/UsablePetNames.h"

namespace orvane {
namespace {

struct HandEditedName {
    std::string name;   // as the settings file holds it
    std::string shown;  // in the message
};

// Names an editor can put into the settings file but the name rules refuse.
const std::vector<HandEditedName> UnusableNames = {
    {"..\\P", "..\\P"},
    {std::string("P\0X", 3), "P□X"},
    {"P\tX", "P□X"},
    {"P:X", "P:X"},
    {"共有", "共有"},
    {"CON", "CON"},
    {"Velmora設定", "Velmora設定"},
    {std::string(51, 'P'), std::string(50, 'P') + "…"},
    {"", ""},
};

std::string refusal(const std::string& shown) {
    if (shown.empty()) return "名前のないペットは操作できません。\n設定ファイルを確認してください。";
    return "「" + shown + "」は使えない名前のため操作できません。\n設定ファイルを確認してください。";
}

class UsablePetNamesTest : public test::PetOperationTest {};

// Each operation acts on pet 1 named `name`, or launches P while a pet
// named `name` is in place; the list shows the name as shownPetName does.
TEST_F(UsablePetNamesTest, EveryOperationOnAPetWithAnUnusableNameIsRefusedBeforeAnyWrite) {
    using Operation = std::function<bool(test::ScriptedPrompts&, const std::string& listed)>;
    const struct {
        const char* what;
        bool badPetInPlace;
        Operation run;
    } operations[] = {
        {"launch", false,
         [&](test::ScriptedPrompts& prompts, const std::string& listed) {
             return preparePetForLaunch(context_, prompts, 1, listed, askPasswordOf(context_, prompts)).has_value();
         }},
        {"change", false,
         [&](test::ScriptedPrompts& prompts, const std::string& listed) {
             return ChangePet(context_, prompts, {1, listed, "Q", {}, {"X", listed, "E"}}).has_value();
         }},
        {"discard", false,
         [&](test::ScriptedPrompts& prompts, const std::string& listed) {
             return DiscardPet(context_, prompts, 1, listed, 0);
         }},
        {"launch beside it", true,
         [&](test::ScriptedPrompts& prompts, const std::string&) {
             return preparePetForLaunch(context_, prompts, 1, "P", askPasswordOf(context_, prompts)).has_value();
         }},
    };
    for (const auto& operation : operations) {
        for (const auto& [name, shown] : UnusableNames) {
            SCOPED_TRACE(std::string(operation.what) + " \"" + shown + "\"");
            if (operation.badPetInPlace) {
                registerPets({{name, 1}, {"P", 0}, {"E", 8}}, 0);
            } else {
                registerPets({{"X", 1}, {name, 0}, {"E", 8}}, 1);
            }
            const auto before = snapshot();
            const std::string beforeSettings = settings();
            test::ScriptedPrompts prompts;

            EXPECT_FALSE(operation.run(prompts, shownPetName(name)));
            EXPECT_EQ(prompts.messages,
                      (std::vector<test::ShownMessage>{{refusal(shown), "エラー", MessageIcon::Error}}));
            EXPECT_EQ(prompts.passwordsAsked, 0);
            EXPECT_EQ(snapshot(), before);
            EXPECT_EQ(settings(), beforeSettings);
        }
    }
}

TEST_F(UsablePetNamesTest, TheSwapInItselfRefusesToStoreThePetInPlaceUnderAnUnusableName) {
    registerPets({{"..\\P", 1}, {"P", 0}, {"E", 8}}, 0);
    const auto before = snapshot();
    const std::string beforeSettings = settings();
    EXPECT_THROW(SwapIn(context_, 1, "P"), UnusablePetName);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(settings(), beforeSettings);
}

TEST(ShownPetName, AUsableNameShowsAsItIs) {
    for (const char* name : {"ポチ", "予定", " a b ", "名名名名名名名名名名名名名名名名名名名名名名名名名"}) {
        EXPECT_TRUE(isUsablePetName(name)) << name;
        EXPECT_EQ(shownPetName(name), name);
    }
}

}  // namespace
}  // namespace orvane
