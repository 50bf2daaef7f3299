#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ScriptedPrompts.h"
#include "StoreTestSupport.h"
#include "session/BackupRun.h"

namespace orvane {
namespace {

using Entries = std::map<std::string, std::string>;

const LocalTime Time{2002, 3, 5, 9, 7, 4};
const std::string Folder = "20020305090704";

class BackupRunTest : public test::StoreTest {
protected:
    BackupResult backUp(HostEdition edition, int currentPetStatus, const std::string& settingsFile) {
        const FolderNameTable names = FolderNameTable::forEdition(edition);
        const std::string executable(edition == HostEdition::Kids ? host::KidsExecutable : host::StandardExecutable);
        return RunBackup({*dir_, names, executable, settingsFile, currentPetStatus}, Time, prompts_);
    }

    // The entries under the backup folder, named inside it.
    Entries backup() const {
        Entries inside;
        for (const auto& [name, bytes] : snapshot()) {
            if (name.starts_with(Folder + "\\")) inside[name.substr(Folder.size() + 1)] = bytes;
        }
        return inside;
    }

    test::ScriptedPrompts prompts_;
};

TEST(BackupFolderName, IsTheLocalTimeWithTwoDigitFields) {
    EXPECT_EQ(backupFolderName({2002, 3, 5, 9, 7, 4}), "20020305090704");
    EXPECT_EQ(backupFolderName({2024, 12, 31, 23, 59, 59}), "20241231235959");
    EXPECT_EQ(backupFolderName({999, 1, 1, 0, 0, 0}), "9990101000000");
}

TEST_F(BackupRunTest, TheStandardEditionKeepsPetsSharedItemsPlugInAndSettings) {
    temp_.writeFile("Orvane.ini", "[PetList]\r\nentry=0\r\n");
    putAll({{"Velmora.exe", ""}, {"Velmora設定.bak", "not a pet file"}, {"宝物", "<folder>"},
            {"宝物\\t", "no treasures in this edition"}, {"むかしのVelmora設定.ppc", "host's old copy"},
            {"変更前のVelmora設定.ppc", "host's copy"}, {"folder.ppc", "<folder>"},
            {"受信フォルダ\\sub", "<folder>"}, {"受信フォルダ\\sub\\deep", "left out"}});
    const Entries kept = {
        {"Velmora設定.ppc", "X pet"},   {"A.ppc", "A pet"},          {"E.apd", "E container"},
        {"おともだち帳", "X book"},      {"A_おともだち帳", "A book"}, {"共有_おともだち帳", "shared book"},
        {"受信フォルダ", "<folder>"},     {"受信フォルダ\\m", "X mail"}, {"A_受信フォルダ", "<folder>"},
        {"A_受信フォルダ\\a", "A mail"}, {"送信フォルダ", "<folder>"}, {"送信フォルダ\\s", "X sent"},
        {"共有_送信フォルダ", "<folder>"}, {"共有_送信フォルダ\\ss", "shared sent"},
        {"プラグインフォルダ", "<folder>"}, {"プラグインフォルダ\\tzl001.pac", "plug-in"},
    };
    putAll(kept);
    const Entries before = snapshot();

    const BackupResult result = backUp(HostEdition::Standard, 7, ini_.path());
    EXPECT_EQ(result.folder, Folder);
    EXPECT_TRUE(result.folderMade);
    EXPECT_TRUE(result.failedCopies.empty());
    Entries expected = kept;
    expected["Orvane.ini"] = "[PetList]\r\nentry=0\r\n";
    EXPECT_EQ(backup(), expected);
    Entries everything = before;
    everything[Folder] = "<folder>";
    for (const auto& [name, bytes] : expected) everything[Folder + "\\" + name] = bytes;
    EXPECT_EQ(snapshot(), everything);
    EXPECT_EQ(prompts_.messages,
              (std::vector<test::ShownMessage>{{"バックアップを作成しました。", "完了", MessageIcon::Information}}));
}

// An encrypted pet in use is in the backup as its container only: its
// working copies in place are left out, its shared items stay.
TEST_F(BackupRunTest, TheKidsEditionKeepsTreasuresAndLeavesOutAnEncryptedPetsWorkingCopies) {
    const Entries pet = {
        {"VelmoraKids設定.ppc", "E pet"}, {"おともだち帳", "book in place"}, {"じゅしん箱", "<folder>"},
        {"じゅしん箱\\m", "mail"},        {"そうしん箱", "<folder>"},         {"たからもの", "<folder>"},
        {"たからもの\\t", "treasure in place"},
    };
    const Entries others = {
        {"E.apd", "E container"}, {"A.ppc", "A pet"}, {"A_たからもの", "<folder>"}, {"A_たからもの\\a", "A treasure"},
        {"共有_おともだち帳", "shared book"},
    };
    const struct {
        int status;
        std::vector<std::string> leftOut;
    } cases[] = {
        {7, {}},
        {8, {"VelmoraKids設定.ppc", "おともだち帳", "じゅしん箱", "じゅしん箱\\m", "そうしん箱", "たからもの", "たからもの\\t"}},
        {8 | 1, {"VelmoraKids設定.ppc", "じゅしん箱", "じゅしん箱\\m", "そうしん箱", "たからもの", "たからもの\\t"}},
        {8 | 2, {"VelmoraKids設定.ppc", "おともだち帳", "じゅしん箱", "じゅしん箱\\m", "そうしん箱"}},
    };
    temp_.writeFile("Orvane.ini", "[NowPet]\r\nnumber=1\r\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        clearInstallDir();
        putAll({{"VelmoraKids.exe", ""}, {"tzl001.pac", "not copied"}});
        putAll(pet);
        putAll(others);
        backUp(HostEdition::Kids, c.status, ini_.path());
        Entries expected = pet;
        expected.merge(Entries(others));
        expected["Orvane.ini"] = "[NowPet]\r\nnumber=1\r\n";
        for (const auto& name : c.leftOut) expected.erase(name);
        EXPECT_EQ(backup(), expected);
        // The installation directory itself keeps all of it.
        for (const auto& [name, bytes] : pet) EXPECT_TRUE(has(name)) << name;
    }
}

TEST_F(BackupRunTest, AFolderThatCannotBeMadeIsReportedAndNothingElseHappens) {
    putAll({{Folder, "a file in the way"}, {"Velmora設定.ppc", "pet"}, {"おともだち帳", "book"},
            {"むかしのVelmora設定.ppc", "old"}, {"受信フォルダ", "<folder>"}, {"受信フォルダ\\m", "mail"}});
    const Entries before = snapshot();
    const BackupResult result = backUp(HostEdition::Standard, 8, ini_.path());
    EXPECT_FALSE(result.folderMade);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(prompts_.messages, (std::vector<test::ShownMessage>{
                                     {"バックアップフォルダ「20020305090704」を作成できません。", "エラー",
                                      MessageIcon::Error}}));
}

TEST_F(BackupRunTest, ASecondRunInTheSameSecondCopiesOverTheFirst) {
    put("A.ppc", "first");
    backUp(HostEdition::Standard, 7, ini_.path());
    put("A.ppc", "second");
    const BackupResult result = backUp(HostEdition::Standard, 7, ini_.path());
    EXPECT_TRUE(result.folderMade);
    EXPECT_EQ(backup().at("A.ppc"), "second");
}

TEST_F(BackupRunTest, CopiesThatFailAreNamedInTheClosingMessage) {
    putAll({{"受信フォルダ", "<folder>"}, {"受信フォルダ\\m", "mail"}, {"A.ppc", "A pet"}});
    // Left from a run in the same second: a file where a folder must go.
    putAll({{Folder, "<folder>"}, {Folder + "\\受信フォルダ", "a file in the way"}});
    const std::string missingSettings = test::pathToUtf8(temp_.fsPath("missing.ini"));
    const BackupResult result = backUp(HostEdition::Standard, 7, missingSettings);
    EXPECT_EQ(result.failedCopies, (std::vector<std::string>{"受信フォルダ\\m", missingSettings}));
    EXPECT_EQ(backup().at("A.ppc"), "A pet");
    EXPECT_EQ(prompts_.messages,
              (std::vector<test::ShownMessage>{
                  {"バックアップを作成しましたが、次のファイルはコピーできませんでした。\n受信フォルダ\\m\n" + missingSettings,
                   "エラー", MessageIcon::Error}}));
}

}  // namespace
}  // namespace orvane
