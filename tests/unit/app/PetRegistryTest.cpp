#include "app/PetRegistry.h"

#include <gtest/gtest.h>

#include "TempDir.h"

// Contents are cp932 bytes, so that no test depends on the converter: "\x83\x7C\x83\x60" is ポチ, "\x82\xCB\x82\xB1" ねこ.
namespace orvane {
namespace {

using Names = std::vector<std::string>;

class PetRegistryTest : public ::testing::Test {
protected:
    void store(const std::string& bytes) const { dir.writeFile("Orvane.ini", bytes); }
    std::string stored() const { return dir.exists("Orvane.ini") ? dir.readFile("Orvane.ini") : "<none>"; }
    // Each pet as name:status.
    Names pets() const {
        Names result;
        for (const auto& pet : registry.list()) result.push_back(pet.name + ":" + std::to_string(pet.status));
        return result;
    }

    test::TempDir dir;
    IniFile ini{test::pathToUtf8(dir.fsPath("Orvane.ini"))};
    PetRegistry registry{ini};
};

// "entry" decides nothing beyond the names the file holds, up to MaxPets:
// a huge value made the list read the file for every number below it. An
// append takes the next number (1 without "entry"), -1 when refused.
TEST_F(PetRegistryTest, TheListHoldsThePetsTheFileNamesAndAnAppendComesLast) {
    std::string full = "entry=2147483647\r\n";
    for (int i = 0; i < PetRegistry::MaxPets; ++i) full += "Petname" + std::to_string(i) + "=p\r\n";
    const struct { std::string petList; Names pets; int appended; } cases[] = {
        {"", {}, 1}, {"entry=0\r\nPetname0=a\r\n", {}, 0}, {"entry=-5\r\nPetname0=a\r\n", {}, 0},
        {"entry=3\r\nPetname2=\x82\xCB\x82\xB1\r\nPetname0=\x83\x7C\x83\x60\r\nStatus0=9\r\nStatus2=11\r\nPetname3=x\r\n",
         {"ポチ:9", ":7", "ねこ:11"}, 3},
        {"ENTRY=2\r\npetname0=a\r\nSTATUS0=3\r\nPETNAME1=b\r\nPetname0=x\r\nstatus0=5\r\n", {"a:3", "b:7"}, 2},
        {"entry=3\r\nPetname00=x\r\nPetname1=b\r\nPetname2x=y\r\nPetname=z\r\nStatus01=3\r\nStatus1=x\r\n", {":7", "b:7"}, 2},
        {"entry=2147483647\r\nPetname0=a\r\nStatus3=1\r\nPetname1000=z\r\n", {"a:7"}, 1},
        {full, Names(PetRegistry::MaxPets, "p:7"), -1},
    };
    for (const auto& c : cases) {
        store("[NowPet]\r\nnumber=-1\r\n[PetList]\r\n" + c.petList);
        EXPECT_EQ(pets(), c.pets) << c.petList;
        EXPECT_EQ(registry.count(), static_cast<int>(c.pets.size())) << c.petList;
        const std::string before = stored();
        EXPECT_EQ(registry.append("new", 3), c.appended) << c.petList;
        Names after = c.pets;
        if (c.appended >= 0) after.resize(c.appended, ":7"), after.push_back("new:3");
        EXPECT_EQ(pets(), after) << c.petList;
        EXPECT_TRUE(c.appended >= 0 || stored() == before) << c.petList;
    }
}

TEST_F(PetRegistryTest, RemoveMovesLaterPetsDownAndAdjustsThePetInPlace) {
    const std::string three = "[PetList]\r\nentry=3\r\nPetname0=a\r\nStatus0=1\r\nPetname1=b\r\nStatus1=2\r\n"
                              "Petname2=c\r\nStatus2=11\r\n";
    const std::optional<int> absent;
    const struct { std::string file; int removed; Names pets; std::optional<int> now; } cases[] = {
        {three + "[NowPet]\r\nnumber=1", 1, {"a:1", "c:11"}, -1}, {three + "[NowPet]\r\nnumber=2", 0, {"b:2", "c:11"}, 1},
        {three + "[NowPet]\r\nnumber=0", 2, {"a:1", "b:2"}, 0},
        {"[PetList]\r\nentry=3\r\nPetname0=a\r\nPetname1=b\r\nPetname2=c\r\nStatus2=8\r\n", 0, {"b:7", "c:8"}, absent},
        {"[PetList]\r\nentry=1\r\nPetname0=a\r\n[NowPet]\r\nnumber=0", 0, {}, -1},
        // Not a registered pet: nothing changes.
        {three + "[NowPet]\r\nnumber=1", -1, {"a:1", "b:2", "c:11"}, 1}, {three, 3, {"a:1", "b:2", "c:11"}, absent},
    };
    for (const auto& c : cases) {
        store(c.file);
        const bool registered = c.pets.size() < 3;
        EXPECT_EQ(registry.remove(c.removed), registered) << c.file;
        EXPECT_EQ(pets(), c.pets) << c.file;
        EXPECT_EQ(ini.readInt("NowPet", "number"), c.now) << c.file;
        // The old last number keeps no key under any spelling.
        const std::string last = std::to_string(c.pets.size());
        EXPECT_EQ(ini.readInt("PetList", "entry"), static_cast<int>(c.pets.size())) << c.file;
        EXPECT_TRUE(!registered || !ini.readText("PetList", "PETNAME" + last)) << c.file;
        EXPECT_TRUE(!registered || !ini.readText("PetList", "status" + last)) << c.file;
    }
}

TEST_F(PetRegistryTest, SettingsAreWrittenInOneRewriteAndWriteFailuresAreReported) {
    const auto encryptedX = [](const std::string& name) { return name == "X"; };
    ASSERT_TRUE(registry.registerAll({"X", "default", "ポチ", "default"}, "C:\\ヴェルモラ", encryptedX));
    EXPECT_EQ(stored(), "[PetList]\r\nentry=4\r\nPetname0=X\r\nStatus0=11\r\nPetname1=default\r\nStatus1=7\r\n"
                        "Petname2=\x83\x7C\x83\x60\r\nStatus2=7\r\nPetname3=default\r\nStatus3=7\r\n[NowPet]\r\n"
                        "number=3\r\n[Velmora]\r\nInstDir=C:\\\x83\x94\x83\x46\x83\x8B\x83\x82\x83\x89\r\n");
    ASSERT_TRUE(registry.update(2, "ねこ", 11));
    ASSERT_TRUE(registry.setWindowPosition(-5, 300));
    EXPECT_EQ(pets(), (Names{"X:11", "default:7", "ねこ:11", "default:7"}));
    EXPECT_EQ(registry.installDir(), "C:\\ヴェルモラ");
    EXPECT_EQ(registry.petInPlace(), 3);
    EXPECT_TRUE(registry.windowPosition().left == -5 && registry.windowPosition().top == 300);
    // A first run that fails part-way must leave no file, or the next
    // start would skip the setup.
    std::filesystem::remove(dir.fsPath("Orvane.ini"));
    EXPECT_FALSE(registry.registerAll({"a", "\xF0\x9F\x90\xB1"}, "C:\\", encryptedX));
    EXPECT_EQ(stored(), "<none>");
    EXPECT_EQ(registry.petInPlace(), 0);  // without a settings file the first pet is in place
    ASSERT_TRUE(registry.registerAll({}, "", encryptedX));
    EXPECT_EQ(registry.petInPlace(), -1);
    std::filesystem::remove(dir.fsPath("Orvane.ini"));
    dir.makeFolder("Orvane.ini");
    EXPECT_EQ(registry.append("a", 7), -1);
}

}  // namespace
}  // namespace orvane
