// Pets brought back from a backup as new pets: byte for byte, never over
// anything that exists, and nothing left behind when a step fails.

#include <gtest/gtest.h>

#include "ScriptedDir.h"
#include "ScriptedPrompts.h"
#include "StoreTestSupport.h"
#include "session/RestorePet.h"

namespace orvane {
namespace {

using Entries = std::map<std::string, std::string>;
using test::cp932;

const std::string Folder = "20261206210533";

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
                                    std::deque<std::optional<std::string>> passwords = {"pass-E"}) {
        prompts_ = {};
        prompts_.passwords = std::move(passwords);
        return RestorePet(dir, FolderNameTable::forEdition(kind.edition), registry, prompts_, {Folder, kind.pet, "戻った"});
    }
    std::string settings() const { return temp_.readFile("Orvane.ini"); }

    test::ScriptedPrompts prompts_;
};

TEST_F(RestorePetTest, EachKindOfPetComesBackByteForByteUnderTheNewName) {
    for (const Kind& kind : {Plain, InPlace, Encrypted}) {
        layOut(kind);
        Entries expected = snapshot();
        expected.insert(kind.restored.begin(), kind.restored.end());
        const auto added = restore(kind, *dir_, registry_);
        EXPECT_TRUE(added && added->number == 1) << kind.pet.name;
        EXPECT_EQ(snapshot(), expected) << kind.pet.name;
        EXPECT_EQ(registry_.names(), (std::vector<std::string>{"A", "戻った"}));
        EXPECT_EQ(registry_.status(1), kind.pet.status) << kind.pet.name;
    }
}

// A taken name, a cancelled or wrong password, or a failure at any file
// step, and last the settings file that cannot be written: each time the
// directory and the settings are as they were, and the user is told.
TEST_F(RestorePetTest, ARestoreThatStopsLeavesTheDirectoryAndTheSettingsAsTheyWere) {
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

    for (const Kind& kind : {InPlace, Encrypted}) {
        layOut(kind);
        const Entries before = snapshot();
        for (std::uint64_t k = 1;; ++k) {
            test::ScriptedDir scripted(*dir_);
            scripted.fault = test::Fault{k, test::FaultMode::Fail};
            const auto added = restore(kind, scripted, registry_);
            if (scripted.operations() < k) {
                EXPECT_TRUE(added) << kind.pet.name;
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

TEST_F(RestorePetTest, BackupFoldersAreListedNewestFirstWithTheirOwnPets) {
    // Backups hold a settings file; one without a date, without the file or not a folder is not one.
    for (const char* folder : {"20261206210533", "19991231235959", "20261306000000", "2026120621053"}) {
        putAll({{folder, "<folder>"}, {std::string(folder) + "\\Orvane.ini", ""}});
    }
    putAll({{"20250101000000", "<folder>"}, {"20261207000000", "<folder>"}, {"20261208000000", "a file"},
            {"20250101000000\\Orvane.ini", "[PetList]\r\nentry=2\r\nPetname0=A\r\nPetname1=B\r\nStatus1=11\r\n[NowPet]\r\nnumber=1\r\n"}});
    EXPECT_EQ(listBackupFolders(*dir_), (std::vector<std::string>{"20261206210533", "20250101000000", "19991231235959"}));
    EXPECT_EQ(backupFolderCaption("20261206210533"), "2026/12/06 21:05:33");
    EXPECT_EQ(restoredPetName("ぽすけ", "20261206210533"), "ぽすけ_20261206");
    IniFile settings(test::pathToUtf8(temp_.fsPath("inst\\20250101000000\\Orvane.ini")));
    const auto pets = backupPets(PetRegistry(settings));
    std::string listed;
    for (const auto& pet : pets) listed += pet.name + std::to_string(pet.status) + std::to_string(pet.wasInPlace) + " ";
    EXPECT_EQ(listed, "A70 B111 ");
}

}  // namespace
}  // namespace orvane
