#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "StoreTestSupport.h"
#include "platform/FileError.h"
#include "session/PetPreparation.h"
#include "store/ContainerErrors.h"
#include "store/EncryptedSession.h"

namespace orvane {
namespace {

struct ShownMessage {
    std::string text;
    std::string title;
    MessageIcon icon;
    bool operator==(const ShownMessage&) const = default;
};

// Answers the password dialog from a script. Like the program's own
// prompts, it leaves a confirmed password in the application's buffer.
class ScriptedPrompts : public Prompts {
public:
    ScriptedPrompts(std::string& currentPassword, std::optional<std::string> answer)
        : currentPassword_(currentPassword), answer_(std::move(answer)) {}

    std::optional<std::string> askPassword() override {
        ++asked;
        if (answer_) currentPassword_ = *answer_;
        return answer_;
    }
    MessageAnswer showMessage(const std::string& text, const std::string& title, MessageIcon icon,
                              MessageButtons) override {
        messages.push_back({text, title, icon});
        return MessageAnswer::Ok;
    }

    int asked = 0;
    std::vector<ShownMessage> messages;

private:
    std::string& currentPassword_;
    std::optional<std::string> answer_;
};

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
};

TEST_F(PetPreparationTest, APlainPetIsSwappedInWithoutAPassword) {
    registerPets({{"A", 7}, {"B", 6}}, 0);
    put("Velmora設定.ppc", "a-pet");
    put("B.ppc", "b-pet");
    ScriptedPrompts prompts(password_, std::nullopt);

    EXPECT_EQ(preparePetForLaunch(context_, prompts, 1, "B"), 6);
    EXPECT_EQ(prompts.asked, 0);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(read("Velmora設定.ppc"), "b-pet");
    EXPECT_EQ(read("A.ppc"), "a-pet");
    EXPECT_EQ(registry_.petInPlace(), 1);
}

TEST_F(PetPreparationTest, AnEncryptedPetIsUnpackedWithTheGivenPasswordAndSwappedIn) {
    placeAWithPInContainer();
    password_ = "something else";
    ScriptedPrompts prompts(password_, "abcd");

    EXPECT_EQ(preparePetForLaunch(context_, prompts, 1, "P"), 11);
    EXPECT_EQ(prompts.asked, 1);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(read("Velmora設定.ppc"), "p-pet");
    EXPECT_EQ(read("A.ppc"), "a-pet");
    EXPECT_EQ(registry_.petInPlace(), 1);
}

TEST_F(PetPreparationTest, AStoppedLaunchChangesNothing) {
    const ShownMessage wrongPassword{"パスワードが不正です。", "エラー", MessageIcon::Error};
    const ShownMessage damaged{DamagedContainerMessage, "エラー", MessageIcon::Error};
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
        ScriptedPrompts prompts(password_, c.answer);

        EXPECT_EQ(preparePetForLaunch(context_, prompts, 1, "P"), std::nullopt);
        EXPECT_EQ(prompts.messages, c.messages);
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(registry_.petInPlace(), 0);
    }
}

}  // namespace
}  // namespace orvane
