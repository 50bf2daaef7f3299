#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "ScriptedDir.h"
#include "ScriptedPrompts.h"
#include "StoreTestSupport.h"
#include "session/BackupRun.h"

namespace orvane {
namespace {

using Entries = std::map<std::string, std::string>;

const LocalTime Time{2002, 3, 5, 9, 7, 4};
const std::string Folder = "20020305090704";

// A directory whose copies of one file come out cut short, and which
// keeps every name written into it.
class RecordingDir : public test::ScriptedDir {
public:
    using ScriptedDir::ScriptedDir;

    std::string cutShort;
    std::set<std::string> written;

    bool copyFile(const std::string& from, const std::string& to) override {
        written.insert(to);
        if (!ScriptedDir::copyFile(from, to)) return false;
        if (from == cutShort) ScriptedDir::openWrite(to, OpenForWrite::CreateOrTruncate);
        return true;
    }
    std::unique_ptr<WriteStream> openWrite(const std::string& name, OpenForWrite mode) override {
        written.insert(name);
        return ScriptedDir::openWrite(name, mode);
    }
};

class BackupRunTest : public test::StoreTest {
protected:
    // In a session of pet E, opened with the password "abcd" unless told.
    BackupResult backUp(HostEdition edition, int currentPetStatus, const std::string& settingsFile,
                        const std::optional<std::string>& password = "abcd") {
        const FolderNameTable names = FolderNameTable::forEdition(edition);
        const std::string executable(edition == HostEdition::Kids ? host::KidsExecutable : host::StandardExecutable);
        return RunBackup({recording_, names, executable, settingsFile, currentPetStatus, "E", password}, Time,
                         prompts_);
    }

    // The entries under the backup folder, named inside it.
    Entries backup() const {
        Entries inside;
        for (const auto& [name, bytes] : snapshot()) {
            if (name.starts_with(Folder + "\\")) inside[name.substr(Folder.size() + 1)] = bytes;
        }
        return inside;
    }

    RecordingDir recording_{*dir_};
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

// An encrypted pet in use is in the backup as its container, packed from
// its pieces in place as they are now; no plain copy of them is ever
// written there. Its shared items stay.
TEST_F(BackupRunTest, TheKidsEditionKeepsTreasuresAndPacksAnEncryptedPetInUseAsItIsNow) {
    const Entries pet = {
        {"VelmoraKids設定.ppc", "E pet"}, {"おともだち帳", "book in place"}, {"じゅしん箱", "<folder>"},
        {"じゅしん箱\\m", "mail"},        {"そうしん箱", "<folder>"},         {"たからもの", "<folder>"},
        {"たからもの\\t", "treasure in place"},
    };
    const Entries others = {
        {"E.apd", "E container"}, {"A.ppc", "A pet"}, {"A_たからもの", "<folder>"}, {"A_たからもの\\a", "A treasure"},
        {"共有_おともだち帳", "shared book"},
    };
    const test::HandRecord petFile{test::cp932("E.ppc"), "E pet"};
    const test::HandRecord mail{test::cp932("E_じゅしん箱\\m"), "mail"};
    const test::HandRecord book{test::cp932("E_おともだち帳"), "book in place"};
    const test::HandRecord treasure{test::cp932("E_たからもの\\t"), "treasure in place"};
    const std::vector<std::string> plain = {"VelmoraKids設定.ppc", "じゅしん箱", "じゅしん箱\\m", "そうしん箱"};
    const struct {
        int status;
        std::vector<std::string> leftOut;
        std::vector<test::HandRecord> packed;  // none: the container is copied as it is
    } cases[] = {
        {7, {}, {}},
        {8, {"おともだち帳", "たからもの", "たからもの\\t"}, {petFile, mail, book, treasure}},
        {8 | 1, {"たからもの", "たからもの\\t"}, {petFile, mail, treasure}},
        {8 | 2, {"おともだち帳"}, {petFile, mail, book}},
    };
    temp_.writeFile("Orvane.ini", "[NowPet]\r\nnumber=1\r\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.status);
        clearInstallDir();
        recording_.written.clear();
        putAll({{"VelmoraKids.exe", ""}, {"tzl001.pac", "not copied"}});
        putAll(pet);
        putAll(others);
        backUp(HostEdition::Kids, c.status, ini_.path());
        Entries expected = pet;
        expected.merge(Entries(others));
        expected["Orvane.ini"] = "[NowPet]\r\nnumber=1\r\n";
        if (!c.packed.empty()) {
            for (const auto& name : plain) expected.erase(name);
            for (const auto& name : c.leftOut) expected.erase(name);
            expected["E.apd"] = test::handContainer(test::KeyOfAbcd, c.packed);
        }
        EXPECT_EQ(backup(), expected);
        // Every name ever written is one the backup keeps, or the
        // container's scrambled temporary file.
        for (const auto& name : recording_.written) {
            EXPECT_TRUE(name == Folder + "\\E.apd.tmp" || expected.count(name.substr(Folder.size() + 1))) << name;
        }
        // The installation directory itself keeps all of it.
        const Entries now = snapshot();
        for (const auto& [name, bytes] : pet) EXPECT_EQ(now.at(name), bytes) << name;
        EXPECT_EQ(prompts_.messages.back().text, "バックアップを作成しました。");
    }
}

// When the pet in use cannot be packed, its container from the start of
// the session is what the backup can hold; the message names the file.
TEST_F(BackupRunTest, AnEncryptedPetThatCannotBePackedKeepsItsOldContainerAndIsNamed) {
    const struct {
        std::optional<std::string> password;
        std::string notSaved;
    } cases[] = {
        {"abcd", "宝物\\café.jpg"},  // a name the container cannot hold
        {std::nullopt, "Velmora設定.ppc"},  // the password was not given
    };
    temp_.writeFile("Orvane.ini", "");
    putAll({{"E.apd", "E container"}, {"Velmora設定.ppc", "E pet"}, {"宝物", "<folder>"},
            {"宝物\\café.jpg", "no cp932 name"}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.notSaved);
        prompts_ = {};
        backUp(HostEdition::Standard, 8, ini_.path(), c.password);
        EXPECT_EQ(backup(), (Entries{{"E.apd", "E container"}, {"プラグインフォルダ", "<folder>"}, {"Orvane.ini", ""}}));
        EXPECT_EQ(prompts_.messages,
                  (std::vector<test::ShownMessage>{
                      {"バックアップを作成しましたが、次のファイルを保存できませんでした。\n" + c.notSaved, "エラー",
                       MessageIcon::Error}}));
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

TEST_F(BackupRunTest, CopiesThatFailOrComeOutShortAreNamedInTheClosingMessage) {
    putAll({{"受信フォルダ", "<folder>"}, {"受信フォルダ\\m", "mail"}, {"A.ppc", "A pet"}, {"B.ppc", "B pet"}});
    // Left from a run in the same second: a file where a folder must go.
    putAll({{Folder, "<folder>"}, {Folder + "\\受信フォルダ", "a file in the way"}});
    recording_.cutShort = "A.ppc";
    const std::string missingSettings = test::pathToUtf8(temp_.fsPath("missing.ini"));
    const BackupResult result = backUp(HostEdition::Standard, 7, missingSettings);
    EXPECT_EQ(result.failedCopies, (std::vector<std::string>{"A.ppc", "受信フォルダ\\m", missingSettings}));
    EXPECT_EQ(backup().at("B.ppc"), "B pet");
    EXPECT_EQ(prompts_.messages,
              (std::vector<test::ShownMessage>{
                  {"バックアップを作成しましたが、次のファイルを保存できませんでした。\nA.ppc\nほか 2 件", "エラー",
                   MessageIcon::Error}}));
}

}  // namespace
}  // namespace orvane
