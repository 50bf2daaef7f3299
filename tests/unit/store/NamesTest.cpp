#include <deque>
#include <functional>
#include <tuple>

#include "StoreTestSupport.h"
#include "session/PetPreparation.h"
#include "store/AddPet.h"
#include "store/ChangePet.h"
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
        std::vector<std::string> typed;
        const NameRules& rules;
        std::optional<std::string> message;  // else accepted as typed, trimmed
        MessageIcon icon = MessageIcon::Error;
    };
    std::vector<Row> rows = {
        {{"", " \t\r\n\v\f "}, add, NoName},
        // A full-width space is no white space; a second cp932 byte of "\" is no backslash.
        {{"  ポチ  ", "a b", "　ポチ　", "予定", "ソフト表", "a.b_c", std::string(50, 'a'), kanji25, "Velmora設定2", "CONSOLE"}, add, {}},
        {{"共有", "  共有 ", "Velmora設定", "velmora設定", "VelmoraKids設定", "むかしのVelmora設定", "変更前のVELMORAKIDS設定",
          "CON", "con", "Lpt1", "nul.x", "AUX "}, add, Reserved},
        {{"ポ\tチ", "a\x7F", "ポチ😀"}, add, Unusable},
        {{std::string(51, 'a'), kanji25 + "a"}, add, TooLong},
        // Windows keeps "Pochi.ppc" and "POCHI.ppc" in one file.
        {{"タマ", "pochi", "ＴＡＭＡ"}, add, Duplicate, MessageIcon::None},
        {{"Pochi2", "Tama"}, add, {}},
        {{"Pochi", " POCHI ", "Mike"}, change, {}},
        {{"tama"}, change, Duplicate, MessageIcon::None},
    };
    const std::string list = "の文字はつかえません。\n　　　　　　\\ / : ; , * ? \" < > |";
    for (const char c : std::string("\\/:;,*?\"<>|")) {
        rows.push_back({{std::string("a") + c + "b"}, add, "ペットの名前に次" + list});
        rows.push_back({{std::string("共有") + c}, change, "ペットの名前に以下" + list});
    }
    const auto trimmed = [](std::string name) { return name.erase(0, name.find_first_not_of(' ')).erase(name.find_last_not_of(' ') + 1); };
    for (const Row& row : rows) {
        for (const std::string& typed : row.typed) {
            test::ScriptedPrompts prompts;
            const auto accepted = ValidatePetName(prompts, typed, row.rules);
            EXPECT_EQ(accepted, row.message ? std::nullopt : std::optional(trimmed(typed))) << "typed \"" << typed << "\"";
            const auto shown = row.message ? std::vector<test::ShownMessage>{{*row.message, "エラー", row.icon}} : std::vector<test::ShownMessage>{};
            EXPECT_EQ(prompts.messages, shown) << "typed \"" << typed << "\"";
        }
    }
}

using AddPetTest = test::StoreTest;

// Added at the end under its trimmed name; a refusal, a cancelled password or a full list writes nothing.
TEST_F(AddPetTest, APetIsAddedOnlyWhenItsNameAndPasswordAreGiven) {
    const struct { std::string name; std::string typed; PetOptions options; std::deque<std::optional<std::string>> passwords;
                   std::optional<AddedPet> added; int asked; } rows[] = {
        {"plain", "  C ", {true, false, true, false}, {}, AddedPet{2, "C", 5}, 0},
        {"the first pet", "C", {}, {}, AddedPet{0, "C", 7}, 0},
        {"encrypted", "E", {true, true, true, true}, {"secret"}, AddedPet{2, "E", 11}, 1},
        {"password cancelled", "E", {false, false, false, true}, {std::nullopt}, std::nullopt, 1},
        {"name refused", "a|b", {false, false, false, true}, {}, std::nullopt, 0},
        {"name taken", "POCHI", {}, {}, std::nullopt, 0},
        {"list full", "new", {}, {}, std::nullopt, 0},
    };
    for (const auto& row : rows) {
        std::vector<std::pair<std::string, int>> pets = {{"Pochi", 7}, {"B", 6}};
        if (row.name == "the first pet") pets.clear();
        while (row.name == "list full" && pets.size() < PetRegistry::MaxPets) pets.push_back({"p" + std::to_string(pets.size()), 0});
        registerPets(pets, 0);
        const std::string before = temp_.readFile("Orvane.ini");
        test::ScriptedPrompts prompts;
        prompts.passwords = row.passwords;
        const auto added = AddPet(registry_, prompts, row.typed, row.options);
        const auto shown = [](const std::optional<AddedPet>& pet) { return pet ? std::tuple(pet->number, pet->name, pet->status) : std::tuple(-1, std::string(), 0); };
        EXPECT_EQ(shown(added), shown(row.added)) << row.name;
        // The pet is registered at its number, or the settings file is as before and the refusal shown.
        const int number = row.added ? row.added->number : 0;
        EXPECT_TRUE(row.added ? shown(AddedPet{number, registry_.name(number), registry_.status(number)}) == shown(row.added)
                              : temp_.readFile("Orvane.ini") == before) << row.name;
        EXPECT_EQ(prompts.messages.size(), row.added || row.asked ? 0u : 1u) << row.name;
        EXPECT_EQ(prompts.passwordsAsked, row.asked) << row.name;
        EXPECT_TRUE(snapshot().empty()) << row.name;
    }
}

TEST(StoredNames, OnlySafeNamesOfThePetsOwnPiecesAreWritten) {
    for (const char* safe : {"P.ppc", "予.ppc", "P_受信フォルダ\\a.ppm", "a b.txt", ".hidden", "x.", "CONSOLE", "COM10", "LPT", "xCON"}) EXPECT_TRUE(isSafeStoredName(safe)) << safe;
    for (const char* unsafe : {"", ".", "..", "...", " ", ". .", "a\\b\\c", "..\\x", "P_受信フォルダ\\..", "P_受信フォルダ\\",
                                     "\\abs", "a/b", "C:x", "x\x01y", "a\x7F", "tab\there", "a*b", "a?b", "a\"b", "a<b", "a>b",
                                     "a|b", "CON", "con.txt", "LPT1", "nul .txt", "COM9.log", "Aux", "conin$", "P_受信フォルダ\\PRN"}) {
        EXPECT_FALSE(isSafeStoredName(unsafe)) << unsafe;
    }
    const FolderNameTable names = FolderNameTable::forEdition(HostEdition::Standard);
    const PetLayout layout(names);
    // Stored names in UTF-8 here, cp932 when checked; nullopt: not the pet's own.
    const struct { std::string pet, stored; std::optional<std::string> own; } rows[] = {
        {"P", "P.ppc", "P.ppc"}, {"P", "P.bak", "P.bak"}, {"P", "P_おともだち帳", "P_おともだち帳"},
        {"P", "P_受信フォルダ\\1.ppm", "P_受信フォルダ\\1.ppm"}, {"P", "P_送信フォルダ\\送信.ppl", "P_送信フォルダ\\送信.ppl"},
        {"P", "P_宝物\\t.pac", "P_宝物\\t.pac"}, {"予", "予_受信フォルダ\\予.ppm", "予_受信フォルダ\\予.ppm"},
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
    // The length byte holds 254 bytes of name; one more is refused (a pack's test).
    std::string kanji127;
    for (int i = 0; i < 127; ++i) kanji127 += "予";
    EXPECT_EQ(encodeStoredName(std::string(254, 'a')), std::string(254, 'a'));
    EXPECT_EQ(encodeStoredName(kanji127).size(), 254u);  // counted in cp932 bytes
}

// Names an editor can put into the settings file but the rules refuse,
// shown with control characters boxed and cut after 50 characters.
TEST(UsablePetNames, AHandEditedNameIsShownSafely) {
    const struct { std::string name, shown; bool usable; } rows[] = {
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

// Each operation acts on pet 1, or launches pet 1 while the pet in place has the name; a discard
// answered with anything but yes changes nothing either.
TEST_F(UsablePetNamesTest, EveryOperationOnAPetWithAnUnusableNameIsRefusedBeforeAnyWrite) {
    using Operation = std::function<bool(test::ScriptedPrompts&, const std::string& listed)>;
    const struct { std::string name; bool badPetInPlace; Operation run; } operations[] = {
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
    putAll({{"Velmora設定.ppc", "in place"}, {"P.ppc", "P"}});
    for (const auto& operation : operations) {
        for (const std::string name : {"..\\P", "", "P"}) {
            if (name == "P" && operation.name != "discard") continue;
            const std::string what = operation.name + " \"" + name + "\"";
            registerPets(operation.badPetInPlace ? std::vector<std::pair<std::string, int>>{{name, 1}, {"P", 0}}
                                                 : std::vector<std::pair<std::string, int>>{{"X", 1}, {name, 0}},
                         operation.badPetInPlace ? 0 : 1);
            const auto before = snapshot();
            const std::string settings = temp_.readFile("Orvane.ini");
            test::ScriptedPrompts prompts;
            prompts.answers = {MessageAnswer::No};
            EXPECT_FALSE(operation.run(prompts, shownPetName(name))) << what;
            const std::string refusal = name == "P" ? "Pを捨てますか?\n捨てると二度と帰ってきません。"
                                        : name.empty() ? "名前のないペットは操作できません。\n設定ファイルを確認してください。"
                                                       : "「" + name + "」は使えない名前のため操作できません。\n設定ファイルを確認してください。";
            const test::ShownMessage shown = name == "P" ? test::ShownMessage{refusal, "警告", MessageIcon::Warning, MessageButtons::YesNo}
                                                         : test::ShownMessage{refusal, "エラー", MessageIcon::Error};
            if (operation.name != "swap in beside it") {
                EXPECT_EQ(prompts.messages, std::vector{shown}) << what;
            }
            EXPECT_EQ(prompts.passwordsAsked, 0) << what;
            EXPECT_EQ(snapshot(), before) << what;
            EXPECT_EQ(temp_.readFile("Orvane.ini"), settings) << what;
        }
    }
}

}  // namespace
}  // namespace orvane
