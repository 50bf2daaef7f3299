#include "app/PetRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "TempDir.h"

// File contents are spelled in cp932 bytes so that no test depends on the
// converter: "\x83\x7C\x83\x60" is ポチ, "\x82\xCB\x82\xB1" ねこ.
namespace orvane {
namespace {

using test::TempDir;

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

class PetRegistryTest : public ::testing::Test {
protected:
    void store(const std::string& bytes) const { dir.writeFile("Orvane.ini", bytes); }
    std::string stored() const { return dir.readFile("Orvane.ini"); }

    // Three pets a, b, c with statuses 1, 2, 11; the pet in place as given
    // ("" leaves the key out).
    void storeThreePets(const std::string& nowPetLine) const {
        std::string file =
            "[PetList]\r\nentry=3\r\n"
            "Petname0=a\r\nStatus0=1\r\n"
            "Petname1=b\r\nStatus1=2\r\n"
            "Petname2=c\r\nStatus2=11\r\n";
        if (!nowPetLine.empty()) file += "[NowPet]\r\n" + nowPetLine + "\r\n";
        store(file);
    }

    std::vector<int> statuses() const {
        std::vector<int> result;
        for (const auto& pet : registry.list()) result.push_back(pet.status);
        return result;
    }

    TempDir dir;
    IniFile ini{test::pathToUtf8(dir.fsPath("Orvane.ini"))};
    PetRegistry registry{ini};
};

TEST_F(PetRegistryTest, MissingOrEmptyFileHasNoPetsAndDefaults) {
    for (const bool createEmpty : {false, true}) {
        SCOPED_TRACE(createEmpty ? "size 0" : "missing");
        if (createEmpty) store("");
        EXPECT_EQ(registry.count(), 0);
        EXPECT_TRUE(registry.list().empty());
        EXPECT_EQ(registry.petInPlace(), 0);
        EXPECT_EQ(registry.installDir(), "");
        EXPECT_EQ(registry.windowPosition().left, std::nullopt);
        EXPECT_EQ(registry.windowPosition().top, std::nullopt);
    }
}

TEST_F(PetRegistryTest, ListReadsNamesAndStatusesInNumberOrder) {
    store("[PetList]\r\nentry=3\r\nPetname2=\x82\xCB\x82\xB1\r\nPetname0=\x83\x7C\x83\x60\r\n"
          "Status0=9\r\nStatus2=11\r\nPetname3=beyond the count\r\n");
    const auto pets = registry.list();
    ASSERT_EQ(pets.size(), 3u);
    EXPECT_EQ(pets[0].number, 0);
    EXPECT_EQ(pets[0].name, "ポチ");
    EXPECT_EQ(pets[0].status, 9);
    EXPECT_EQ(pets[1].name, "");
    EXPECT_EQ(pets[1].status, PetStatusFlags::Default);
    EXPECT_EQ(pets[2].number, 2);
    EXPECT_EQ(pets[2].name, "ねこ");
    EXPECT_EQ(pets[2].status, 11);
    EXPECT_EQ(registry.names(), (std::vector<std::string>{"ポチ", "", "ねこ"}));
}

TEST_F(PetRegistryTest, AppendWithoutEntryKeyStartsAtNumberOne) {
    store("[NowPet]\r\nnumber=-1\r\n");
    EXPECT_EQ(registry.append("ポチ", 3), 1);
    EXPECT_EQ(registry.count(), 2);
    EXPECT_EQ(registry.name(0), "");
    EXPECT_EQ(registry.status(0), 7);
    EXPECT_EQ(registry.name(1), "ポチ");
    EXPECT_EQ(registry.status(1), 3);
    EXPECT_EQ(stored(),
              "[NowPet]\r\nnumber=-1\r\n"
              "[PetList]\r\nPetname1=\x83\x7C\x83\x60\r\nStatus1=3\r\nentry=2\r\n");
}

TEST_F(PetRegistryTest, AppendAfterEntryZeroGivesNumberZero) {
    store("[PetList]\r\nentry=0\r\n");
    EXPECT_TRUE(registry.list().empty());
    EXPECT_EQ(registry.append("a", 7), 0);
    EXPECT_EQ(registry.append("b", 11), 1);
    EXPECT_EQ(registry.names(), (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(statuses(), (std::vector<int>{7, 11}));
}

struct DamagedCountCase {
    const char* what;
    std::string petList;  // the lines of the section
    std::vector<std::string> names;
    int appended;  // the number an append gives, -1 when refused
};

// "entry" decides nothing beyond the names the file holds, up to MaxPets:
// a huge value made the list read the file for every number below it.
TEST_F(PetRegistryTest, ADamagedCountListsOnlyThePetsTheFileNames) {
    std::string fullList;
    for (int i = 0; i < PetRegistry::MaxPets; ++i) fullList += "Petname" + std::to_string(i) + "=p\r\n";
    const std::vector<DamagedCountCase> cases = {
        {"the largest count", "entry=2147483647\r\nPetname0=a\r\nPetname1=b\r\n", {"a", "b"}, 2},
        {"a large count", "entry=100000000\r\nPetname0=a\r\n", {"a"}, 1},
        {"a negative count", "entry=-5\r\nPetname0=a\r\n", {}, 0},
        {"numbers without a name after the last named pet", "entry=4\r\nPetname0=a\r\nStatus3=1\r\n", {"a"}, 1},
        {"a name beyond the most pets there can be", "entry=5000\r\nPetname0=a\r\nPetname1500=z\r\n", {"a"}, 1},
        {"as many pets as there can be", "entry=2147483647\r\n" + fullList,
         std::vector<std::string>(PetRegistry::MaxPets, "p"), -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        store("[PetList]\r\n" + c.petList);
        EXPECT_EQ(registry.names(), c.names);
        EXPECT_EQ(registry.count(), static_cast<int>(c.names.size()));
        const std::string before = stored();
        EXPECT_EQ(registry.append("new", 7), c.appended);
        if (c.appended < 0) {
            EXPECT_EQ(stored(), before);
            continue;
        }
        std::vector<std::string> after = c.names;
        after.push_back("new");
        EXPECT_EQ(registry.names(), after);
        EXPECT_EQ(ini.readInt("PetList", "entry"), c.appended + 1);
    }
}

TEST_F(PetRegistryTest, UpdateReplacesTheNameLineWhateverItsSpelling) {
    store("[PetList]\r\nentry=4\r\nPetname3=old\r\nStatus3=7\r\n");
    ASSERT_TRUE(registry.update(3, "ねこ", 11));
    EXPECT_EQ(registry.name(3), "ねこ");
    EXPECT_EQ(registry.status(3), 11);
    EXPECT_EQ(stored(), "[PetList]\r\nentry=4\r\nPetname3=\x82\xCB\x82\xB1\r\nStatus3=11\r\n");
}

TEST_F(PetRegistryTest, PetInPlaceReadsBackMinusOne) {
    ASSERT_TRUE(registry.setPetInPlace(-1));
    EXPECT_EQ(registry.petInPlace(), -1);
    ASSERT_TRUE(registry.setPetInPlace(2));
    EXPECT_EQ(registry.petInPlace(), 2);
}

struct RemoveCase {
    const char* what;
    std::string nowPetLine;
    int removed;
    std::vector<std::string> names;
    std::vector<int> statuses;
    std::optional<int> petInPlace;  // nullopt: the key stays absent
};

TEST_F(PetRegistryTest, RemoveMovesLaterPetsDownAndAdjustsThePetInPlace) {
    const std::vector<RemoveCase> cases = {
        {"the pet in place", "number=1", 1, {"a", "c"}, {1, 11}, -1},
        {"below the pet in place", "number=2", 0, {"b", "c"}, {2, 11}, 1},
        {"above the pet in place", "number=0", 2, {"a", "b"}, {1, 2}, 0},
        {"none in place", "number=-1", 0, {"b", "c"}, {2, 11}, -1},
        {"the first of three", "number=0", 0, {"b", "c"}, {2, 11}, -1},
        {"no number key reads as none in place", "", 1, {"a", "c"}, {1, 11}, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        storeThreePets(c.nowPetLine);
        ASSERT_TRUE(registry.remove(c.removed));
        EXPECT_EQ(registry.count(), 2);
        EXPECT_EQ(registry.names(), c.names);
        EXPECT_EQ(statuses(), c.statuses);
        EXPECT_EQ(ini.readInt("NowPet", "number"), c.petInPlace);
        // The old last number keeps no key under any spelling.
        const std::string file = lowered(stored());
        EXPECT_EQ(file.find("petname2"), std::string::npos);
        EXPECT_EQ(file.find("status2"), std::string::npos);
    }
}

TEST_F(PetRegistryTest, RemovingTheOnlyPetEmptiesTheList) {
    store("[PetList]\r\nentry=1\r\nPetname0=a\r\nStatus0=7\r\n[NowPet]\r\nnumber=0\r\n");
    ASSERT_TRUE(registry.remove(0));
    EXPECT_EQ(stored(), "[PetList]\r\nentry=0\r\n[NowPet]\r\nnumber=-1\r\n");
}

TEST_F(PetRegistryTest, APetWithoutStatusKeyKeepsItsStatusWhenItMoves) {
    store("[PetList]\r\nentry=3\r\nPetname0=a\r\nPetname1=b\r\nPetname2=c\r\nStatus2=8\r\n");
    ASSERT_TRUE(registry.remove(0));
    EXPECT_EQ(registry.names(), (std::vector<std::string>{"b", "c"}));
    EXPECT_EQ(statuses(), (std::vector<int>{7, 8}));
}

TEST_F(PetRegistryTest, RemoveOfANumberOutsideTheListChangesNothing) {
    storeThreePets("number=1");
    const std::string before = stored();
    for (const int k : {-1, 3, 100}) {
        SCOPED_TRACE(k);
        EXPECT_FALSE(registry.remove(k));
        EXPECT_EQ(stored(), before);
    }
    store("");
    EXPECT_FALSE(registry.remove(0));
    EXPECT_EQ(stored(), "");
}

TEST_F(PetRegistryTest, RegisterAllWritesTheWholeRegistry) {
    const std::set<std::string> containers = {"X"};
    const auto hasContainer = [&](const std::string& name) { return containers.count(name) > 0; };
    ASSERT_TRUE(registry.registerAll({"default", "X", "ポチ"}, "C:\\ヴェルモラ", hasContainer));
    EXPECT_EQ(stored(),
              "[PetList]\r\nentry=3\r\n"
              "Petname0=default\r\nStatus0=7\r\n"
              "Petname1=X\r\nStatus1=11\r\n"
              "Petname2=\x83\x7C\x83\x60\r\nStatus2=7\r\n"
              "[NowPet]\r\nnumber=0\r\n"
              "[Velmora]\r\nInstDir=C:\\\x83\x94\x83\x46\x83\x8B\x83\x82\x83\x89\r\n");
    EXPECT_EQ(registry.installDir(), "C:\\ヴェルモラ");
}

TEST_F(PetRegistryTest, RegisterAllNamesTheLastDefaultAsThePetInPlace) {
    const auto none = [](const std::string&) { return false; };
    ASSERT_TRUE(registry.registerAll({"default", "a", "default"}, "D:\\h", none));
    EXPECT_EQ(registry.petInPlace(), 2);

    TempDir other;
    IniFile otherIni(test::pathToUtf8(other.fsPath("Orvane.ini")));
    PetRegistry empty(otherIni);
    ASSERT_TRUE(empty.registerAll({}, "", none));
    EXPECT_EQ(empty.count(), 0);
    EXPECT_EQ(empty.petInPlace(), -1);
    EXPECT_EQ(other.readFile("Orvane.ini"),
              "[PetList]\r\nentry=0\r\n[NowPet]\r\nnumber=-1\r\n[Velmora]\r\nInstDir=\r\n");
}

TEST_F(PetRegistryTest, WindowPositionKeepsEachCoordinateOptional) {
    store("[Window]\r\ntop=-20\r\n");
    EXPECT_EQ(registry.windowPosition().left, std::nullopt);
    EXPECT_EQ(registry.windowPosition().top, -20);
    ASSERT_TRUE(registry.setWindowPosition(-5, 300));
    EXPECT_EQ(registry.windowPosition().left, -5);
    EXPECT_EQ(registry.windowPosition().top, 300);
}

TEST_F(PetRegistryTest, OperationsReportAFileThatCannotBeWritten) {
    dir.makeFolder("Orvane.ini");
    EXPECT_EQ(registry.append("a", 7), -1);
    EXPECT_FALSE(registry.update(0, "a", 7));
    EXPECT_FALSE(registry.setPetInPlace(0));
    EXPECT_FALSE(registry.setInstallDir("C:\\"));
    EXPECT_FALSE(registry.setWindowPosition(1, 2));
    EXPECT_FALSE(registry.registerAll({"a"}, "C:\\", [](const std::string&) { return false; }));
}

TEST_F(PetRegistryTest, AChangeOfSeveralKeysThatFailsWritesNoneOfThem) {
    const std::string cat = "\xF0\x9F\x90\xB1";  // no cp932 form
    store("[PetList]\r\nentry=1\r\nPetname0=a\r\n");
    EXPECT_EQ(registry.append(cat, 7), -1);
    EXPECT_EQ(stored(), "[PetList]\r\nentry=1\r\nPetname0=a\r\n");

    // A first run that fails part-way must leave no file, or the next start
    // would skip the setup.
    TempDir other;
    IniFile otherIni(test::pathToUtf8(other.fsPath("Orvane.ini")));
    PetRegistry fresh(otherIni);
    EXPECT_FALSE(fresh.registerAll({"a", cat}, "C:\\", [](const std::string&) { return false; }));
    EXPECT_FALSE(other.exists("Orvane.ini"));
}

}  // namespace
}  // namespace orvane
