// Backups made in a session, and pets brought back from them as new pets:
// byte for byte, never over anything that exists, nothing left behind when a step fails.

#include <gtest/gtest.h>

#include "ScriptedDir.h"
#include "ScriptedPrompts.h"
#include "StoreTestSupport.h"
#include "session/BackupRun.h"
#include "session/RestorePet.h"

namespace orvane {
namespace {

using Entries = std::map<std::string, std::string>;
using test::cp932;

const std::string Folder = "20261206210533";

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

std::string containerOfE(const std::string& pet) {
    return test::handContainer(DeriveKey("pass-E"), {{cp932(pet + ".ppc"), "E pet"},
                                                     {cp932(pet + "_受信フォルダ\\m"), "E mail"}});
}

// A pet as a backup holds it (inside the backup folder) and what restoring
// it as "戻った" adds to the installation directory.
struct Kind {
    HostEdition edition;
    BackupPet pet;
    Entries backup, restored;
};

const Kind Plain = {HostEdition::Standard, {"P", 4, false},
    {{"P.ppc", "P pet"}, {"P.bak", "P backup"}, {"P_宝物", "<folder>"}, {"P_宝物\\t", "P treasure"},
     {"共有_受信フォルダ", "<folder>"}, {"共有_受信フォルダ\\s", "shared"}, {"X.ppc", "another pet"}},
    {{"戻った.ppc", "P pet"}, {"戻った.bak", "P backup"}, {"戻った_宝物", "<folder>"}, {"戻った_宝物\\t", "P treasure"}}};
const Kind InPlace = {HostEdition::Kids, {"X", 1, true},
    {{"VelmoraKids設定.ppc", "X pet"}, {"おともだち帳", "shared book"}, {"じゅしん箱", "<folder>"},
     {"じゅしん箱\\m", "X mail"}, {"じゅしん箱\\sub", "<folder>"}, {"P.ppc", "another pet"}},
    {{"戻った.ppc", "X pet"}, {"戻った_じゅしん箱", "<folder>"}, {"戻った_じゅしん箱\\m", "X mail"}}};
const Kind Encrypted = {HostEdition::Standard, {"E", 11, false}, {{"E.apd", containerOfE("E")}, {"共有_おともだち帳", "shared book"}},
                        {{"戻った.apd", containerOfE("戻った")}}};

class BackupTest : public test::StoreTest {
protected:
    // At 2026-12-06 21:05:33, in a session of pet E opened with the password "abcd" unless told.
    BackupResult backUp(HostEdition edition, int status, const std::optional<std::string>& password = "abcd") {
        const FolderNameTable names = FolderNameTable::forEdition(edition);
        const std::string host(edition == HostEdition::Kids ? host::KidsExecutable : host::StandardExecutable);
        prompts_ = {};
        return RunBackup({copies_, names, host, ini_.path(), status, "E", password}, {2026, 12, 6, 21, 5, 33}, prompts_);
    }
    // The entries under the backup folder, named inside it.
    Entries backup() const {
        Entries inside;
        for (const auto& [name, bytes] : snapshot()) if (name.starts_with(Folder + "\\")) inside[name.substr(Folder.size() + 1)] = bytes;
        return inside;
    }
    std::string told() const { return prompts_.messages.size() == 1 ? prompts_.messages[0].text : "?"; }
    // The installation directory with one pet and the backup of the kind.
    void layOut(const Kind& kind) {
        clearInstallDir();
        registerPets({{"A", 7}}, 0);
        putAll({{"A.ppc", "A pet"}, {Folder, "<folder>"}});
        for (const auto& [name, bytes] : kind.backup) putAll({{Folder + "\\" + name, bytes}});
    }
    std::optional<AddedPet> restore(const Kind& kind, InstallDir& dir, PetRegistry& registry,
                                    std::deque<std::optional<std::string>> passwords = {"pass-E"}) {
        prompts_ = {};
        prompts_.passwords = std::move(passwords);
        return RestorePet(dir, FolderNameTable::forEdition(kind.edition), registry, prompts_, {Folder, kind.pet, "戻った"});
    }
    std::string settings() const { return temp_.readFile("Orvane.ini"); }

    ShortCopies copies_{*dir_};
    test::ScriptedPrompts prompts_;
};

// The pets, their shared items, the plug-in of the standard edition and
// the settings; never the host's old copies of its pet file.
TEST_F(BackupTest, TheStandardEditionKeepsPetsSharedItemsPlugInAndSettings) {
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
TEST_F(BackupTest, TheKidsEditionKeepsTreasuresAndPacksAnEncryptedPetInUseAsItIsNow) {
    const Entries pet = {{"VelmoraKids設定.ppc", "E pet"}, {"おともだち帳", "book"}, {"じゅしん箱", "<folder>"},
                         {"じゅしん箱\\m", "mail"}, {"たからもの", "<folder>"}, {"たからもの\\t", "treasure"}};
    const Entries others = {{"E.apd", "old"}, {"A.ppc", "A pet"}, {"A_たからもの", "<folder>"}, {"A_たからもの\\a", "a"}};
    const test::HandRecord petFile{"E.ppc", "E pet"}, mail{cp932("E_じゅしん箱\\m"), "mail"},
        book{cp932("E_おともだち帳"), "book"}, treasure{cp932("E_たからもの\\t"), "treasure"};
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
TEST_F(BackupTest, WhatCannotBeSavedIsNamedInTheClosingMessage) {
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
    EXPECT_EQ(told(), "バックアップフォルダ「" + Folder + "」を作成できません。");
}

// A taken name, a cancelled or wrong password, or a failure at any file
// step, and last the settings file that cannot be written: each time the
// directory and the settings are as they were, and the user is told. With
// no failure left, each kind of pet comes back whole.
TEST_F(BackupTest, ARestoreLeavesEverythingAsItWasUnlessItBringsThePetBackWhole) {
    const auto expectUntouched = [&](const Entries& before, const std::string& settingsBefore, const std::string& told) {
        EXPECT_TRUE(snapshot() == before && settings() == settingsBefore) << told;
        ASSERT_EQ(prompts_.messages.size(), 1u) << told;
        EXPECT_TRUE(prompts_.messages[0].text.starts_with(told)) << prompts_.messages[0].text;
    };
    const std::pair<Entries, std::string> taken[] = {
        {{{"戻った.ppc", ""}}, "「戻った.ppc」が既にあるため、戻せません。"},
        {{{"戻った_受信フォルダ", "<folder>"}}, "「戻った_受信フォルダ」が既にあるため、戻せません。"},
        {{{"戻った.apd", "a container"}}, "「戻った.apd」が既にあるため、戻せません。"},
        {{}, "既に同じ名前のペットが存在します。"},
    };
    for (const auto& [entries, message] : taken) {
        layOut(Encrypted);
        if (entries.empty()) registerPets({{"A", 7}, {"戻った", 7}}, 0);
        putAll(entries);
        const Entries before = snapshot();
        const std::string settingsBefore = settings();
        EXPECT_FALSE(restore(Encrypted, *dir_, registry_, {}));
        expectUntouched(before, settingsBefore, message);
    }
    layOut(Encrypted);
    const Entries encryptedBefore = snapshot();
    const std::string settingsBefore = settings();
    EXPECT_FALSE(restore(Encrypted, *dir_, registry_, {std::nullopt}));
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_FALSE(restore(Encrypted, *dir_, registry_, {"wrong"}));
    expectUntouched(encryptedBefore, settingsBefore, "パスワードが不正です。");
    Kind outside = Plain;  // a backup's settings file edited to name a pet outside the backup folder
    outside.pet.name = "..\\P";
    layOut(outside);
    const Entries plainBefore = snapshot();
    EXPECT_FALSE(restore(outside, *dir_, registry_, {}));
    expectUntouched(plainBefore, settingsBefore, "バックアップのペット「..\\P」は名前が正しくないため、戻せません。");

    for (const Kind& kind : {Plain, InPlace, Encrypted}) {
        layOut(kind);
        const Entries before = snapshot();
        for (std::uint64_t k = 1;; ++k) {
            test::ScriptedDir scripted(*dir_);
            scripted.fault = test::Fault{k, test::FaultMode::Fail};
            const auto added = restore(kind, scripted, registry_);
            if (scripted.operations() < k) {  // no step failed: the pet is back byte for byte under the new name
                EXPECT_TRUE(added && added->number == 1) << kind.pet.name;
                EXPECT_EQ(snapshot(), before + kind.restored) << kind.pet.name;
                EXPECT_EQ(registry_.names(), (std::vector<std::string>{"A", "戻った"}));
                EXPECT_EQ(registry_.status(1), kind.pet.status) << kind.pet.name;
                break;
            }
            EXPECT_FALSE(added) << kind.pet.name << " " << k;
            expectUntouched(before, settingsBefore, "バックアップから戻せませんでした。\n");
            if (HasFailure()) return;
        }
        layOut(kind);
        temp_.makeFolder("unwritable.ini");
        IniFile unwritable(test::pathToUtf8(temp_.fsPath("unwritable.ini")));
        PetRegistry blocked(unwritable);
        EXPECT_FALSE(restore(kind, *dir_, blocked));
        expectUntouched(before, settingsBefore, "バックアップから戻せませんでした。\n");
    }
}

TEST_F(BackupTest, BackupFoldersAreListedNewestFirst) {
    // Backups hold a settings file; one without a date, without the file or not a folder is not one.
    for (const char* folder : {"20261206210533", "19991231235959", "20250101000000", "20261306000000", "2026120621053"}) {
        putAll({{folder, "<folder>"}, {std::string(folder) + "\\Orvane.ini", ""}});
    }
    putAll({{"20261207000000", "<folder>"}, {"20261208000000", "a file"}});
    EXPECT_EQ(listBackupFolders(*dir_), (std::vector<std::string>{"20261206210533", "20250101000000", "19991231235959"}));
    EXPECT_EQ(backupFolderCaption("20261206210533"), "2026/12/06 21:05:33");
    EXPECT_EQ(restoredPetName("ぽすけ", "20261206210533"), "ぽすけ_20261206");
}

}  // namespace
}  // namespace orvane
