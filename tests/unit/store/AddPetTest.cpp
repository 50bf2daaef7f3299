#include <gtest/gtest.h>

#include <string>

#include "ScriptedPrompts.h"
#include "StoreTestSupport.h"
#include "store/AddPet.h"

namespace orvane {
namespace {

class AddPetTest : public test::StoreTest {
protected:
    std::string settings() const { return temp_.readFile("Orvane.ini"); }
};

TEST(PetOptions, StatusIsTheSumOfTheOptionsAndAnEncryptedPetNeverSharesLogs) {
    const struct {
        PetOptions options;
        int status;
    } cases[] = {
        {{true, true, true, false}, 7},  {{false, false, false, false}, 0}, {{true, false, false, false}, 4},
        {{false, true, false, false}, 2}, {{false, false, true, false}, 1},  {{false, true, false, true}, 10},
        {{true, true, true, true}, 11},  {{true, false, false, true}, 8},
    };
    for (const auto& c : cases) EXPECT_EQ(statusOf(c.options), c.status);
}

TEST_F(AddPetTest, RegistersTheTrimmedNameAtTheEndAndMakesNoFile) {
    registerPets({{"A", 7}, {"B", 6}}, 0);
    test::ScriptedPrompts prompts;
    const auto added = AddPet(registry_, prompts, "  C ", {true, false, true, false});
    ASSERT_TRUE(added);
    EXPECT_EQ(added->number, 2);
    EXPECT_EQ(added->name, "C");
    EXPECT_EQ(added->status, 5);
    EXPECT_EQ(registry_.names(), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(registry_.status(2), 5);
    EXPECT_EQ(prompts.passwordsAsked, 0);
    EXPECT_TRUE(snapshot().empty());
}

TEST_F(AddPetTest, AnEncryptedPetNeedsItsPasswordAndCancelWritesNothing) {
    registerPets({{"A", 7}}, 0);
    const std::string before = settings();
    test::ScriptedPrompts prompts;
    prompts.passwords = {std::nullopt, "secret"};
    EXPECT_FALSE(AddPet(registry_, prompts, "E", {true, true, true, true}));
    EXPECT_EQ(settings(), before);

    const auto added = AddPet(registry_, prompts, "E", {true, true, true, true});
    ASSERT_TRUE(added);
    EXPECT_EQ(added->status, 11);
    EXPECT_EQ(prompts.passwordsAsked, 2);
    EXPECT_TRUE(snapshot().empty());
}

TEST_F(AddPetTest, ARefusedNameAsksNoPasswordAndWritesNothing) {
    registerPets({{"Pochi", 7}}, 0);
    const std::string before = settings();
    for (const char* name : {"", "共有", "a|b", "POCHI"}) {
        test::ScriptedPrompts prompts;
        EXPECT_FALSE(AddPet(registry_, prompts, name, {false, false, false, true})) << name;
        EXPECT_EQ(prompts.passwordsAsked, 0);
        EXPECT_EQ(prompts.messages.size(), 1u);
    }
    EXPECT_EQ(settings(), before);
}

TEST_F(AddPetTest, AFullListTakesNoMorePet) {
    std::string file = "[PetList]\r\nentry=" + std::to_string(PetRegistry::MaxPets) + "\r\n";
    for (int i = 0; i < PetRegistry::MaxPets; ++i) file += "Petname" + std::to_string(i) + "=p" + std::to_string(i) + "\r\n";
    temp_.writeFile("Orvane.ini", file);
    test::ScriptedPrompts prompts;
    EXPECT_FALSE(AddPet(registry_, prompts, "new", {false, false, false, true}));
    EXPECT_EQ(prompts.messages,
              (std::vector<test::ShownMessage>{{"これ以上ペットを登録できません。", "エラー", MessageIcon::Error}}));
    EXPECT_EQ(prompts.passwordsAsked, 0);
    EXPECT_EQ(settings(), file);
}

TEST_F(AddPetTest, WithoutAnEntryKeyPetZeroStaysAndTheNewPetIsNumberOne) {
    temp_.writeFile("Orvane.ini", "[PetList]\r\nPetname0=Zero\r\n");
    test::ScriptedPrompts prompts;
    EXPECT_FALSE(AddPet(registry_, prompts, "zero", {}));
    const auto added = AddPet(registry_, prompts, "One", {});
    ASSERT_TRUE(added);
    EXPECT_EQ(added->number, 1);
    EXPECT_EQ(registry_.names(), (std::vector<std::string>{"Zero", "One"}));
}

}  // namespace
}  // namespace orvane
