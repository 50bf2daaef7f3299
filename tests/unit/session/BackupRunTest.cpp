#include <gtest/gtest.h>

#include "ScriptedDir.h"
#include "ScriptedPrompts.h"
#include "StoreTestSupport.h"
#include "session/BackupRun.h"

namespace orvane {
namespace {

using Entries = std::map<std::string, std::string>;

const std::string Folder = "20020305090704";

// A directory whose copies of one file come out cut short.
class ShortCopies : public test::ScriptedDir {
public:
    using ScriptedDir::ScriptedDir;
    std::string cutShort;
    bool copyFile(const std::string& from, const std::string& to) override {
        const bool copied = ScriptedDir::copyFile(from, to);
        if (copied && from == cutShort) ScriptedDir::openWrite(to, OpenForWrite::CreateOrTruncate);
        return copied;
    }
};

class BackupRunTest : public test::StoreTest {
protected:
    // At 2002-03-05 09:07:04, in a session of pet E opened with the password "abcd" unless told.
    BackupResult backUp(HostEdition edition, int status, const std::optional<std::string>& password = "abcd") {
        const FolderNameTable names = FolderNameTable::forEdition(edition);
        const std::string host(edition == HostEdition::Kids ? host::KidsExecutable : host::StandardExecutable);
        prompts_ = {};
        return RunBackup({copies_, names, host, ini_.path(), status, "E", password}, {2002, 3, 5, 9, 7, 4}, prompts_);
    }
    // The entries under the backup folder, named inside it.
    Entries backup() const {
        Entries inside;
        for (const auto& [name, bytes] : snapshot()) if (name.starts_with(Folder + "\\")) inside[name.substr(Folder.size() + 1)] = bytes;
        return inside;
    }
    std::string told() const { return prompts_.messages.size() == 1 ? prompts_.messages[0].text : "?"; }

    ShortCopies copies_{*dir_};
    test::ScriptedPrompts prompts_;
};

// The pets, their shared items, the plug-in of the standard edition and
// the settings; never the host's old copies of its pet file.
TEST_F(BackupRunTest, TheStandardEditionKeepsPetsSharedItemsPlugInAndSettings) {
    temp_.writeFile("Orvane.ini", "[PetList]\r\nentry=0\r\n");
    putAll({{"Velmora.exe", ""}, {"Velmora設定.bak", "not a pet file"}, {"宝物", "<folder>"}, {"宝物\\t", "t"},
            {"むかしのVelmora設定.ppc", "host's old copy"}, {"変更前のVelmora設定.ppc", "host's copy"},
            {"folder.ppc", "<folder>"}, {"0受信フォルダ", "a file"}, {"受信フォルダ\\sub", "<folder>"},
            {"受信フォルダ\\sub\\deep", "left out"}});
    Entries kept = {{"Velmora設定.ppc", "X pet"}, {"A.ppc", "A pet"}, {"E.apd", "E container"}, {"おともだち帳", "book"},
                    {"共有_おともだち帳", "shared book"}, {"受信フォルダ", "<folder>"}, {"受信フォルダ\\m", "X mail"},
                    {"A_受信フォルダ", "<folder>"}, {"A_受信フォルダ\\a", "A mail"}, {"共有_送信フォルダ", "<folder>"},
                    {"共有_送信フォルダ\\s", "sent"}, {"プラグインフォルダ", "<folder>"}, {"プラグインフォルダ\\tzl001.pac", "p"}};
    putAll(kept);
    EXPECT_EQ(backUp(HostEdition::Standard, 7).failedCopies, std::vector<std::string>{});
    kept["Orvane.ini"] = "[PetList]\r\nentry=0\r\n";
    EXPECT_EQ(backup(), kept);
    EXPECT_EQ(prompts_.messages, (std::vector<test::ShownMessage>{
                                     {"バックアップを作成しました。", "完了", MessageIcon::Information}}));
}

// An encrypted pet in use is in the backup as its container, packed from
// its pieces in place as they are now, without its plain pieces; the
// shared items in place stay.
TEST_F(BackupRunTest, TheKidsEditionKeepsTreasuresAndPacksAnEncryptedPetInUseAsItIsNow) {
    const Entries pet = {{"VelmoraKids設定.ppc", "E pet"}, {"おともだち帳", "book"}, {"じゅしん箱", "<folder>"},
                         {"じゅしん箱\\m", "mail"}, {"たからもの", "<folder>"}, {"たからもの\\t", "treasure"}};
    const Entries others = {{"E.apd", "old"}, {"A.ppc", "A pet"}, {"A_たからもの", "<folder>"}, {"A_たからもの\\a", "a"}};
    const test::HandRecord petFile{"E.ppc", "E pet"}, mail{test::cp932("E_じゅしん箱\\m"), "mail"},
        book{test::cp932("E_おともだち帳"), "book"}, treasure{test::cp932("E_たからもの\\t"), "treasure"};
    const struct { int status; std::vector<std::string> leftOut; std::vector<test::HandRecord> packed; } cases[] = {
        {7, {}, {}},  // plain: copied as it is
        {8, {"おともだち帳", "たからもの", "たからもの\\t"}, {petFile, mail, book, treasure}},
        {8 | 1, {"たからもの", "たからもの\\t"}, {petFile, mail, treasure}},
        {8 | 2, {"おともだち帳"}, {petFile, mail, book}},
    };
    temp_.writeFile("Orvane.ini", "");
    for (const auto& c : cases) {
        clearInstallDir();
        Entries expected = pet;
        expected.merge(Entries(others));
        putAll(expected), putAll({{"VelmoraKids.exe", ""}, {"tzl001.pac", "not copied"}});
        backUp(HostEdition::Kids, c.status);
        expected["Orvane.ini"] = "";
        if (!c.packed.empty()) {
            for (const auto& name : {"VelmoraKids設定.ppc", "じゅしん箱", "じゅしん箱\\m"}) expected.erase(name);
            for (const auto& name : c.leftOut) expected.erase(name);
            expected["E.apd"] = test::handContainer(test::KeyOfAbcd, c.packed);
        }
        EXPECT_EQ(backup(), expected) << c.status;
        EXPECT_EQ(snapshot().at("VelmoraKids設定.ppc"), "E pet") << c.status;
        EXPECT_EQ(told(), "バックアップを作成しました。") << c.status;
    }
}

// What cannot be saved is named, the first and how many more; the copies
// that can be made are made all the same.
TEST_F(BackupRunTest, WhatCannotBeSavedIsNamedInTheClosingMessage) {
    const std::string notSaved = "バックアップを作成しましたが、次のファイルを保存できませんでした。\n";
    putAll({{"E.apd", "E container"}, {"Velmora設定.ppc", "E pet"}, {"宝物", "<folder>"}, {"宝物\\café.jpg", "x"}});
    backUp(HostEdition::Standard, 8);  // a name the container cannot hold, and no settings file
    EXPECT_EQ(backup(), (Entries{{"E.apd", "E container"}, {"プラグインフォルダ", "<folder>"}}));
    EXPECT_EQ(told(), notSaved + "宝物\\café.jpg\nほか 1 件");
    temp_.writeFile("Orvane.ini", "");
    backUp(HostEdition::Standard, 8, std::nullopt);  // the password was not given
    EXPECT_EQ(told(), notSaved + "Velmora設定.ppc");

    clearInstallDir();
    putAll({{"受信フォルダ", "<folder>"}, {"受信フォルダ\\m", "mail"}, {"A.ppc", "A pet"}, {"B.ppc", "B pet"},
            {Folder, "<folder>"}, {Folder + "\\受信フォルダ", "a file in the way"}});
    copies_.cutShort = "A.ppc";
    EXPECT_TRUE(backUp(HostEdition::Standard, 7).folderMade);  // left by a run in the same second
    EXPECT_EQ(backup().at("B.ppc"), "B pet");
    EXPECT_EQ(told(), notSaved + "A.ppc\nほか 1 件");

    clearInstallDir();
    putAll({{Folder, "a file in the way"}, {"A.ppc", "pet"}});
    EXPECT_FALSE(backUp(HostEdition::Standard, 7).folderMade);
    EXPECT_EQ(snapshot(), (Entries{{Folder, "a file in the way"}, {"A.ppc", "pet"}}));
    EXPECT_EQ(told(), "バックアップフォルダ「20020305090704」を作成できません。");
}

}  // namespace
}  // namespace orvane
