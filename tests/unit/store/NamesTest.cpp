#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ScriptedPrompts.h"
#include "StoreTestSupport.h"
#include "session/PetPreparation.h"
#include "store/ChangePet.h"
#include "store/ContainerErrors.h"
#include "store/DiscardPet.h"
#include "store/PetLayout.h"
#include "store/PetNames.h"
#include "store/StoredNames.h"
#include "store/SwapIn.h"
#include "store/UnlockPet.h"
#include "store/UsablePetNames.h"

namespace orvane {
namespace {

using test::cp932;

const std::string NoName = "名前が設定されていません。", Reserved = "この名前は予約されています。",
                  Unusable = "ペットの名前に使えない文字が含まれています。", TooLong = "ペットの名前が長すぎます。",
                  Duplicate = "既に同じ名前のペットが存在します。";

TEST(PetNames, EachRuleRefusesWithItsMessage) {
    const NameRules add{NameUse::Add, {"タマ", "Pochi", "ｔａｍａ"}, {}};
    const NameRules change{NameUse::Change, {"Pochi", "Tama", "Pochi"}, "Pochi"};
    const std::string kanji25 = "名名名名名名名名名名名名名名名名名名名名名名名名名";
    struct Row {
        std::string typed;
        const NameRules& rules;
        std::optional<std::string> accepted;  // else the message
        std::string message = {};
        MessageIcon icon = MessageIcon::Error;
    };
    std::vector<Row> rows = {
        {"", add, std::nullopt, NoName}, {" \t\r\n\v\f ", add, std::nullopt, NoName},
        {"共有", add, std::nullopt, Reserved}, {"  共有 ", add, std::nullopt, Reserved},
        {"  ポチ  ", add, "ポチ"}, {"a b", add, "a b"}, {"　ポチ　", add, "　ポチ　"},  // a full-width space is no white space
        {"予定", add, "予定"}, {"ソフト表", add, "ソフト表"}, {"a.b_c", add, "a.b_c"},  // a second cp932 byte of "\"
        {"ポ\tチ", add, std::nullopt, Unusable}, {"a\x7F", add, std::nullopt, Unusable}, {"ポチ😀", add, std::nullopt, Unusable},
        {std::string(50, 'a'), add, std::string(50, 'a')}, {std::string(51, 'a'), add, std::nullopt, TooLong},
        {kanji25, add, kanji25}, {kanji25 + "a", add, std::nullopt, TooLong},
        {"Velmora設定", add, std::nullopt, Reserved}, {"velmora設定", add, std::nullopt, Reserved},
        {"VelmoraKids設定", add, std::nullopt, Reserved}, {"むかしのVelmora設定", add, std::nullopt, Reserved},
        {"変更前のVELMORAKIDS設定", add, std::nullopt, Reserved}, {"Velmora設定2", add, "Velmora設定2"},
        {"CON", add, std::nullopt, Reserved}, {"con", add, std::nullopt, Reserved}, {"Lpt1", add, std::nullopt, Reserved},
        {"nul.x", add, std::nullopt, Reserved}, {"AUX ", add, std::nullopt, Reserved}, {"CONSOLE", add, "CONSOLE"},
        // Windows keeps "Pochi.ppc" and "POCHI.ppc" in one file.
        {"タマ", add, std::nullopt, Duplicate, MessageIcon::None}, {"pochi", add, std::nullopt, Duplicate, MessageIcon::None},
        {"ＴＡＭＡ", add, std::nullopt, Duplicate, MessageIcon::None}, {"Pochi2", add, "Pochi2"}, {"Tama", add, "Tama"},
        {"Pochi", change, "Pochi"}, {" POCHI ", change, "POCHI"}, {"tama", change, std::nullopt, Duplicate, MessageIcon::None},
    };
    for (const char c : std::string("\\/:;,*?\"<>|")) {
        const std::string list = "の文字はつかえません。\n　　　　　　\\ / : ; , * ? \" < > |";
        rows.push_back({std::string("a") + c + "b", add, std::nullopt, "ペットの名前に次" + list});
        rows.push_back({std::string("共有") + c, change, std::nullopt, "ペットの名前に以下" + list});
    }
    for (const Row& row : rows) {
        test::ScriptedPrompts prompts;
        EXPECT_EQ(ValidatePetName(prompts, row.typed, row.rules), row.accepted) << "typed \"" << row.typed << "\"";
        const auto shown = row.accepted ? std::vector<test::ShownMessage>{}
                                        : std::vector<test::ShownMessage>{{row.message, "エラー", row.icon}};
        EXPECT_EQ(prompts.messages, shown) << "typed \"" << row.typed << "\"";
    }
}

TEST(StoredNames, OnlySafeNamesOfThePetsOwnPiecesAreWritten) {
    for (const std::string safe : {"P.ppc", "予.ppc", "P_受信フォルダ\\a.ppm", "a b.txt", ".hidden", "x.", "CONSOLE", "COM10", "LPT", "xCON"}) {
        EXPECT_TRUE(isSafeStoredName(safe)) << safe;
    }
    for (const std::string unsafe : {"", ".", "..", "...", " ", ". .", "a\\b\\c", "..\\x", "P_受信フォルダ\\..", "P_受信フォルダ\\",
                                     "\\abs", "a/b", "C:x", "x\x01y", "a\x7F", "tab\there", "a*b", "a?b", "a\"b", "a<b", "a>b",
                                     "a|b", "CON", "con.txt", "LPT1", "nul .txt", "COM9.log", "Aux", "conin$", "P_受信フォルダ\\PRN"}) {
        EXPECT_FALSE(isSafeStoredName(unsafe)) << unsafe;
    }
    const FolderNameTable names = FolderNameTable::forEdition(HostEdition::Standard);
    const PetLayout layout(names);
    const struct {
        std::string pet;
        std::string stored;  // UTF-8 here, cp932 when checked
        std::optional<std::string> own;
    } rows[] = {
        {"P", "P.ppc", "P.ppc"}, {"P", "P.bak", "P.bak"}, {"P", "P_おともだち帳", "P_おともだち帳"},
        {"P", "P_受信フォルダ\\0001.ppm", "P_受信フォルダ\\0001.ppm"}, {"P", "P_送信フォルダ\\送信.ppl", "P_送信フォルダ\\送信.ppl"},
        {"P", "P_宝物\\tzl001.pac", "P_宝物\\tzl001.pac"}, {"予", "予_受信フォルダ\\予.ppm", "予_受信フォルダ\\予.ppm"},
        {"a.b_c", "a.b_c.ppc", "a.b_c.ppc"}, {"a.b_c", "a.b_c_宝物\\x", "a.b_c_宝物\\x"},
        // A pet respelled in letter case keeps a container with its names spelled the old way.
        {"P", "p.ppc", "P.ppc"}, {"P", "p_受信フォルダ\\Mail.ppm", "P_受信フォルダ\\Mail.ppm"},
        {"P", "Q.ppc", {}}, {"P", "P.apd", {}}, {"P", "P.ppcx", {}}, {"P", "Velmora設定.ppc", {}}, {"P", "共有_宝物\\x", {}},
        {"P", "P_受信フォルダ", {}}, {"P", "P_おともだち帳\\x", {}}, {"P", "P.ppc\\x", {}}, {"P", "P_受信フォルダ\\sub\\x", {}},
        {"P", "P_受信フォルダ\\..", {}}, {"P", "P_受信フォルダ/x", {}}, {"P", "P_受信フォルダ\\CON", {}},
        {"a.b", "a.b_c_宝物\\x", {}}, {"予", "予_受信フォルダ\\..\\x", {}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(ownFileOfStoredName(layout, row.pet, cp932(row.stored)), row.own) << row.pet << " / " << row.stored;
    }
    // Bytes that are no cp932 text name nothing.
    EXPECT_FALSE(ownFileOfStoredName(layout, "P", "P\x81"));
    EXPECT_FALSE(ownFileOfStoredName(layout, "P", "P\xFF.ppc"));
    // The length byte holds 254 bytes of name.
    std::string kanji127;
    for (int i = 0; i < 127; ++i) kanji127 += "予";
    EXPECT_EQ(encodeStoredName(std::string(254, 'a')), std::string(254, 'a'));
    EXPECT_EQ(encodeStoredName(kanji127).size(), 254u);
    for (const std::string& unstorable : {std::string(255, 'a'), kanji127 + "a", std::string("P_受信フォルダ\\😀.ppm"), std::string("P_受信フォルダ\\a:b")}) {
        try {
            encodeStoredName(unstorable);
            ADD_FAILURE() << "stored " << unstorable;
        } catch (const UnstorableName& error) {
            EXPECT_EQ(error.fileName(), unstorable);
        }
    }
}

// Names an editor can put into the settings file but the rules refuse,
// shown with control characters boxed and cut after 50 characters.
TEST(UsablePetNames, AHandEditedNameIsShownSafely) {
    const struct {
        std::string name;
        std::string shown;
        bool usable;
    } rows[] = {
        {"..\\P", "..\\P", false}, {std::string("P\0X", 3), "P□X", false}, {"P\tX", "P□X", false}, {"P\x7FX", "P□X", false},
        {"共有", "共有", false}, {"CON", "CON", false}, {std::string(51, 'P'), std::string(50, 'P') + "…", false}, {"", "", false},
        {"ポチ", "ポチ", true}, {" a b ", " a b ", true}, {"名名名名名名名名名名名名名名名名名名名名名名名名名", "名名名名名名名名名名名名名名名名名名名名名名名名名", true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(shownPetName(row.name), row.shown) << row.shown;
        EXPECT_EQ(isUsablePetName(row.name), row.usable) << row.shown;
    }
}

using UsablePetNamesTest = test::StoreTest;

// Each operation acts on pet 1, or launches pet 1 while the pet in place has the name.
TEST_F(UsablePetNamesTest, EveryOperationOnAPetWithAnUnusableNameIsRefusedBeforeAnyWrite) {
    using Operation = std::function<bool(test::ScriptedPrompts&, const std::string& listed)>;
    const struct {
        std::string name;
        bool badPetInPlace;
        Operation run;
    } operations[] = {
        {"launch", false, [&](auto& prompts, const std::string& listed) {
             return preparePetForLaunch(context_, prompts, 1, listed, askPasswordOf(context_, prompts)).has_value(); }},
        {"change", false, [&](auto& prompts, const std::string& listed) {
             return ChangePet(context_, prompts, {1, listed, "Q", {}, {"X", listed}}).has_value(); }},
        {"discard", false, [&](auto& prompts, const std::string& listed) { return DiscardPet(context_, prompts, 1, listed, 0); }},
        {"launch beside it", true, [&](auto& prompts, const std::string&) {
             return preparePetForLaunch(context_, prompts, 1, "P", askPasswordOf(context_, prompts)).has_value(); }},
        {"swap in beside it", true, [&](auto&, const std::string&) {
             EXPECT_THROW(SwapIn(context_, 1, "P"), UnusablePetName);
             return false; }},
    };
    put("Velmora.exe");
    putAll({{"Velmora設定.ppc", "in place"}, {"P.ppc", "P"}, {"..\\P.ppc", "outside"}});
    for (const auto& operation : operations) {
        for (const std::string name : {"..\\P", ""}) {
            const std::string what = operation.name + " \"" + name + "\"";
            registerPets(operation.badPetInPlace ? std::vector<std::pair<std::string, int>>{{name, 1}, {"P", 0}}
                                                 : std::vector<std::pair<std::string, int>>{{"X", 1}, {name, 0}}, 0);
            const auto before = snapshot();
            const std::string settings = temp_.readFile("Orvane.ini");
            test::ScriptedPrompts prompts;
            EXPECT_FALSE(operation.run(prompts, shownPetName(name))) << what;
            if (operation.name != "swap in beside it") {
                const std::string refusal = name.empty() ? "名前のないペットは操作できません。\n設定ファイルを確認してください。"
                                                         : "「" + name + "」は使えない名前のため操作できません。\n設定ファイルを確認してください。";
                EXPECT_EQ(prompts.messages, (std::vector<test::ShownMessage>{{refusal, "エラー", MessageIcon::Error}})) << what;
            }
            EXPECT_EQ(prompts.passwordsAsked, 0) << what;
            EXPECT_EQ(snapshot(), before) << what;
            EXPECT_EQ(temp_.readFile("Orvane.ini"), settings) << what;
        }
    }
}

}  // namespace
}  // namespace orvane
