#include "app/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/WholeFileRead.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif

// File contents are spelled in cp932 bytes so that no test depends on the
// converter: "\x83\x79\x83\x62\x83\x67" is ペット, "\x83\x41" ア, "\x83\x61" ヂ
// (its second byte is "a"), "\x83\x5D" ゾ (its second byte is "]").
namespace orvane {
namespace {

using test::TempDir;

class IniFileTest : public ::testing::Test {
protected:
    std::string iniPath() const { return test::pathToUtf8(dir.fsPath("Orvane.ini")); }
    void store(const std::string& bytes) const { dir.writeFile("Orvane.ini", bytes); }
    std::string stored() const { return dir.readFile("Orvane.ini"); }
    std::vector<std::string> folderNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir.fsPath()))
            names.push_back(test::pathToUtf8(entry.path().filename()));
        return names;
    }

    TempDir dir;
    IniFile ini{iniPath()};
};

TEST_F(IniFileTest, MissingAndEmptyFilesReadAsHavingNoKeys) {
    for (const bool createEmpty : {false, true}) {
        SCOPED_TRACE(createEmpty ? "size 0" : "missing");
        if (createEmpty) store("");
        EXPECT_EQ(ini.readText("PetList", "Petname0"), std::nullopt);
        EXPECT_EQ(ini.readText("PetList", "Petname0", "fallback"), "fallback");
        EXPECT_EQ(ini.readInt("NowPet", "number", -1), -1);
    }
}

TEST_F(IniFileTest, FirstWriteCreatesTheFile) {
    ASSERT_TRUE(ini.writeInt("PetList", "entry", 3));
    EXPECT_EQ(stored(), "[PetList]\r\nentry=3\r\n");
    EXPECT_EQ(ini.readInt("PetList", "entry", 0), 3);
}

struct WriteCase {
    const char* what;
    std::string before;
    std::string section, key, value;
    std::string after;
};

TEST_F(IniFileTest, WritesPlaceKeysAndSectionsAndKeepEverythingElse) {
    const std::vector<WriteCase> cases = {
        {"new key after the last key of its section, before blank lines",
         "[PetList]\r\nentry=1\r\n\r\n[NowPet]\r\nnumber=0\r\n", "PetList", "Petname0", "a",
         "[PetList]\r\nentry=1\r\nPetname0=a\r\n\r\n[NowPet]\r\nnumber=0\r\n"},
        {"new key in a section that has none goes under its header",
         "[Window]\r\n; note\r\n[X]\r\n", "Window", "left", "5",
         "[Window]\r\nleft=5\r\n; note\r\n[X]\r\n"},
        {"new section at the end", "[A]\r\nx=1\r\n", "Velmora", "InstDir", "C:\\v",
         "[A]\r\nx=1\r\n[Velmora]\r\nInstDir=C:\\v\r\n"},
        {"last line without a break gets one before a new section", "[A]\nx=1", "B", "k", "v",
         "[A]\nx=1\r\n[B]\r\nk=v\r\n"},
        {"last line without a break gets one before a new key", "[A]\nx=1", "A", "y", "2",
         "[A]\nx=1\r\ny=2\r\n"},
        {"an existing key under another letter case is replaced", "[petlist]\r\nPETNAME3=old\r\n",
         "PetList", "PetName3", "new", "[petlist]\r\nPETNAME3=new\r\n"},
        {"blanks around the value stay where they were", "[PetList]\r\n  entry = 4  \r\n",
         "PetList", "entry", "5", "[PetList]\r\n  entry = 5  \r\n"},
        {"the empty text writes the key with no value", "[A]\r\nk=v\r\n", "A", "k", "",
         "[A]\r\nk=\r\n"},
        {"a key of the same name in another section is not touched", "[A]\r\nk=1\r\n[B]\r\n", "B",
         "k", "2", "[A]\r\nk=1\r\n[B]\r\nk=2\r\n"},
        {"only the first of duplicate keys changes", "[A]\r\nk=1\r\nk=2\r\n", "A", "K", "3",
         "[A]\r\nk=3\r\nk=2\r\n"},
        {"only the first of duplicate sections changes", "[A]\r\nk=1\r\n[B]\r\n[a]\r\nk=2\r\n", "A",
         "k", "3", "[A]\r\nk=3\r\n[B]\r\n[a]\r\nk=2\r\n"},
        {"keys before any section belong to none", "k=1\r\n", "A", "k", "2",
         "k=1\r\n[A]\r\nk=2\r\n"},
        {"text is written in cp932", "", "PetList", "Petname0", "ペット",
         "[PetList]\r\nPetname0=\x83\x79\x83\x62\x83\x67\r\n"},
        {"a cp932 section whose second byte is ] is found again",
         "[\x83\x5D]\r\nk=1\r\n", "ゾ", "k", "2", "[\x83\x5D]\r\nk=2\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        store(c.before);
        ASSERT_TRUE(ini.writeText(c.section, c.key, c.value));
        EXPECT_EQ(stored(), c.after);
    }
}

TEST_F(IniFileTest, IntegersAreWrittenAsSignedDecimals) {
    ASSERT_TRUE(ini.writeInt("NowPet", "number", -1));
    ASSERT_TRUE(ini.writeInt("Window", "left", -2147483647 - 1));
    EXPECT_EQ(stored(), "[NowPet]\r\nnumber=-1\r\n[Window]\r\nleft=-2147483648\r\n");
    EXPECT_EQ(ini.readInt("NowPet", "number", 0), -1);
    EXPECT_EQ(ini.readInt("Window", "left", 0), -2147483647 - 1);
}

struct IntCase {
    std::string stored;
    std::optional<int> read;
};

TEST_F(IniFileTest, IntegersReadLeadingDigitsAndRefuseTheRest) {
    const std::vector<IntCase> cases = {
        {"12", 12},           {"  12abc", 12},      {"+7", 7},
        {"-1", -1},           {"007", 7},           {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},           {"2147483648", std::nullopt},
        {"-2147483649", std::nullopt},              {"99999999999999999999", std::nullopt},
        {"abc", std::nullopt}, {"", std::nullopt},  {"-", std::nullopt},
        {"+ 3", std::nullopt}, {"\x83\x41", std::nullopt},
        {"7\x83", std::nullopt},  // digits, but the value is not cp932
    };
    for (const auto& c : cases) {
        SCOPED_TRACE("value \"" + c.stored + "\"");
        store("[A]\r\nk=" + c.stored + "\r\n");
        EXPECT_EQ(ini.readInt("A", "k"), c.read);
        EXPECT_EQ(ini.readInt("A", "k", 99), c.read.value_or(99));
    }
}

struct ReadCase {
    const char* what;
    std::string file;
    std::string section, key;
    std::optional<std::string> read;
};

TEST_F(IniFileTest, ReadsFollowTheDocumentedReadings) {
    const std::vector<ReadCase> cases = {
        {"cp932 text", "[PetList]\r\nPetname0=\x83\x79\x83\x62\x83\x67\r\n", "PetList", "Petname0",
         "ペット"},
        {"names ignore ASCII case", "[petlist]\r\nPETNAME0=x\r\n", "PetList", "Petname0", "x"},
        {"blanks around names and values", " [ A ] \r\n\t k \t=\t v w \t\r\n", "A", "k", "v w"},
        {"LF line breaks", "[A]\nk=v\n", "A", "k", "v"},
        {"empty value is present", "[A]\r\nk=\r\n", "A", "k", ""},
        {"the first of duplicate keys", "[A]\r\nk=1\r\nK=2\r\n", "A", "k", "1"},
        {"the first of duplicate sections", "[A]\r\n[B]\r\n[A]\r\nk=2\r\n", "A", "k", std::nullopt},
        {"keys before any section", "k=1\r\n[A]\r\n", "A", "k", std::nullopt},
        {"a line without =", "[A]\r\nk\r\n", "A", "k", std::nullopt},
        {"a comment", "[A]\r\n;k=1\r\n", "A", "k", std::nullopt},
        {"a section without ]", "[A\r\nk=1\r\n", "A", "k", "1"},
        {"a value that is not cp932", "[A]\r\nk=\x83\r\n", "A", "k", std::nullopt},
        {"invalid bytes elsewhere do not matter", "\xFF\xFF\r\n[A]\r\nk=1\r\n\x81\r\n", "A", "k", "1"},
        {"a section whose second byte is ]", "[\x83\x5D]\r\nk=1\r\n", "ゾ", "k", "1"},
        {"second bytes are not case folded", "[A]\r\n\x83\x61=1\r\n", "A", "ア", std::nullopt},
        {"a double-byte key", "[A]\r\n\x83\x61=1\r\n", "A", "ヂ", "1"},
        {"NUL bytes stay text", std::string("[A]\r\nk=a\0b\r\n", 12), "A", "k", std::string("a\0b", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        store(c.file);
        EXPECT_EQ(ini.readText(c.section, c.key), c.read);
    }
}

TEST_F(IniFileTest, WritesLeaveDamagedAndUnknownLinesByteForByte) {
    const std::string head =
        "\xFF\xFE junk\r\n"
        "[PetList]\r\n"
        "entry=2\r\n"
        "a line without equals\r\n"
        "; comment=1\r\n"
        "Petname0=\x83\r\n"   // a lead byte without its second byte
        "Status0=12abc\r\n"
        "Petname1=\x83\x79\x83\x62\x83\x67\r\n";
    const std::string tail =
        "\r\n"
        "[Unknown]\r\n"
        "k=\x81\x7F\n"
        "[PETLIST]\r\n"
        "entry=9\r\n"
        "lone=\r\r\n"
        "no break at the end";
    store(head + tail);

    ASSERT_TRUE(ini.writeInt("PetList", "entry", 3));
    ASSERT_TRUE(ini.writeInt("PetList", "Status2", 7));
    std::string expected = head + "Status2=7\r\n" + tail;
    expected.replace(expected.find("entry=2"), 7, "entry=3");
    EXPECT_EQ(stored(), expected);

    ASSERT_TRUE(ini.writeText("PetList", "Petname0", "ねこ"));
    const std::string damagedName = "Petname0=\x83\r\n";
    expected.replace(expected.find(damagedName), damagedName.size(), "Petname0=\x82\xCB\x82\xB1\r\n");
    EXPECT_EQ(stored(), expected);
    EXPECT_EQ(ini.readText("PetList", "Petname0"), "ねこ");
    EXPECT_EQ(ini.readInt("PetList", "Status0", 7), 12);
}

// Several changes in one rewrite: each key once with its last value, new
// keys in the order first named, after the last key of their section.
TEST_F(IniFileTest, ChangesOfSeveralKeysAreOneRewriteWithTheLastValueOfEach) {
    store("[A]\r\nk=1\r\nx=2\r\n\r\n[B]\r\ny=3");
    IniChanges changes;
    changes.setText("A", "new1", "a")
        .setInt("B", "y", 4)
        .removeKey("A", "x")
        .setText("C", "c", "c")
        .setText("A", "new2", "b")
        .setText("a", "NEW1", "a2")
        .setInt("A", "k", 5);
    ASSERT_TRUE(ini.apply(changes));
    EXPECT_EQ(stored(), "[A]\r\nk=5\r\nnew1=a2\r\nnew2=b\r\n\r\n[B]\r\ny=4\r\n[C]\r\nc=c\r\n");
}

TEST_F(IniFileTest, RemoveKeyTakesEveryLineOfTheKeyInItsSectionOnly) {
    store("[A]\r\nk=1\r\nx=2\r\nK=3\r\n[B]\r\nk=4\r\n[a]\r\nk=5\r\n");
    ASSERT_TRUE(ini.removeKey("A", "k"));
    EXPECT_EQ(stored(), "[A]\r\nx=2\r\n[B]\r\nk=4\r\n[a]\r\nk=5\r\n");
    EXPECT_EQ(ini.readText("A", "k"), std::nullopt);

    ASSERT_TRUE(ini.removeKey("A", "x"));
    EXPECT_EQ(stored(), "[A]\r\n[B]\r\nk=4\r\n[a]\r\nk=5\r\n");

    store("[A]\r\nx=1\r\nk=2");
    ASSERT_TRUE(ini.removeKey("A", "k"));
    EXPECT_EQ(stored(), "[A]\r\nx=1\r\n");
}

TEST_F(IniFileTest, RemovingAnAbsentKeyChangesNothing) {
    EXPECT_TRUE(ini.removeKey("A", "k"));
    EXPECT_FALSE(dir.exists("Orvane.ini"));
    store("[A]\r\nx=1");
    EXPECT_TRUE(ini.removeKey("A", "k"));
    EXPECT_TRUE(ini.removeKey("B", "x"));
    EXPECT_EQ(stored(), "[A]\r\nx=1");
}

TEST_F(IniFileTest, RefusedWritesLeaveTheFileAsItWas) {
    // No cp932 form, a line break that would split the line, names the
    // file could not find again.
    const std::vector<std::vector<std::string>> refused = {
        {"PetList", "Petname0", "\xF0\x9F\x98\x80"},
        {"PetList", "Petname0", "a\r\nentry=0"},
        {"PetList", "Petname0", "\xFF"},
        {"PetList", "Petname=0", "a"},
        {"PetList", "", "a"},
        {"PetList", ";x", "a"},
        {"Pet]List", "k", "a"},
        {"", "k", "a"},
    };
    for (const bool fileExists : {false, true}) {
        if (fileExists) store("[PetList]\r\nentry=1\r\n");
        for (const auto& r : refused) {
            SCOPED_TRACE(r[0] + "/" + r[1] + "=" + r[2]);
            EXPECT_FALSE(ini.writeText(r[0], r[1], r[2]));
            if (fileExists)
                EXPECT_EQ(stored(), "[PetList]\r\nentry=1\r\n");
            else
                EXPECT_FALSE(dir.exists("Orvane.ini"));
        }
    }
    EXPECT_FALSE(ini.removeKey("PetList", "a=b"));
}

TEST_F(IniFileTest, AFileThatCannotBeWrittenMakesWritesFail) {
    IniFile inMissingFolder(test::pathToUtf8(dir.fsPath("absent\\Orvane.ini")));
    EXPECT_FALSE(inMissingFolder.writeInt("PetList", "entry", 1));
    EXPECT_FALSE(dir.exists("absent"));

    dir.makeFolder("Orvane.ini");
    EXPECT_FALSE(ini.writeInt("PetList", "entry", 1));
    EXPECT_FALSE(ini.removeKey("PetList", "entry"));
    EXPECT_EQ(ini.readInt("PetList", "entry", -5), -5);
    EXPECT_TRUE(std::filesystem::is_directory(dir.fsPath("Orvane.ini")));
    EXPECT_EQ(folderNames(), std::vector<std::string>{"Orvane.ini"});
}

// An existing file that cannot be read must not be replaced by a file made
// from nothing: every other key in it would be lost.
TEST_F(IniFileTest, AFileThatCannotBeReadIsNeverReplaced) {
    store("[PetList]\r\nentry=1\r\nPetname0=a\r\n");
#ifdef _WIN32
    const HANDLE exclusive = ::CreateFileW(dir.fsPath("Orvane.ini").c_str(), GENERIC_READ, 0, nullptr,
                                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(ini.writeInt("NowPet", "number", 0));
    EXPECT_FALSE(ini.removeKey("PetList", "entry"));
    ::CloseHandle(exclusive);
#else
    if (::geteuid() == 0) GTEST_SKIP() << "permissions do not bind root";
    ASSERT_EQ(::chmod(iniPath().c_str(), 0200), 0);
    EXPECT_FALSE(ini.writeInt("NowPet", "number", 0));
    EXPECT_FALSE(ini.removeKey("PetList", "entry"));
    ASSERT_EQ(::chmod(iniPath().c_str(), 0600), 0);
#endif
    EXPECT_EQ(stored(), "[PetList]\r\nentry=1\r\nPetname0=a\r\n");
    EXPECT_EQ(folderNames(), std::vector<std::string>{"Orvane.ini"});
}

// Nothing that large is a settings file: it is neither held in memory nor
// rewritten.
TEST_F(IniFileTest, AFileBeyondTheSizeLimitIsNeitherReadNorReplaced) {
    store("[PetList]\r\nentry=1\r\n");
    const auto size = static_cast<std::uintmax_t>(MaxWholeFileBytes) + 1;
    std::filesystem::resize_file(dir.fsPath("Orvane.ini"), size);
    EXPECT_EQ(ini.readInt("PetList", "entry"), std::nullopt);
    EXPECT_FALSE(ini.writeInt("PetList", "entry", 2));
    EXPECT_EQ(std::filesystem::file_size(dir.fsPath("Orvane.ini")), size);
    EXPECT_EQ(folderNames(), std::vector<std::string>{"Orvane.ini"});
}

TEST_F(IniFileTest, ReplacingLeavesNoTemporaryFileBehind) {
    ASSERT_TRUE(ini.writeText("PetList", "Petname0", "a"));
    ASSERT_TRUE(ini.writeText("PetList", "Petname0", "b"));
    EXPECT_EQ(folderNames(), std::vector<std::string>{"Orvane.ini"});
}

TEST_F(IniFileTest, EveryReadSeesEveryEarlierWrite) {
    IniFile other(iniPath());
    for (int i = 0; i < 20; ++i) {
        ASSERT_TRUE(ini.writeInt("PetList", "Status" + std::to_string(i), i));
        ASSERT_EQ(other.readInt("PetList", "Status" + std::to_string(i), -1), i);
    }
    EXPECT_EQ(other.readInt("PetList", "Status0", -1), 0);
}

}  // namespace
}  // namespace orvane
