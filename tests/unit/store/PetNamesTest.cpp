#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "ScriptedPrompts.h"
#include "store/PetNames.h"

namespace orvane {
namespace {

const std::string ForbiddenOnAdd =
    "ペットの名前に次の文字はつかえません。\n　　　　　　\\ / : ; , * ? \" < > |";
const std::string ForbiddenOnChange =
    "ペットの名前に以下の文字はつかえません。\n　　　　　　\\ / : ; , * ? \" < > |";

struct NameCase {
    std::string typed;
    std::optional<std::string> accepted;  // the stored name, or nullopt
    std::string message = {};             // when refused
    MessageIcon icon = MessageIcon::Error;
};

void expectCases(const std::vector<NameCase>& cases, const NameRules& rules) {
    for (const NameCase& c : cases) {
        SCOPED_TRACE("typed \"" + c.typed + "\"");
        test::ScriptedPrompts prompts;
        EXPECT_EQ(ValidatePetName(prompts, c.typed, rules), c.accepted);
        if (c.accepted) {
            EXPECT_TRUE(prompts.messages.empty());
        } else {
            EXPECT_EQ(prompts.messages, (std::vector<test::ShownMessage>{{c.message, "エラー", c.icon}}));
        }
    }
}

TEST(ValidatePetName, AddChecksEachRuleInOrder) {
    expectCases(
        {
            {"", std::nullopt, "名前が設定されていません。"},
            {" \t\r\n\v\f ", std::nullopt, "名前が設定されていません。"},
            {"共有", std::nullopt, "この名前は予約されています。"},
            {"  共有 ", std::nullopt, "この名前は予約されています。"},
            {"ポチ:", std::nullopt, ForbiddenOnAdd},
            // Reserved before forbidden characters, as the steps go.
            {"共有:", std::nullopt, ForbiddenOnAdd},
            {"  ポチ  ", "ポチ"},
            // A full-width space is no white space here.
            {"　ポチ　", "　ポチ　"},
            // Their second cp932 byte is that of "\": still allowed.
            {"予定", "予定"},
            {"ソフト表", "ソフト表"},
            {"a.b_c", "a.b_c"},
            {"ポ\tチ", std::nullopt, "ペットの名前に使えない文字が含まれています。"},
            {"ポチ😀", std::nullopt, "ペットの名前に使えない文字が含まれています。"},
            {std::string(50, 'a'), std::string(50, 'a')},
            {std::string(51, 'a'), std::nullopt, "ペットの名前が長すぎます。"},
            {"名名名名名名名名名名名名名名名名名名名名名名名名名", "名名名名名名名名名名名名名名名名名名名名名名名名名"},
            {"名名名名名名名名名名名名名名名名名名名名名名名名名a", std::nullopt, "ペットの名前が長すぎます。"},
            {"タマ", std::nullopt, "既に同じ名前のペットが存在します。", MessageIcon::None},
        },
        {NameUse::Add, {"タマ", "Tama"}, {}});
}

TEST(ValidatePetName, EveryForbiddenCharacterIsRefusedWithTheOperationsMessage) {
    for (const char c : std::string("\\/:;,*?\"<>|")) {
        const std::string name = std::string("a") + c + "b";
        expectCases({{name, std::nullopt, ForbiddenOnAdd}}, {NameUse::Add, {}, {}});
        expectCases({{name, std::nullopt, ForbiddenOnChange}}, {NameUse::Change, {"x"}, "x"});
    }
}

TEST(ValidatePetName, NamesOfTheHostsOwnFilesAndDevicesAreReserved) {
    std::vector<NameCase> cases;
    for (const char* name : {"Velmora設定", "velmora設定", "VelmoraKids設定", "むかしのVelmora設定",
                             "変更前のVELMORAKIDS設定", "CON", "con", "Lpt1", "nul.x", "AUX "}) {
        cases.push_back({name, std::nullopt, "この名前は予約されています。"});
    }
    cases.push_back({"Velmora設定2", "Velmora設定2"});
    cases.push_back({"CONSOLE", "CONSOLE"});
    expectCases(cases, {NameUse::Add, {}, {}});
}

// Windows keeps "Pochi.ppc" and "POCHI.ppc" in one file.
TEST(ValidatePetName, NamesThatDifferOnlyInLetterCaseAreDuplicates) {
    const std::string duplicate = "既に同じ名前のペットが存在します。";
    expectCases(
        {
            {"pochi", std::nullopt, duplicate, MessageIcon::None},
            {"ＴＡＭＡ", std::nullopt, duplicate, MessageIcon::None},
            {"Ｔａｍａ", std::nullopt, duplicate, MessageIcon::None},
            {"Pochi2", "Pochi2"},
            {"Tama", "Tama"},
        },
        {NameUse::Add, {"Pochi", "ｔａｍａ"}, {}});
}

TEST(ValidatePetName, AChangeMayKeepOrRespellThePetsOwnName) {
    const std::string duplicate = "既に同じ名前のペットが存在します。";
    const NameRules rules{NameUse::Change, {"Pochi", "Tama", "Pochi"}, "Pochi"};
    expectCases(
        {
            {"Pochi", "Pochi"},
            {" POCHI ", "POCHI"},
            {"tama", std::nullopt, duplicate, MessageIcon::None},
            {"Mike", "Mike"},
        },
        rules);
}

}  // namespace
}  // namespace orvane
