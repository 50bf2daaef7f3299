#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "ScriptedDir.h"
#include "StoreTestSupport.h"
#include "platform/FileError.h"
#include "store/ContainerErrors.h"
#include "store/ContainerFormat.h"
#include "store/PackPet.h"
#include "store/UnpackPet.h"

namespace orvane {
namespace {

using test::cp932;
using test::HandRecord;

class UnpackPetTest : public test::StoreTest {
protected:
    UnpackResult unpack(const std::string& pet, bool extract = true) {
        return UnpackPet(context_, pet, extract);
    }

    // Asserts that unpacking the container is refused as damaged and
    // changes nothing at all.
    void expectDamaged(const std::string& containerBytes) {
        put("P.apd", containerBytes);
        const auto before = snapshot();
        const auto beside = entriesBesideInstallDir();
        try {
            unpack("P");
            ADD_FAILURE() << "unpacked a damaged container";
        } catch (const DamagedContainer& error) {
            EXPECT_EQ(error.fileName(), "P.apd");
            EXPECT_EQ(error.reason(), "暗号化ペットのファイルが壊れています。");
        }
        EXPECT_EQ(snapshot(), before);
        EXPECT_EQ(entriesBesideInstallDir(), beside);
    }

    // Bytes cut to the given size, with the check block of that size, so
    // that only the structure can tell.
    static std::string cutTo(const std::string& container, std::size_t size) {
        std::string cut = container.substr(0, size);
        if (size >= 16) cut.replace(0, 16, test::handCheckBlock(test::KeyOfAbcd, size));
        return cut;
    }
};

TEST_F(UnpackPetTest, RoundTripRestoresEveryFileUnderOwnNames) {
    for (const std::string pet : {"P", "a.b_c", "予", "予.x_y"}) {
        SCOPED_TRACE(pet);
        const std::string big = test::patternedBytes(StreamChunkSize + 1000, 1);
        put("Velmora設定.ppc", "pet " + pet);
        put("Velmora設定.bak", big);
        putFolder("受信フォルダ");
        put("受信フォルダ\\予約.ppm", test::patternedBytes(300, 2));
        put("受信フォルダ\\empty.ppm", "");
        putFolder("送信フォルダ");
        put("送信フォルダ\\s.ppl", "sent");
        put("おともだち帳", "friends");
        putFolder("宝物");
        put("宝物\\t.pac", "treasure");
        PackPet(context_, pet, 0, false, 0);
        const std::string container = read(pet + ".apd");

        ASSERT_EQ(unpack(pet), UnpackResult::Done);
        EXPECT_EQ(read(pet + ".ppc"), "pet " + pet);
        EXPECT_EQ(read(pet + ".bak"), big);
        EXPECT_EQ(read(pet + "_受信フォルダ\\予約.ppm"), test::patternedBytes(300, 2));
        EXPECT_EQ(read(pet + "_受信フォルダ\\empty.ppm"), "");
        EXPECT_EQ(read(pet + "_送信フォルダ\\s.ppl"), "sent");
        EXPECT_EQ(read(pet + "_おともだち帳"), "friends");
        EXPECT_EQ(read(pet + "_宝物\\t.pac"), "treasure");
        EXPECT_EQ(read(pet + ".apd"), container);
    }
}

TEST_F(UnpackPetTest, ReadsAContainerLaidOutByHand) {
    put("予.apd", test::handContainer(test::KeyOfAbcd, {
                                                          {cp932("予.ppc"), "pet"},
                                                          {cp932("予_受信フォルダ\\予.ppm"), "mail"},
                                                          {cp932("予_宝物\\z"), ""},
                                                      }));
    ASSERT_EQ(unpack("予"), UnpackResult::Done);
    EXPECT_EQ(snapshot(), (std::map<std::string, std::string>{
                              {"予.apd", read("予.apd")},
                              {"予.ppc", "pet"},
                              {"予_受信フォルダ", "<folder>"},
                              {"予_受信フォルダ\\予.ppm", "mail"},
                              {"予_宝物", "<folder>"},
                              {"予_宝物\\z", ""},
                          }));
}

TEST_F(UnpackPetTest, PasswordOf16BytesUsesAllKeyBytes) {
    const PetKey key16 = {0xB6, 0xC2, 0xCE, 0x06, 0x43, 0x59, 0x6F, 0x6D,
                          0x6B, 0xA8, 0xE5, 0xE3, 0xE1, 0xF7, 0x0D, 0x64};
    put("P.apd", test::handContainer(key16, {{"P.ppc", test::patternedBytes(40)}}));
    password_ = "0123456789abcdee";
    EXPECT_EQ(unpack("P"), UnpackResult::WrongPassword);
    password_ = "0123456789abcdef";
    ASSERT_EQ(unpack("P"), UnpackResult::Done);
    EXPECT_EQ(read("P.ppc"), test::patternedBytes(40));
}

TEST_F(UnpackPetTest, WrongPasswordWritesNothing) {
    put("Velmora設定.ppc", "pet");
    putFolder("受信フォルダ");
    put("受信フォルダ\\a.ppm", "mail");
    PackPet(context_, "P", 0, false, 0);
    put("Velmora設定.ppc", "changed");
    const auto before = snapshot();
    password_ = "abce";
    EXPECT_EQ(unpack("P", true), UnpackResult::WrongPassword);
    EXPECT_EQ(unpack("P", false), UnpackResult::WrongPassword);
    EXPECT_EQ(snapshot(), before);

    password_ = "abcd";
    EXPECT_EQ(unpack("P", false), UnpackResult::Done);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(UnpackPetTest, ASizeChangeFailsTheCheckUnlessByAMultipleOf256) {
    const std::string container = test::handContainer(test::KeyOfAbcd, {{"P.ppc", "pet"}});
    const struct {
        std::string bytes;
        UnpackResult result;
    } cases[] = {
        {container + "x", UnpackResult::WrongPassword},
        {container.substr(0, container.size() - 1), UnpackResult::WrongPassword},
        {container + std::string(256, 'x'), UnpackResult::Done},
    };
    for (const auto& c : cases) {
        put("P.apd", c.bytes);
        EXPECT_EQ(unpack("P", false), c.result) << c.bytes.size();
    }
}

TEST_F(UnpackPetTest, ACheckBlockAloneIsAnEmptyPet) {
    put("P.apd", test::handCheckBlock(test::KeyOfAbcd, 16));
    const auto before = snapshot();
    EXPECT_EQ(unpack("P"), UnpackResult::Done);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(UnpackPetTest, AMissingContainerIsAFileError) {
    EXPECT_THROW(unpack("P"), FileError);
    EXPECT_THROW(unpack("P", false), FileError);
    EXPECT_TRUE(snapshot().empty());
}

TEST_F(UnpackPetTest, CutShortContainersAreDamaged) {
    // Record 1 spans 16..33: n at 16, name 17..22, D 23..26, data 27..33;
    // record 2 begins at 34.
    const std::string whole = test::handContainer(
        test::KeyOfAbcd, {{"P.ppc", "7 bytes"}, {cp932("P_受信フォルダ\\a.ppm"), "mail"}});
    const struct {
        const char* where;
        std::size_t size;
    } cuts[] = {
        {"nothing at all", 0},        {"inside the check block", 10}, {"inside a name", 20},
        {"inside a length", 25},      {"inside data", 30},            {"after a length byte", 35},
        {"inside the last data", whole.size() - 1},
    };
    for (const auto& cut : cuts) {
        SCOPED_TRACE(cut.where);
        expectDamaged(cutTo(whole, cut.size));
    }
}

TEST_F(UnpackPetTest, MalformedRecordsAreDamaged) {
    const PetKey& key = test::KeyOfAbcd;
    const std::string good = test::handRecord(key, {"P.ppc", "pet"});
    const auto container = [&](const std::string& body) { return test::handCheckBlock(key, 16 + body.size()) + body; };
    const struct {
        const char* what;
        std::string body;
    } cases[] = {
        {"length past the end", good + std::string("\x06P.bak\0\xFF\0\0\0abc", 14)},
        {"length far past the end", good + std::string("\x06P.bak\0\xFF\xFF\xFF\xFF", 11)},
        {"name without NUL", std::string("\x05P.ppc\x03\0\0\0abc", 13)},
        {"NUL inside the name", std::string("\x06P\0ppc\0\x00\0\0\0", 11)},
        {"zero name length", std::string("\x00\x00\x00\x00\x00", 5)},
        {"empty name", std::string("\x01\0\0\0\0\0", 6)},
        {"name length beyond the file", std::string("\xFFP.ppc\0", 7)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        expectDamaged(container(c.body));
    }
}

TEST_F(UnpackPetTest, NamesOutsideThePetsOwnAreDamagedAndNothingIsWritten) {
    const std::vector<std::string> badNames = {
        "..\\P.ppc",
        "P_受信フォルダ\\..\\..\\x",
        "P_受信フォルダ\\..",
        "P_受信フォルダ\\sub\\x",
        "P_受信フォルダ/../x",
        "C:\\x",
        "\\x",
        "/tmp/x",
        "P_受信フォルダ\\a:b",
        "P_受信フォルダ\\a\x01",
        "P_受信フォルダ\\NUL",
        "Q.ppc",
        "Velmora設定.ppc",
        "共有_おともだち帳",
        "P.apd",
    };
    for (const auto& name : badNames) {
        SCOPED_TRACE(name);
        // A good record first: it must not be written either.
        expectDamaged(test::handContainer(test::KeyOfAbcd, {{"P.ppc", "pet"}, {cp932(name), "evil"}}));
    }
    expectDamaged(test::handContainer(test::KeyOfAbcd, {{"P.ppc", "pet"}, {"P_\xFF\\x", "evil"}}));
}

// A change of settings deletes the container after unpacking: a file left
// out, even an empty one, would be lost with it.
TEST_F(UnpackPetTest, AFileThatCannotBeCreatedStopsTheUnpackEvenWhenEmpty) {
    putFolder("P_おともだち帳");
    for (const std::string data : {"", "book"}) {
        put("P.apd", test::handContainer(test::KeyOfAbcd, {{cp932("P_おともだち帳"), data}, {"P.ppc", "pet"}}));
        EXPECT_THROW(unpack("P"), FileError);
        EXPECT_FALSE(has("P.ppc"));
    }
}

TEST_F(UnpackPetTest, OpensTheContainerOnceAndEachTargetOnce) {
    put("P.apd", test::handContainer(test::KeyOfAbcd, {{"P.ppc", "pet"},
                                                       {cp932("P_受信フォルダ\\a.ppm"), test::patternedBytes(70000, 3)},
                                                       {cp932("P_受信フォルダ\\b.ppm"), "b"}}));
    test::ScriptedDir scripted(*dir_);
    const StoreContext scriptedContext{scripted, names_, registry_, password_};
    ASSERT_EQ(UnpackPet(scriptedContext, "P", true), UnpackResult::Done);
    EXPECT_EQ(scripted.readOpens, (std::map<std::string, int>{{"P.apd", 1}}));
    EXPECT_EQ(read("P_受信フォルダ\\a.ppm"), test::patternedBytes(70000, 3));
    EXPECT_EQ(read("P_受信フォルダ\\b.ppm"), "b");
}

TEST_F(UnpackPetTest, ExistingFilesAreOverwritten) {
    put("P.ppc", "a much longer stale pet file");
    put("P.apd", test::handContainer(test::KeyOfAbcd, {{"P.ppc", "pet"}}));
    ASSERT_EQ(unpack("P"), UnpackResult::Done);
    EXPECT_EQ(read("P.ppc"), "pet");
}

}  // namespace
}  // namespace orvane
