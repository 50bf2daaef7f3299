#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "PetOperationTest.h"
#include "ScriptedPrompts.h"
#include "platform/FileError.h"
#include "store/ChangePet.h"

namespace orvane {
namespace {

using test::Entries;

const std::vector<std::string> Listed = {"X", "P", "E"};

class ChangePetTest : public test::PetOperationTest {
protected:
    std::optional<ChangedPet> change(int number, const std::string& oldName, const std::string& newName,
                                     const PetOptions& options) {
        return ChangePet(context_, prompts_, {number, oldName, newName, options, Listed});
    }

    // Everything but what the test names: the host's pieces, the shared
    // copies and the pets it does not change.
    Entries untouchedBut(const std::vector<const Entries*>& changed) const {
        Entries entries = snapshot();
        for (const Entries* group : changed) {
            for (const auto& [name, bytes] : *group) entries.erase(name);
        }
        return entries;
    }

    test::ScriptedPrompts prompts_;
};

const PetOptions Plain{false, false, false, false};
const PetOptions Encrypted{false, false, false, true};

TEST_F(ChangePetTest, APlainRenameMovesTheStoredPiecesAndUpdatesTheRegistry) {
    const Entries before = snapshot();
    const auto changed = change(1, "P", " Q ", Plain);
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->name, "Q");
    EXPECT_EQ(registry_.name(1), "Q");
    EXPECT_EQ(prompts_.passwordsAsked, 0);
    Entries expected = before;
    for (const auto& [name, bytes] : PPieces) {
        expected.erase(name);
        expected["Q" + name.substr(1)] = bytes;
    }
    EXPECT_EQ(snapshot(), expected);
}

TEST_F(ChangePetTest, ARefusalACancelOrAWrongPasswordChangesNothing) {
    const struct {
        const char* label;
        int number;
        const char* oldName;
        const char* newName;
        PetOptions options;
        std::vector<std::optional<std::string>> passwords;
        std::vector<std::string> messages;
    } cases[] = {
        {"another pet's name in other letter case", 1, "P", "x", Plain, {}, {"既に同じ名前のペットが存在します。"}},
        {"new password cancelled", 1, "P", "P", Encrypted, {std::nullopt}, {}},
        {"password cancelled", 2, "E", "E2", Plain, {std::nullopt}, {}},
        {"wrong password", 2, "E", "E2", Encrypted, {"wrong"}, {"パスワードが不正です。"}},
    };
    const Entries before = snapshot();
    const std::string beforeSettings = settings();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        test::ScriptedPrompts prompts;
        prompts.passwords.assign(c.passwords.begin(), c.passwords.end());
        EXPECT_FALSE(ChangePet(context_, prompts, {c.number, c.oldName, c.newName, c.options, Listed}));
        std::vector<std::string> shown;
        for (const auto& message : prompts.messages) shown.push_back(message.text);
        EXPECT_EQ(shown, c.messages);
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(settings(), beforeSettings);
    }
}

TEST_F(ChangePetTest, PlainToEncryptedPacksAStoredPetFromItsOwnNamesOnly) {
    prompts_.passwords = {"pass-P"};
    const Entries others = untouchedBut({&PPieces});
    const auto changed = change(1, "P", "P", Encrypted);
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->status, 8);
    EXPECT_EQ(registry_.status(1), 8);
    EXPECT_EQ(containerOf("P.apd", "pass-P"),
              (Entries{{"P.ppc", "P pet"}, {"P.bak", "P bak"}, {"P_受信フォルダ\\pm", "P mail"},
                       {"P_おともだち帳", "P book"}, {"P_宝物\\pt", "P treasure"}}));
    Entries expected = others;
    expected["P.apd"] = read("P.apd");
    EXPECT_EQ(snapshot(), expected);
}

TEST_F(ChangePetTest, ThePetInPlaceIsPackedFromTheHostsNamesAndItsSharedItemsStay) {
    prompts_.passwords = {"pass-X"};
    const auto changed = change(0, "X", "X2", {true, false, true, true});
    ASSERT_TRUE(changed);
    EXPECT_EQ(changed->status, 9);
    EXPECT_EQ(registry_.name(0), "X2");
    EXPECT_EQ(containerOf("X2.apd", "pass-X"),
              (Entries{{"X2.ppc", "X pet"}, {"X2.bak", "X bak"}, {"X2_受信フォルダ\\m", "X mail"},
                       {"X2_送信フォルダ\\s", "X sent"}, {"X2_宝物\\t", "X treasure"}}));
    for (const auto& [name, bytes] : HostPieces) EXPECT_EQ(has(name), name == "おともだち帳") << name;
    for (const auto& [name, bytes] : SharedCopies) EXPECT_TRUE(has(name)) << name;
}

// Without a pet file of its own and not named by "NowPet", a pet has
// nothing in place: the host's pieces are X's and stay out of its container.
TEST_F(ChangePetTest, APetWithNothingOnDiskTakesNothingOfThePetInPlace) {
    registerPets({{"X", 1}, {"P", 0}, {"E", 8}, {"N", 7}}, 0);
    prompts_.passwords = {"pass-N"};
    const Entries before = snapshot();
    ASSERT_TRUE(ChangePet(context_, prompts_, {3, "N", "N", Encrypted, {"X", "P", "E", "N"}}));
    EXPECT_TRUE(containerOf("N.apd", "pass-N").empty());
    Entries expected = before;
    expected["N.apd"] = read("N.apd");
    EXPECT_EQ(snapshot(), expected);
}

TEST_F(ChangePetTest, EncryptedToPlainUnpacksUnderTheNewNameAndDropsTheContainer) {
    prompts_.passwords = {"pass-E"};
    const Entries others = untouchedBut({});
    ASSERT_TRUE(change(2, "E", "F", Plain));
    EXPECT_EQ(registry_.name(2), "F");
    EXPECT_EQ(registry_.status(2), 0);
    Entries expected = others;
    expected.erase("E.apd");
    for (const auto& [name, bytes] : EPieces) expected["F" + name.substr(1)] = bytes;
    expected.merge(Entries{{"F_受信フォルダ", "<folder>"}, {"F_宝物", "<folder>"}});
    EXPECT_EQ(snapshot(), expected);
}

TEST_F(ChangePetTest, EncryptedToEncryptedRepacksUnderTheNewNameWithTheSamePassword) {
    prompts_.passwords = {"pass-E"};
    const Entries others = untouchedBut({});
    ASSERT_TRUE(change(2, "E", "F", Encrypted));
    EXPECT_EQ(prompts_.passwordsAsked, 1);
    Entries records;
    for (const auto& [name, bytes] : EPieces) records["F" + name.substr(1)] = bytes;
    EXPECT_EQ(containerOf("F.apd", "pass-E"), records);
    Entries expected = others;
    expected.erase("E.apd");
    expected["F.apd"] = read("F.apd");
    EXPECT_EQ(snapshot(), expected);
}

// "e.apd" is "E.apd" on Windows: deleting the old container after packing
// the new one would delete the pet.
TEST_F(ChangePetTest, RespellingAnEncryptedPetKeepsItsContainer) {
    prompts_.passwords = {"pass-E"};
    const Entries others = untouchedBut({});
    ASSERT_TRUE(change(2, "E", "e", Encrypted));
    EXPECT_EQ(registry_.name(2), "e");
    // Whichever spelling the file system kept for the container.
    const auto containers = dir_->list("e.apd");
    ASSERT_EQ(containers.size(), 1u);
    Entries records;
    for (const auto& [name, bytes] : EPieces) records["e" + name.substr(1)] = bytes;
    EXPECT_EQ(containerOf(containers[0].name, "pass-E"), records);
    Entries expected = others;
    expected.erase("E.apd");
    expected[containers[0].name] = read(containers[0].name);
    EXPECT_EQ(snapshot(), expected);
}

TEST_F(ChangePetTest, AFileThatCannotBeUnpackedStopsTheChangeBeforeTheContainerGoes) {
    // A folder where the empty mail file is to go.
    putFolder("E_受信フォルダ");
    putFolder("E_受信フォルダ\\zero");
    prompts_.passwords = {"pass-E"};
    EXPECT_THROW(change(2, "E", "E", Plain), FileError);
    EXPECT_TRUE(has("E.apd"));
    EXPECT_EQ(registry_.status(2), 8);
    // The plain pieces beside the container are left to be packed again.
    EXPECT_EQ(registry_.session().plain, "E");
}

}  // namespace
}  // namespace orvane
