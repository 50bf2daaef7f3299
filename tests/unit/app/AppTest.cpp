#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "TempDir.h"
#include "app/HostNames.h"
#include "app/IniFile.h"
#include "app/PetRegistry.h"
#include "app/StartupPaths.h"
#include "platform/FileError.h"
#include "platform/WholeFileRead.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <csignal>
#endif

// Contents are cp932 bytes, so that no test depends on the converter: "\x83\x79\x83\x62\x83\x67" is
// ペット, "\x83\x61" ヂ (its second byte is "a"), "\x83\x5D" ゾ (its second byte is "]"), "\x83\x7C\x83\x60" ポチ,
// "\x82\xCB\x82\xB1" ねこ.
namespace orvane {
namespace {

using Text = std::optional<std::string>;
using Names = std::vector<std::string>;
const Text none;

class SettingsFileTest : public ::testing::Test {
protected:
    void store(const Text& bytes) const {
        std::filesystem::remove(dir.fsPath("Orvane.ini"));
        if (bytes) dir.writeFile("Orvane.ini", *bytes);
    }
    Text stored() const { return dir.exists("Orvane.ini") ? Text(dir.readFile("Orvane.ini")) : none; }
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

TEST_F(SettingsFileTest, ReadsFollowTheDocumentedReadings) {
    const struct { std::string file, section, key; Text read; } cases[] = {
        {"[P]\r\nn=\x83\x79\x83\x62\x83\x67\r\n", "P", "n", "ペット"}, {"[pz]\r\nNAME0=x\r\n", "PZ", "name0", "x"},
        {" [ A ] \r\n\t k \t=\t v w \t\r\n", "A", "k", "v w"}, {"x=1\n[A]\nk=a=b", "A", "k", "a=b"},
        {"[A]\r\nk=\r\n", "A", "k", ""}, {"[A]\r\nk=1\r\nK=2\r\n", "A", "k", "1"},  // the first of duplicates
        {"[A]\r\n[B]\r\n[A]\r\nk=2\r\n", "A", "k", none}, {"k=1\r\n[B]\r\nk=1\r\n[AB]\r\nk=1\r\n", "A", "k", none},
        {"[A]\r\nk\r\n;k=1\r\n", "A", "k", none}, {"[A\nk=1\r\n", "A", "k", "1"}, {"[A]x\r\nk=1\r\n", "A", "k", "1"},
        {"\xFF\r\n[A]\r\nk=\x83\r\n", "A", "k", none}, {"[\x83\x5D]\r\nk=1\r\n", "ゾ", "k", "1"},
        {"[A]\r\n\x83\x61=1\r\n", "A", "ヂ", "1"}, {"[A]\r\n\x83\x61=1\r\n", "A", "Ｂ", none}, {"[A]\r\nk=1", "A", "k=", none},
        // Second bytes that look like letters are not folded, whatever the lead byte.
        {"[A]\r\n\x81\x61=1", "A", "、", none}, {"[A]\r\n\x9F\x61=1", "A", "蘗", none},
        {"[A]\r\n\xE0\x61=1", "A", "漓", none}, {"[A]\r\n\xFC\x61=1", "A", "魵", none},
    };
    for (const auto& c : cases) {
        store(c.file);
        EXPECT_EQ(ini.readText(c.section, c.key), c.read) << c.file;
        EXPECT_EQ(ini.readText(c.section, c.key, "fallback"), c.read.value_or("fallback")) << c.file;
    }
    const std::optional<int> no;
    const std::pair<std::string, std::optional<int>> numbers[] = {
        {"  12abc", 12}, {"+7", 7}, {"-1", -1}, {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
        {"2147483648", no}, {"-2147483649", no}, {"99999999999999999999", no}, {"-", no}, {"+ 3", no}, {"7\x83", no},
    };
    for (const auto& [value, read] : numbers) {
        store("[A]\r\nk=" + value + "\r\n");
        EXPECT_EQ(ini.readInt("A", "k", 99), read.value_or(99)) << value;
    }
}

// One change rewrites its own line, or adds one after the last key of its
// section, or a section at the end; every other byte stays.
TEST_F(SettingsFileTest, WritesChangeTheirOwnLineAndKeepEveryOtherByte) {
    const std::string head = "\xFF\xFE\r\n[P]\r\ne=2\r\nno equals\r\n; c=1\r\nn=\x83\r\n";
    const std::string tail = "\r\n[U]\r\nk=\x81\x7F\n[p]\r\ne=9\r\nlone=\r\r\nno break at the end";
    const struct { Text before; std::string section, key; Text value, after; } cases[] = {  // value none: removeKey
        {none, "P", "e", "ペット", "[P]\r\ne=\x83\x79\x83\x62\x83\x67\r\n"}, {head + tail, "P", "s", "7", head + "s=7\r\n" + tail},
        {"[P]\r\ne=1\r\n\r\n[N]\r\nn=0\r\n", "P", "k", "a", "[P]\r\ne=1\r\nk=a\r\n\r\n[N]\r\nn=0\r\n"},
        {"[W]\r\n; note\r\n[X]\r\n", "W", "left", "5", "[W]\r\nleft=5\r\n; note\r\n[X]\r\n"},
        {"k=1\r\n[A]\nx=1", "B", "k", "v", "k=1\r\n[A]\nx=1\r\n[B]\r\nk=v\r\n"},
        {"[A]\nx=1", "A", "y", "2", "[A]\nx=1\r\ny=2\r\n"}, {"[pl]\r\nNAME3=old\r\n", "PL", "Name3", "", "[pl]\r\nNAME3=\r\n"},
        {"[P]\r\n  e = 4  \r\n", "P", "e", "5", "[P]\r\n  e = 5  \r\n"},
        {"[A]\r\nk=1\r\nK=0\r\n[B]\r\n[a]\r\nk=2\r\n", "a", "K", "4", "[A]\r\nk=4\r\nK=0\r\n[B]\r\n[a]\r\nk=2\r\n"},
        {"[\x83\x5D]\r\nk=1\r\n", "ゾ", "k", "2", "[\x83\x5D]\r\nk=2\r\n"},
        // A removal takes every line of the key in its section only.
        {"[A]\r\nk=1\r\nx=2\r\nK=3\r\n[B]\r\nk=4\r\n[a]\r\nk=5", "A", "k", none, "[A]\r\nx=2\r\n[B]\r\nk=4\r\n[a]\r\nk=5"},
        {"[A]\r\nx=1\r\nk=2", "A", "k", none, "[A]\r\nx=1\r\n"}, {"[A]\r\nx=1", "B", "x", none, "[A]\r\nx=1"},
        {none, "A", "k", none, none},
    };
    for (const auto& c : cases) {
        store(c.before);
        EXPECT_TRUE(c.value ? ini.writeText(c.section, c.key, *c.value) : ini.removeKey(c.section, c.key)) << c.key;
        EXPECT_EQ(stored(), c.after) << c.key;
    }
    // No cp932 form, a line break that would split the line, names the
    // file could not find again: refused, with the file as it was.
    const char* refused[][3] = {{"A", "k", "\xF0\x9F\x98\x80"}, {"A", "k", "a\r\nentry=0"}, {"A", "k", "a\rb"},
                                {"A", "k=0", "a"}, {"A", "", "a"}, {"A", ";x", "a"}, {"A", "[x", "a"}, {"A", "k ", "a"},
                                {"A]B", "k", "a"}, {" A", "k", "a"}, {"", "k", "a"}};
    for (const Text& before : {none, Text("[A]\r\nk=1\r\n")}) {
        store(before);
        for (const auto& r : refused) {
            EXPECT_FALSE(ini.writeText(r[0], r[1], r[2])) << r[0] << "/" << r[1] << "=" << r[2];
            EXPECT_EQ(stored(), before) << r[0] << "/" << r[1] << "=" << r[2];
        }
    }
    EXPECT_FALSE(ini.removeKey("A", "k="));
}

// Several changes in one rewrite: each key once with its last value, new
// keys in the order first named; one that cannot be stored stops them all.
TEST_F(SettingsFileTest, ChangesOfSeveralKeysAreOneRewriteWithTheLastValueOfEach) {
    store("[A]\r\nk=1\r\nx=2\r\n\r\n[B]\r\ny=3");
    IniChanges changes;
    changes.setText("A", "new1", "a").removeKey("A", "x").setText("C", "c", "c").setText("A", "new2", "b");
    ASSERT_TRUE(ini.apply(changes.setText("a", "NEW1", "a2").setInt("A", "k", 5).setText("D", "d", "").removeKey("D", "d")));
    EXPECT_EQ(stored(), "[A]\r\nk=5\r\nnew1=a2\r\nnew2=b\r\n\r\n[B]\r\ny=3\r\n[C]\r\nc=c\r\n");
    EXPECT_FALSE(ini.apply(IniChanges().setInt("A", "k", 6).setText("A", "x", "\xF0\x9F\x98\x80")));
    EXPECT_EQ(ini.readInt("A", "k"), 5);
}

// A file that cannot be read, nor written whole, is never replaced: every
// other key in it would be lost.
TEST_F(SettingsFileTest, AFileThatCannotBeReadOrWrittenWholeIsNeverReplaced) {
    const auto expectRefused = [&](const char* what) {
        EXPECT_TRUE(!ini.writeInt("P", "e", 2) && !ini.removeKey("P", "e") && !ini.readInt("P", "e")) << what;
    };
    store("[P]\r\ne=1\r\n");
    const auto tooLarge = static_cast<std::uintmax_t>(MaxWholeFileBytes) + 1;
    std::filesystem::resize_file(dir.fsPath("Orvane.ini"), tooLarge);
    expectRefused("a file beyond the size limit");
    EXPECT_EQ(std::filesystem::file_size(dir.fsPath("Orvane.ini")), tooLarge);
    store("[P]\r\ne=1\r\n");
#ifdef _WIN32
    const HANDLE exclusive = ::CreateFileW(dir.fsPath("Orvane.ini").c_str(), GENERIC_READ, 0, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    expectRefused("a file another program holds");
    ::CloseHandle(exclusive);
#else
    // The disk fills up half-way through the new file.
    store("[P]\r\ne=1\r\n");
    rlimit limit{};
    ::getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{100, limit.rlim_max};
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_FALSE(ini.writeText("P", "n", std::string(200, 'x')));
    const test::TempDir other;  // a pet's file fails as loudly
    EXPECT_THROW(openInstallDir(other.path())->openWrite("P.ppc", OpenForWrite::CreateOrTruncate)->write(std::string(200, 'x').data(), 200), FileError);
    ::setrlimit(RLIMIT_FSIZE, &limit), std::signal(SIGXFSZ, oldHandler);
#endif
    EXPECT_EQ(stored(), "[P]\r\ne=1\r\n");
    const auto entries = std::filesystem::directory_iterator(dir.fsPath());
    EXPECT_EQ(std::distance(begin(entries), end(entries)), 1);  // no temporary file left
}

// "entry" decides nothing beyond the names the file holds, up to MaxPets:
// a huge value made the list read the file for every number below it. An
// append takes the next number (1 without "entry"), -1 when refused.
TEST_F(SettingsFileTest, TheListHoldsThePetsTheFileNamesAndAnAppendComesLast) {
    const struct { std::string petList; Names pets; int appended; } cases[] = {
        {"", {}, 1}, {"entry=0\r\nPetname0=a\r\n", {}, 0}, {"entry=-5\r\nPetname0=a\r\n", {}, 0},
        {"entry=3\r\nPetname2=\x82\xCB\x82\xB1\r\nPetname0=\x83\x7C\x83\x60\r\nStatus0=9\r\nStatus2=11\r\nPetname3=x\r\n",
         {"ポチ:9", ":7", "ねこ:11"}, 3},
        {"ENTRY=2\r\npetname0=a\r\nSTATUS0=3\r\nPETNAME1=b\r\nPetname0=x\r\nstatus0=5\r\n", {"a:3", "b:7"}, 2},
        {"entry=3\r\nPetname00=x\r\nPetname1=b\r\nPetname2x=y\r\nPetname=z\r\nStatus01=3\r\nStatus1=x\r\n", {":7", "b:7"}, 2},
        {"entry=2147483647\r\nPetname0=a\r\nStatus3=1\r\nPetname1000=z\r\n", {"a:7"}, 1},
    };
    for (const auto& c : cases) {
        store("[NowPet]\r\nnumber=-1\r\n[PetList]\r\n" + c.petList);
        EXPECT_EQ(pets(), c.pets) << c.petList;
        EXPECT_EQ(registry.count(), static_cast<int>(c.pets.size())) << c.petList;
        const Text before = stored();
        EXPECT_EQ(registry.append("new", 3), c.appended) << c.petList;
        Names after = c.pets;
        if (c.appended >= 0) after.resize(c.appended, ":7"), after.push_back("new:3");
        EXPECT_EQ(pets(), after) << c.petList;
        EXPECT_TRUE(c.appended >= 0 || stored() == before) << c.petList;
    }
}

TEST_F(SettingsFileTest, RemoveMovesLaterPetsDownAndAdjustsThePetInPlace) {
    const std::string three = "[PetList]\r\nentry=3\r\nPetname0=a\r\nStatus0=1\r\nPetname1=b\r\nStatus1=2\r\n"
                              "Petname2=c\r\nStatus2=11\r\n";
    const std::optional<int> absent;
    const struct { std::string file; int removed; Names pets; std::optional<int> now; } cases[] = {
        {three + "[NowPet]\r\nnumber=2", 0, {"b:2", "c:11"}, 1}, {three + "[NowPet]\r\nnumber=0", 2, {"a:1", "b:2"}, 0},
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

TEST_F(SettingsFileTest, SettingsAreWrittenInOneRewriteAndWriteFailuresAreReported) {
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
    // A first run that fails part-way leaves no file, or the next start would skip the setup.
    std::filesystem::remove(dir.fsPath("Orvane.ini"));
    EXPECT_FALSE(registry.registerAll({"a", "\xF0\x9F\x90\xB1"}, "C:\\", encryptedX));
    EXPECT_EQ(stored(), none);
    EXPECT_EQ(registry.petInPlace(), 0);  // without a settings file the first pet is in place
    ASSERT_TRUE(registry.registerAll({}, "", encryptedX));
    EXPECT_EQ(registry.petInPlace(), -1);
}

TEST(StartupPaths, TheProgramsFolderAndTitleAndTheInstallDirThatExists) {
    const char* programs[][3] = {
        {R"(C:\ペット\My.Pets.exe)", R"(C:\ペット\)", "My.Pets"}, {R"(C:\dir.x\orvane)", R"(C:\dir.x\)", "orvane"},
        {R"(\\server\share\.EXE)", R"(\\server\share\)", ".EXE"}, {"C:/Orvane.exe", "C:/", "Orvane"}, {"Orvane.exe", "", "Orvane"},
    };
    for (const auto& c : programs) EXPECT_EQ(folderOfProgram(c[0]) + "|" + titleOfProgram(c[0]), c[1] + std::string("|") + c[2]) << c[0];
    // A stored folder that exists, relative to the program's folder unless rooted.
    const std::set<std::string> folders = {R"(D:\Host)", R"(C:\Tools\host)", R"(\\server\host)", R"(\h)", "/h", "C:h"};
    const auto isFolder = [&folders](const std::string& path) { return folders.count(path) > 0; };
    const char* stored[][2] = {{"", R"(C:\Tools\)"}, {R"(D:\Host)", R"(D:\Host)"}, {R"(D:\Missing)", R"(C:\Tools\)"},
                               {"host", R"(C:\Tools\host)"}, {R"(\\server\host)", R"(\\server\host)"},
                               {R"(\h)", R"(\h)"}, {"/h", "/h"}, {"C:h", "C:h"}, {"h", R"(C:\Tools\)"}};
    for (const auto& c : stored) EXPECT_EQ(chooseInstallDir(R"(C:\Tools\)", c[0], isFolder), c[1]) << c[0];
}

// The first "Velmora*.exe" file decides the host, and with it the name of
// the pet file it uses: Kids only for the exact spelling.
TEST(StartupPaths, TheFirstMatchingExecutableDecidesTheHost) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {  // a name ending in "\" is a folder
        {{"Velmora.exe"}, "Velmora.exe Velmora設定"}, {{"velmorakids.exe"}, "velmorakids.exe Velmora設定"},
        {{"VelmoraKids.exe", "VELMORA2.EXE"}, "VELMORA2.EXE Velmora設定"},
        {{"Velmora.exe\\", "VelmoraKids.exe"}, "VelmoraKids.exe VelmoraKids設定"},
        {{"Velmora.exe.lnk", "Host.exe", "Velmora.exe\\"}, ""},
    };
    for (const auto& [entries, found] : cases) {
        test::TempDir temp;
        for (const auto& name : entries) name.ends_with('\\') ? temp.makeFolder(name.substr(0, name.size() - 1)) : temp.writeFile(name, "MZ");
        const auto host = findHostExecutable(*openInstallDir(temp.path()));
        EXPECT_EQ(host ? host->fileName + " " + FolderNameTable::forEdition(host->edition).settingsName : "", found);
    }
}

}  // namespace
}  // namespace orvane
