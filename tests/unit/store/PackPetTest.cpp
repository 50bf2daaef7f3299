#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ScriptedDir.h"
#include "StoreTestSupport.h"
#include "platform/FileError.h"
#include "store/ContainerErrors.h"
#include "store/PackPet.h"
#include "store/VerifyContainer.h"

namespace orvane {
namespace {

using test::cp932;
using test::HandRecord;

class PackPetTest : public test::StoreTest {
protected:
    // The pieces of a pet in place under the standard host's names.
    void putPetInPlace() {
        put("Velmora設定.ppc", "pet");
        put("Velmora設定.bak", "backup");
        putFolder("受信フォルダ");
        put("受信フォルダ\\b.ppm", "mail b");
        put("受信フォルダ\\a.ppm", "mail a");
        putFolder("送信フォルダ");
        put("送信フォルダ\\c.ppl", "");
        put("おともだち帳", "friends");
        putFolder("宝物");
        put("宝物\\t.pac", "treasure");
    }

    std::vector<HandRecord> petInPlaceRecords(int status) const {
        std::vector<HandRecord> records = {
            {"P.ppc", "pet"},
            {"P.bak", "backup"},
            {cp932("P_受信フォルダ\\a.ppm"), "mail a"},
            {cp932("P_受信フォルダ\\b.ppm"), "mail b"},
            {cp932("P_送信フォルダ\\c.ppl"), ""},
        };
        if (!(status & 1)) records.push_back({cp932("P_おともだち帳"), "friends"});
        if (!(status & 2)) records.push_back({cp932("P_宝物\\t.pac"), "treasure"});
        return records;
    }
};

TEST_F(PackPetTest, LaysOutARecordByteForByte) {
    put("Velmora設定.ppc", "Hi!");
    PackPet(context_, "P", 7, false, 7);
    // Check block for size 30, then n=6, "P.ppc", NUL, D=3 and
    // 48+7A+0=C2, 69+86+1=F0, 21+92+2=B5.
    const std::string expected(
        "\x98\xC2\xEC\x0E\x34\x66\x98\xB2\xCC\xFE\x30\x4A\x64\x96\xC8\xA2"
        "\x06P.ppc\0\x03\0\0\0\xC2\xF0\xB5",
        30);
    EXPECT_EQ(read("P.apd"), expected);
}

TEST_F(PackPetTest, StoresThePiecesInOrderAsTheFlagsSay) {
    putPetInPlace();
    // Flag 4 (logs shared) and 8 (encrypted) change nothing in a pack.
    for (const int status : {0, 1, 2, 3, 4, 7, 8, 11}) {
        SCOPED_TRACE(status);
        PackPet(context_, "P", status, false, status);
        EXPECT_EQ(read("P.apd"), test::handContainer(test::KeyOfAbcd, petInPlaceRecords(status)));
    }
    EXPECT_FALSE(has("P.apd.tmp"));
}

TEST_F(PackPetTest, PrefersOwnNamesPieceByPiece) {
    putPetInPlace();
    put("P.ppc", "own pet");
    put("P_おともだち帳", "own friends");
    // Without its own receive folder the pair comes from the host's names.
    putFolder("P_送信フォルダ");
    put("P_送信フォルダ\\own.ppl", "ignored");
    PackPet(context_, "P", 0, true, 0);

    auto records = petInPlaceRecords(0);
    records[0].data = "own pet";
    records[5].data = "own friends";
    EXPECT_EQ(read("P.apd"), test::handContainer(test::KeyOfAbcd, records));
}

TEST_F(PackPetTest, OwnReceiveFolderBringsBothMailFoldersFromOwnNames) {
    putPetInPlace();
    putFolder("P_受信フォルダ");
    put("P_受信フォルダ\\x.ppm", "x");
    PackPet(context_, "P", 3, true, 3);
    // The own send folder is missing, so no sent mail is stored.
    EXPECT_EQ(read("P.apd"), test::handContainer(test::KeyOfAbcd, {{"P.ppc", "pet"},
                                                                   {"P.bak", "backup"},
                                                                   {cp932("P_受信フォルダ\\x.ppm"), "x"}}));
}

TEST_F(PackPetTest, MissingPiecesEmptyFoldersAndSubfoldersLeaveNoRecord) {
    put("Velmora設定.ppc", "pet");
    putFolder("受信フォルダ");
    putFolder("受信フォルダ\\sub");
    put("受信フォルダ\\sub\\deep.ppm", "deep");
    putFolder("宝物");
    put("おともだち帳", "");
    PackPet(context_, "P", 0, false, 0);
    EXPECT_EQ(read("P.apd"),
              test::handContainer(test::KeyOfAbcd, {{"P.ppc", "pet"}, {cp932("P_おともだち帳"), ""}}));
}

TEST_F(PackPetTest, NothingToPackGivesTheCheckBlockAlone) {
    PackPet(context_, "P", 0, false, 0);
    EXPECT_EQ(read("P.apd"), test::handCheckBlock(test::KeyOfAbcd, 16));
}

TEST_F(PackPetTest, DataCrossingChunksAndPeriodsFollowsTheDefinition) {
    const std::string big = test::patternedBytes(600 * 1024 + 77, 5);
    put("Velmora設定.ppc", big);
    PackPet(context_, "予.x_y", 0, false, 0);
    EXPECT_EQ(read("予.x_y.apd"), test::handContainer(test::KeyOfAbcd, {{cp932("予.x_y.ppc"), big}}));
}

TEST_F(PackPetTest, ANameTooLongRefusesThePackAndKeepsTheOldContainer) {
    put("P.apd", "old container");
    putPetInPlace();
    // "P_受信フォルダ\" takes 15 bytes in cp932: 239 more make 254.
    put("受信フォルダ\\" + std::string(239, 'n'), "fits");
    PackPet(context_, "P", 0, false, 0);
    const std::string packed = read("P.apd");

    put("受信フォルダ\\" + std::string(240, 'n'), "too long");
    try {
        PackPet(context_, "P", 0, false, 0);
        FAIL() << "packed a name of 255 bytes";
    } catch (const UnstorableName& error) {
        EXPECT_EQ(error.fileName(), "受信フォルダ\\" + std::string(240, 'n'));
    }
    EXPECT_EQ(read("P.apd"), packed);
    EXPECT_FALSE(has("P.apd.tmp"));
}

// A pet in place packed into a backup folder, then read back after a fault
// that a sound write would not leave: the file named is the first one the
// container does not hold intact, or the container itself.
TEST_F(PackPetTest, ReadingBackNamesTheFirstFileTheContainerDoesNotHold) {
    const std::string container = "B\\P.apd";
    const auto flipByte = [&](std::size_t at) {
        std::string bytes = read(container);
        bytes[at] = static_cast<char>(bytes[at] ^ 1);
        put(container, bytes);
    };
    const auto notHeld = [&](const PackedFiles& packed, const std::string& password) -> std::optional<std::string> {
        try {
            VerifyContainerAt(*dir_, container, password, packed);
        } catch (const FileError& error) {
            return error.fileName();
        }
        return std::nullopt;
    };
    const struct {
        const char* fault;
        std::function<void(PackedFiles&, std::string&)> make;
        std::optional<std::string> named;
    } cases[] = {
        {"none", [](auto&, auto&) {}, std::nullopt},
        // 16 bytes of check block, n, "P.ppc" and its NUL, D: the first data byte.
        {"a data byte changed on its way to the disk", [&](auto&, auto&) { flipByte(27); }, "Velmora設定.ppc"},
        {"a source changed since", [&](auto&, auto&) { put("受信フォルダ\\b.ppm", "mail B"); }, "受信フォルダ\\b.ppm"},
        {"a record too many", [](auto& packed, auto&) { packed.pop_back(); }, container},
        {"a record missing", [](auto& packed, auto&) { packed.push_back(packed.back()); }, "宝物\\t.pac"},
        {"the container cut short", [&](auto&, auto&) { put(container, read(container).substr(0, 40)); }, container},
        {"another password", [](auto&, auto& password) { password = "other"; }, container},
    };
    putFolder("B");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        putPetInPlace();
        auto packed = PackInPlacePetInto(*dir_, names_, password_, "P", 0, container);
        EXPECT_EQ(read(container), test::handContainer(test::KeyOfAbcd, petInPlaceRecords(0)));
        std::string password = password_;
        c.make(packed, password);
        EXPECT_EQ(notHeld(packed, password), c.named);
    }
}

class ScriptedPackTest : public PackPetTest {
protected:
    test::ScriptedDir scripted_{*dir_};
    StoreContext scriptedContext_{scripted_, names_, registry_, password_};
};

TEST_F(ScriptedPackTest, OpensTheContainerOnceAndEachSourceOnce) {
    putPetInPlace();
    PackPet(scriptedContext_, "P", 0, false, 0);
    EXPECT_EQ(scripted_.writeOpens, (std::map<std::string, int>{{"P.apd.tmp", 1}}));
    for (const auto& [name, opens] : scripted_.readOpens) EXPECT_EQ(opens, 1) << name;
}

TEST_F(ScriptedPackTest, AFailedWriteOrReplaceLeavesTheOldContainer) {
    putPetInPlace();
    put("P.apd", "old container");
    scripted_.failWritesAfter = 40;
    EXPECT_THROW(PackPet(scriptedContext_, "P", 0, false, 0), FileError);
    EXPECT_EQ(read("P.apd"), "old container");
    EXPECT_FALSE(has("P.apd.tmp"));

    scripted_.failWritesAfter.reset();
    scripted_.failReplace = true;
    EXPECT_THROW(PackPet(scriptedContext_, "P", 0, false, 0), FileError);
    EXPECT_EQ(read("P.apd"), "old container");
    EXPECT_FALSE(has("P.apd.tmp"));
}

TEST_F(ScriptedPackTest, AFileThatExistsButCannotBeReadRefusesThePack) {
    putPetInPlace();
    scripted_.unreadable.insert("受信フォルダ\\a.ppm");
    EXPECT_THROW(PackPet(scriptedContext_, "P", 0, false, 0), FileError);
    EXPECT_FALSE(has("P.apd"));
    EXPECT_FALSE(has("P.apd.tmp"));
}

}  // namespace
}  // namespace orvane
