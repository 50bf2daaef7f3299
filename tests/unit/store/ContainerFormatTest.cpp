#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StoreTestSupport.h"
#include "store/ContainerErrors.h"
#include "store/ContainerFormat.h"
#include "store/PetLayout.h"
#include "store/StoredNames.h"

namespace orvane {
namespace {

using test::cp932;

std::string bytesOf(const CheckBlock& block) { return std::string(block.begin(), block.end()); }

TEST(CheckBlock, AddsTheSizeTermToEachKeyByte) {
    // Size 30 = 1E: byte i = key[i] + (i+1)*1E, e.g. 7A+1E=98, 86+3C=C2,
    // 92+5A=EC, 96+78=0E, ..., C2+1E0=A2.
    const std::string forSize30("\x98\xC2\xEC\x0E\x34\x66\x98\xB2\xCC\xFE\x30\x4A\x64\x96\xC8\xA2", 16);
    EXPECT_EQ(bytesOf(makeCheckBlock(test::KeyOfAbcd, 30)), forSize30);
    EXPECT_EQ(bytesOf(makeCheckBlock(test::KeyOfAbcd, 30 + 256 * 1000)), forSize30);
    const PetKey& key = test::KeyOfAbcd;
    EXPECT_EQ(bytesOf(makeCheckBlock(key, 512)), std::string(key.begin(), key.end()));
}

TEST(RecordHeader, IsLengthNameNulAndLittleEndianSize) {
    EXPECT_EQ(recordHeader("P.ppc", 3), std::string("\x06P.ppc\0\x03\0\0\0", 11));
    // 予 = 97 5C; the 5C inside it stays as it is.
    const std::string name = cp932("予_受信フォルダ\\a");
    EXPECT_EQ(recordHeader(name, 0x01020304),
              std::string("\x12\x97\x5C\x5F\x8E\xF3\x90\x4D\x83\x74\x83\x48\x83\x8B\x83\x5F\x5C\x61\x00"
                          "\x04\x03\x02\x01",
                          23));
    EXPECT_EQ(readLittleEndian32(reinterpret_cast<const unsigned char*>("\x04\x03\x02\xFF")), 0xFF020304u);
}

TEST(StoredNames, PlainNamesAndOneFolderLevelAreSafe) {
    const std::vector<std::string> safe = {
        "P.ppc", "予.ppc", "P_受信フォルダ\\a.ppm", "a b.txt", ".hidden", "x.", "CONSOLE", "COM10", "LPT", "xCON",
    };
    for (const auto& name : safe) EXPECT_TRUE(isSafeStoredName(name)) << name;

    const std::vector<std::string> unsafe = {
        "", ".", "..", "...", " ", ". .", "a\\b\\c", "..\\x", "P_受信フォルダ\\..", "P_受信フォルダ\\",
        "\\abs", "a/b", "C:x", "x\x01y", "a\x7F", "tab\there", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b",
        "CON", "con.txt", "LPT1", "nul .txt", "COM9.log", "Aux", "conin$", "P_受信フォルダ\\PRN",
    };
    for (const auto& name : unsafe) EXPECT_FALSE(isSafeStoredName(name)) << name;
}

TEST(StoredNames, OnlyThePetsOwnNamesAreWritten) {
    const FolderNameTable names = FolderNameTable::forEdition(HostEdition::Standard);
    const PetLayout layout(names);
    struct Case {
        std::string pet;
        std::string stored;  // UTF-8 here, cp932 when checked
        bool own;
    };
    const std::vector<Case> cases = {
        {"P", "P.ppc", true},
        {"P", "P.bak", true},
        {"P", "P_おともだち帳", true},
        {"P", "P_受信フォルダ\\0001.ppm", true},
        {"P", "P_送信フォルダ\\送信.ppl", true},
        {"P", "P_宝物\\tzl001.pac", true},
        {"予", "予_受信フォルダ\\予.ppm", true},
        {"a.b_c", "a.b_c.ppc", true},
        {"a.b_c", "a.b_c_宝物\\x", true},
        {"P", "Q.ppc", false},
        {"P", "P.apd", false},
        {"P", "P.ppcx", false},
        {"P", "Velmora設定.ppc", false},
        {"P", "共有_宝物\\x", false},
        {"P", "P_受信フォルダ", false},
        {"P", "P_おともだち帳\\x", false},
        {"P", "P.ppc\\x", false},
        {"P", "P_受信フォルダ\\sub\\x", false},
        {"P", "P_受信フォルダ\\..", false},
        {"P", "P_受信フォルダ/x", false},
        {"P", "P_受信フォルダ\\CON", false},
        {"a.b", "a.b_c_宝物\\x", false},
        {"予", "予_受信フォルダ\\..\\x", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pet + " / " + c.stored);
        const auto target = ownFileOfStoredName(layout, c.pet, cp932(c.stored));
        EXPECT_EQ(target.has_value(), c.own);
        if (target) {
            EXPECT_EQ(*target, c.stored);
        }
    }
    // A pet respelled in letter case keeps a container with its names spelled
    // the old way: the same files on Windows, written as the pet is now.
    EXPECT_EQ(ownFileOfStoredName(layout, "P", "p.ppc"), "P.ppc");
    EXPECT_EQ(ownFileOfStoredName(layout, "P", cp932("p_受信フォルダ\\Mail.ppm")), "P_受信フォルダ\\Mail.ppm");
    // Bytes that are no cp932 text name nothing.
    EXPECT_FALSE(ownFileOfStoredName(layout, "P", "P\x81"));
    EXPECT_FALSE(ownFileOfStoredName(layout, "P", "P\xFF.ppc"));
}

TEST(StoredNames, EncodingRefusesWhatTheLengthByteCannotHold) {
    const std::string ascii254(254, 'a');
    EXPECT_EQ(encodeStoredName(ascii254), ascii254);
    EXPECT_THROW(encodeStoredName(ascii254 + "a"), UnstorableName);

    std::string kanji127;
    for (int i = 0; i < 127; ++i) kanji127 += "予";
    EXPECT_EQ(encodeStoredName(kanji127).size(), 254u);
    EXPECT_THROW(encodeStoredName(kanji127 + "a"), UnstorableName);

    EXPECT_THROW(encodeStoredName("P_受信フォルダ\\😀.ppm"), UnstorableName);
    EXPECT_THROW(encodeStoredName("P_受信フォルダ\\a:b"), UnstorableName);
    try {
        encodeStoredName(ascii254 + "a");
    } catch (const UnstorableName& error) {
        EXPECT_EQ(error.fileName(), ascii254 + "a");
    }
}

}  // namespace
}  // namespace orvane
