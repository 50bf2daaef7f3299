// Pets brought back from a backup as new pets: byte for byte, never over
// anything that exists, and nothing left behind when a step fails.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ScriptedDir.h"
#include "ScriptedPrompts.h"
#include "StoreTestSupport.h"
#include "session/RestorePet.h"

namespace orvane {
namespace {

using Entries = std::map<std::string, std::string>;
using test::cp932;

const std::string Folder = "20261206210533";
const std::string NewName = "戻った";

// A pet as a backup holds it, and what restoring it gives.
struct Kind {
    const char* label;
    HostEdition edition;
    BackupPet pet;
    Entries backup;    // inside the backup folder
    Entries restored;  // the new pet's entries in the installation directory
    int status;        // the new pet's options
};

std::string containerOfE(const std::string& pet) {
    return test::handContainer(DeriveKey("pass-E"), {{cp932(pet + ".ppc"), "E pet"},
                                                     {cp932(pet + "_受信フォルダ\\m"), "E mail"},
                                                     {cp932(pet + "_受信フォルダ\\empty"), ""}});
}

// One of each kind, in this order.
enum KindIndex { StoredPlain, InPlace, Encrypted, Kids };

std::vector<Kind> kinds() {
    return {
        {"a plain pet, sharing its logs", HostEdition::Standard, {"P", 4, false},
         {{"P.ppc", "P pet"}, {"P.bak", "P backup"}, {"P_おともだち帳", "P book"}, {"共有_受信フォルダ", "<folder>"},
          {"共有_受信フォルダ\\s", "shared mail"}, {"X.ppc", "another pet"}},
         {{"戻った.ppc", "P pet"}, {"戻った.bak", "P backup"}, {"戻った_おともだち帳", "P book"}}, 4},
        {"the pet in place then, sharing its friends book", HostEdition::Standard, {"X", 1, true},
         {{"Velmora設定.ppc", "X pet"}, {"おともだち帳", "shared book"}, {"受信フォルダ", "<folder>"},
          {"受信フォルダ\\m", "X mail"}, {"受信フォルダ\\sub", "<folder>"}, {"送信フォルダ", "<folder>"},
          {"送信フォルダ\\s", "X sent"}, {"P.ppc", "another pet"}},
         {{"戻った.ppc", "X pet"}, {"戻った_受信フォルダ", "<folder>"}, {"戻った_受信フォルダ\\m", "X mail"},
          {"戻った_送信フォルダ", "<folder>"}, {"戻った_送信フォルダ\\s", "X sent"}}, 1},
        {"an encrypted pet", HostEdition::Standard, {"E", 11, false},
         {{"E.apd", containerOfE("E")}, {"共有_おともだち帳", "shared book"}},
         {{"戻った.apd", containerOfE("戻った")}}, 11},
        {"a Kids edition pet", HostEdition::Kids, {"K", 0, false},
         {{"K.ppc", "K pet"}, {"K_たからもの", "<folder>"}, {"K_たからもの\\t.pac", "K treasure"},
          {"K_じゅしん箱", "<folder>"}, {"K_じゅしん箱\\m", "K mail"}, {"K_おともだち帳", "K book"}},
         {{"戻った.ppc", "K pet"}, {"戻った_たからもの", "<folder>"}, {"戻った_たからもの\\t.pac", "K treasure"},
          {"戻った_じゅしん箱", "<folder>"}, {"戻った_じゅしん箱\\m", "K mail"}, {"戻った_おともだち帳", "K book"}}, 0},
    };
}

class RestorePetTest : public test::StoreTest {
protected:
    // The installation directory with one pet and the backup of the kind.
    void layOut(const Kind& kind) {
        clearInstallDir();
        registerPets({{"A", 7}}, 0);
        putAll({{"A.ppc", "A pet"}, {Folder, "<folder>"}});
        for (const auto& [name, bytes] : kind.backup) putAll({{Folder + "\\" + name, bytes}});
    }

    std::optional<AddedPet> restore(const Kind& kind, InstallDir& dir, PetRegistry& registry,
                                    const std::string& newName = NewName) {
        return RestorePet(dir, FolderNameTable::forEdition(kind.edition), registry, prompts_,
                          {Folder, kind.pet, newName});
    }

    std::string settings() const { return temp_.readFile("Orvane.ini"); }

    test::ScriptedPrompts prompts_;
};

TEST_F(RestorePetTest, EachKindOfPetComesBackByteForByteUnderTheNewName) {
    for (const Kind& kind : kinds()) {
        SCOPED_TRACE(kind.label);
        layOut(kind);
        Entries expected = snapshot();
        expected.insert(kind.restored.begin(), kind.restored.end());
        prompts_ = {};
        prompts_.passwords = {"pass-E"};
        const auto added = restore(kind, *dir_, registry_);
        ASSERT_TRUE(added);
        EXPECT_EQ(added->number, 1);
        EXPECT_EQ(snapshot(), expected);
        EXPECT_EQ(registry_.names(), (std::vector<std::string>{"A", NewName}));
        EXPECT_EQ(registry_.status(1), kind.status);
        EXPECT_EQ(prompts_.messages, (std::vector<test::ShownMessage>{{"「戻った」としてバックアップから戻しました。",
                                                                       "完了", MessageIcon::Information}}));
    }
}

TEST_F(RestorePetTest, ANameThatIsTakenRefusesBeforeAnyWriteAndSaysWhich) {
    const Kind encrypted = kinds()[Encrypted];
    const struct {
        Entries taken;
        std::string message;
    } cases[] = {
        {{{"戻った.ppc", ""}}, "「戻った.ppc」が既にあるため、戻せません。"},
        {{{"戻った_受信フォルダ", "<folder>"}}, "「戻った_受信フォルダ」が既にあるため、戻せません。"},
        {{{"戻った.apd", "a container"}}, "「戻った.apd」が既にあるため、戻せません。"},
        {{}, "既に同じ名前のペットが存在します。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        layOut(encrypted);
        if (c.taken.empty()) registerPets({{"A", 7}, {NewName, 7}}, 0);
        putAll(c.taken);
        const Entries before = snapshot();
        const std::string settingsBefore = settings();
        prompts_ = {};
        EXPECT_FALSE(restore(encrypted, *dir_, registry_));
        EXPECT_EQ(prompts_.passwordsAsked, 0);
        ASSERT_EQ(prompts_.messages.size(), 1u);
        EXPECT_EQ(prompts_.messages[0].text, c.message);
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(settings(), settingsBefore);
    }
}

TEST_F(RestorePetTest, AWrongOrCancelledPasswordRestoresNothing) {
    const Kind encrypted = kinds()[Encrypted];
    layOut(encrypted);
    const Entries before = snapshot();
    const std::string settingsBefore = settings();
    prompts_.passwords = {std::nullopt, "wrong"};
    EXPECT_FALSE(restore(encrypted, *dir_, registry_));
    EXPECT_TRUE(prompts_.messages.empty());
    EXPECT_FALSE(restore(encrypted, *dir_, registry_));
    EXPECT_EQ(prompts_.messages,
              (std::vector<test::ShownMessage>{{"パスワードが不正です。", "エラー", MessageIcon::Error}}));
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(settings(), settingsBefore);
}

// Every file step in turn fails, and last the settings file cannot be
// written: each time the directory and the settings are as they were.
TEST_F(RestorePetTest, AFailureAtAnyStepLeavesTheDirectoryAndTheSettingsAsTheyWere) {
    const auto expectUntouched = [&](const Entries& before, const std::string& settingsBefore) {
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(settings(), settingsBefore);
        ASSERT_EQ(prompts_.messages.size(), 1u);
        EXPECT_TRUE(prompts_.messages[0].text.starts_with("バックアップから戻せませんでした。\n"))
            << prompts_.messages[0].text;
    };
    const auto all = kinds();
    for (const Kind& kind : {all[InPlace], all[Encrypted]}) {
        SCOPED_TRACE(kind.label);
        layOut(kind);
        const Entries before = snapshot();
        const std::string settingsBefore = settings();
        for (std::uint64_t k = 1;; ++k) {
            SCOPED_TRACE(k);
            test::ScriptedDir scripted(*dir_);
            scripted.fault = test::Fault{k, test::FaultMode::Fail};
            prompts_ = {};
            prompts_.passwords = {"pass-E"};
            const auto added = restore(kind, scripted, registry_);
            if (scripted.operations() < k) {
                EXPECT_TRUE(added);
                break;
            }
            EXPECT_FALSE(added);
            expectUntouched(before, settingsBefore);
            if (HasFailure()) return;
        }

        layOut(kind);
        temp_.makeFolder("unwritable.ini");
        IniFile unwritable(test::pathToUtf8(temp_.fsPath("unwritable.ini")));
        PetRegistry blocked(unwritable);
        prompts_ = {};
        prompts_.passwords = {"pass-E"};
        EXPECT_FALSE(restore(kind, *dir_, blocked));
        expectUntouched(before, settingsBefore);
    }
}

TEST_F(RestorePetTest, BackupFoldersAreListedNewestFirstWithTheirOwnPets) {
    putAll({{"20250101000000", "<folder>"},
            {"20250101000000\\Orvane.ini",
             "[PetList]\r\nentry=2\r\nPetname0=A\r\nPetname1=B\r\nStatus1=11\r\n[NowPet]\r\nnumber=1\r\n"},
            {"20261206210533", "<folder>"},
            {"20261206210533\\Orvane.ini", ""},
            // Not backups: no date, no settings file, not a folder.
            {"20261306000000", "<folder>"},
            {"20261306000000\\Orvane.ini", ""},
            {"2026120621053", "<folder>"},
            {"2026120621053\\Orvane.ini", ""},
            {"20261207000000", "<folder>"},
            {"20261208000000", "a file"}});
    EXPECT_EQ(listBackupFolders(*dir_), (std::vector<std::string>{"20261206210533", "20250101000000"}));
    EXPECT_EQ(backupFolderCaption("20261206210533"), "2026/12/06 21:05:33");
    EXPECT_EQ(restoredPetName("ぽすけ", "20261206210533"), "ぽすけ_20261206");

    IniFile settings(test::pathToUtf8(temp_.fsPath("inst\\20250101000000\\Orvane.ini")));
    const auto pets = backupPets(PetRegistry(settings));
    ASSERT_EQ(pets.size(), 2u);
    EXPECT_EQ(pets[0].name, "A");
    EXPECT_EQ(pets[0].status, 7);
    EXPECT_FALSE(pets[0].wasInPlace);
    EXPECT_EQ(pets[1].name, "B");
    EXPECT_EQ(pets[1].status, 11);
    EXPECT_TRUE(pets[1].wasInPlace);
}

}  // namespace
}  // namespace orvane
