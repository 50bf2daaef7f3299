#include <functional>
#include <stdexcept>

#include "StoreTestSupport.h"
#include "platform/FileError.h"
#include "session/PetPreparation.h"
#include "store/ContainerErrors.h"
#include "store/ContainerFormat.h"
#include "store/DiscardPet.h"
#include "store/EncryptedSession.h"
#include "store/KidsTreasures.h"
#include "store/PackPet.h"
#include "store/PetLayout.h"
#include "store/PetFiles.h"
#include "store/UnpackPet.h"
#include "store/UnlockPet.h"
#include "store/VerifyContainer.h"

namespace orvane {
namespace {

using test::cp932;
using test::KeyOfAbcd;
using test::Entries;

// By hand, mod 256: "abcd" = 61 62 63 64 0..., pass 1 K[i] += K[i mod 4] + 4i, K[16] = K[0], pass 2
// K[i] += K[i+1] - 10. "予約パス" is 97 5C 96 F1 83 70 83 58 in cp932; "" is the buffer at start.
TEST(DeriveKey, MatchesTheKeysWorkedOutByHandAndRefusesWhatTheDialogNeverPasses) {
    const struct { std::string password; PetKey key; } rows[] = {
        {"abcd", KeyOfAbcd},
        {"0123456789abcdef", {0xB6, 0xC2, 0xCE, 0x06, 0x43, 0x59, 0x6F, 0x6D, 0x6B, 0xA8, 0xE5, 0xE3, 0xE1, 0xF7, 0x0D, 0x64}},
        {"予約パス", {0xDA, 0xE0, 0x12, 0x9F, 0xF1, 0xFF, 0x21, 0xA0, 0x1E, 0x2C, 0x66, 0x68, 0x3E, 0x4C, 0x86, 0x48}},
        {"", {0xF4, 0xFC, 0x04, 0x0C, 0x18, 0x28, 0x38, 0x38, 0x38, 0x48, 0x58, 0x58, 0x58, 0x68, 0x78, 0x38}},
    };
    for (const auto& row : rows) EXPECT_EQ(DeriveKey(row.password), row.key) << row.password;
    // 17 bytes, 18 in cp932, no cp932 form, a NUL, no UTF-8.
    for (const std::string& refused : std::vector<std::string>{"0123456789abcdefg", "予約予約予約予約予", "pass😀", {"ab\0cd", 5}, "\xFF\xFE"}) {
        EXPECT_THROW(DeriveKey(refused), std::invalid_argument) << refused;
    }
}

// Crosses chunks and scramble periods.
const std::string Big = [] {
    std::string bytes(StreamChunkSize + 1000, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 7 + i / 256 + 13);
    return bytes;
}();

class ContainerTest : public test::StoreTest {
protected:
    // The pieces of a pet in place under the standard host's names.
    void putPetInPlace() {
        putAll({{"Velmora設定.ppc", "pet"}, {"Velmora設定.bak", Big}, {"受信フォルダ\\b.ppm", "mail b"},
                {"受信フォルダ\\a.ppm", "mail a"}, {"送信フォルダ\\c.ppl", ""}, {"おともだち帳", "friends"},
                {"宝物\\t.pac", "treasure"}, {"宝物\\sub\\deep", "not entered"}});
    }
    // Its records by the flags: 1 shares the book, 2 the treasures.
    static std::vector<test::HandRecord> records(int status) {
        std::vector<test::HandRecord> records = {{"P.ppc", "pet"}, {"P.bak", Big},
            {cp932("P_受信フォルダ\\a.ppm"), "mail a"}, {cp932("P_受信フォルダ\\b.ppm"), "mail b"}, {cp932("P_送信フォルダ\\c.ppl"), ""}};
        if (!(status & 1)) records.push_back({cp932("P_おともだち帳"), "friends"});
        if (!(status & 2)) records.push_back({cp932("P_宝物\\t.pac"), "treasure"});
        return records;
    }
};

TEST_F(ContainerTest, APackLaysOutTheRecordsTheFlagsAskAndTheyUnpackUnderTheOwnNames) {
    put("Velmora設定.ppc", "Hi!");
    PackPet(context_, "P", 7, false, 7);
    // Check block for size 30, then n=6, "P.ppc", NUL, D=3 and 48+7A+0=C2, 69+86+1=F0, 21+92+2=B5.
    EXPECT_EQ(read("P.apd"), std::string("\x98\xC2\xEC\x0E\x34\x66\x98\xB2\xCC\xFE\x30\x4A\x64\x96\xC8\xA2"
                                         "\x06P.ppc\0\x03\0\0\0\xC2\xF0\xB5", 30));
    putPetInPlace();
    // Flags 4 (logs shared) and 8 (encrypted) change nothing in a pack.
    for (const int status : {0, 1, 2, 3, 12}) {
        PackPet(context_, "P", status, false, status);
        EXPECT_EQ(read("P.apd"), test::handContainer(KeyOfAbcd, records(status))) << "status " << status;
    }
    // Unpacked beside a longer stale pet file, overwritten, not just written over at its start.
    const Entries unpacked = {{"P.apd", read("P.apd")}, {"P.ppc", "pet"}, {"P.bak", Big}, {"P_受信フォルダ", "<folder>"},
                              {"P_受信フォルダ\\a.ppm", "mail a"}, {"P_受信フォルダ\\b.ppm", "mail b"}, {"P_送信フォルダ", "<folder>"},
                              {"P_送信フォルダ\\c.ppl", ""}, {"P_おともだち帳", "friends"}, {"P_宝物", "<folder>"}, {"P_宝物\\t.pac", "treasure"}};
    clearInstallDir();
    putAll({{"P.apd", unpacked.at("P.apd")}, {"P.ppc", "a much longer stale pet file"}});
    ASSERT_EQ(UnpackPet(context_, "P", true), UnpackResult::Done);
    EXPECT_EQ(snapshot(), unpacked);
    // Keeping what exists, which is newer, the container fills only what is missing.
    put("P.ppc", "newer");
    dir_->deleteFile("P.bak");
    ASSERT_EQ(UnpackPet(context_, "P", true, true), UnpackResult::Done);
    EXPECT_EQ(snapshot(), (unpacked + Entries{{"P.ppc", "newer"}}));
}

// Only the check block, of the key and the size modulo 256, tells a wrong password. Whatever stops an
// unpack, nothing is written, not even a good record before the fault: a change deletes the container
// after unpacking, so a file left out, even an empty one, would be lost.
TEST_F(ContainerTest, AnUnpackThatCannotGoThroughWritesNothing) {
    const auto withBody = [](const std::string& body) { return test::handCheckBlock(KeyOfAbcd, 16 + body.size()) + body; };
    const std::string good = test::handRecord(KeyOfAbcd, {"P.ppc", "7 bytes"}), container = withBody(good);
    // Cut with the check block of the cut size, so that only the structure tells. Record 1 spans 16..33.
    // Names that are not the pet's own are the stored names' table's, and the launch's.
    const std::string whole = withBody(good + test::handRecord(KeyOfAbcd, {cp932("P_受信フォルダ\\a.ppm"), "mail"}));
    const auto cutTo = [&](std::size_t size) { return size < 16 ? whole.substr(0, size) : withBody(whole.substr(16, size - 16)); };
    const std::string damaged = "P.apd: 暗号化ペットのファイルが壊れています。";
    struct Row { std::string name, bytes; bool extract; std::string outcome; };
    std::vector<Row> rows = {
        {"a byte more", container + "x", false, "wrong password"}, {"a byte less", container.substr(0, container.size() - 1), false, "wrong password"},
        {"256 bytes more", container + std::string(256, 'x'), false, "done"}, {"a check block alone", test::handCheckBlock(KeyOfAbcd, 16), false, "done"},
        {"another key", test::handContainer(DeriveKey("abce"), {{"P.ppc", "pet"}}), true, "wrong password"},
        {"a folder where an empty file goes", test::handContainer(KeyOfAbcd, {{cp932("P_おともだち帳"), ""}, {"P.ppc", "pet"}}), true, "P_おともだち帳"},
        {"length past the end", withBody(good + std::string("\x06P.bak\0\xFF\0\0\0abc", 14)), true, damaged},
        {"length far past the end", withBody(good + std::string("\x06P.bak\0\xFF\xFF\xFF\xFF", 11)), true, damaged},
        {"name without NUL", withBody(std::string("\x05P.ppc\x03\0\0\0abc", 13)), true, damaged},
        {"NUL inside the name", withBody(std::string("\x06P\0ppc\0\x00\0\0\0", 11)), true, damaged},
        {"zero name length", withBody(std::string(5, '\0')), true, damaged},
        {"empty name", withBody(std::string("\x01\0\0\0\0\0", 6)), true, damaged},
        {"name length beyond the file", withBody(std::string("\xFFP.ppc\0", 7)), true, damaged},
    };
    // Cut in the check block, a name, a length, data, after a length byte, in the last data.
    for (const std::size_t size : std::vector<std::size_t>{0, 10, 20, 25, 30, 35, whole.size() - 1}) {
        rows.push_back({"cut to " + std::to_string(size), cutTo(size), true, damaged});
    }
    putFolder("P_おともだち帳");
    for (const auto& row : rows) {
        put("P.apd", row.bytes);
        const auto before = snapshot();
        std::string outcome;
        try {
            outcome = UnpackPet(context_, "P", row.extract) == UnpackResult::Done ? "done" : "wrong password";
        } catch (const DamagedContainer& error) {
            outcome = error.what();
        } catch (const FileError& error) {
            outcome = error.fileName();
        }
        EXPECT_EQ(outcome, row.outcome) << row.name;
        EXPECT_EQ(snapshot(), before) << row.name;
    }
    clearInstallDir();
    EXPECT_THROW(UnpackPet(context_, "P", false), FileError) << "a missing container";
}

// A pack that fails at any step, or on a name the container cannot hold, leaves the old container alone.
TEST_F(ContainerTest, AFailedPackLeavesTheOldContainerAndNoTemporaryFile) {
    putPetInPlace();
    put("P.apd", "old container");
    for (std::uint64_t failing = 1;; ++failing) {
        test::ScriptedDir scripted(*dir_);
        scripted.fault = test::Fault{failing, test::FaultMode::Fail};
        try {
            PackPet(StoreContext{scripted, names_, registry_, password_}, "P", 0, false, 0);
            break;  // no step left to fail
        } catch (const FileError&) {
        }
        EXPECT_EQ(read("P.apd"), "old container") << "step " << failing;
        EXPECT_FALSE(has("P.apd.tmp")) << "step " << failing;
    }
    // "P_受信フォルダ\" takes 15 bytes in cp932: 240 more make 255, one too many.
    put("P.apd", "old container");
    put("受信フォルダ\\" + std::string(240, 'n'), "too long");
    EXPECT_THROW(PackPet(context_, "P", 0, false, 0), UnstorableName);
    EXPECT_EQ(read("P.apd"), "old container");
    EXPECT_FALSE(has("P.apd.tmp"));
}

// Read back after a fault a sound write would not leave: the first file the container does not hold
// intact is named, or the container itself.
TEST_F(ContainerTest, ReadingBackNamesTheFirstFileTheContainerDoesNotHold) {
    const std::string container = "B\\P.apd";
    const struct { std::string name; std::function<void(PackedFiles&, std::string&)> fault; std::optional<std::string> named; } rows[] = {
        {"none", [](auto&, auto&) {}, std::nullopt},
        {"a data byte changed", [&](auto&, auto&) { std::string b = read(container); b[27] ^= 1; put(container, b); }, "Velmora設定.ppc"},
        {"a source changed since", [&](auto&, auto&) { put("受信フォルダ\\b.ppm", "mail B"); }, "受信フォルダ\\b.ppm"},
        {"a record too many", [](auto& packed, auto&) { packed.pop_back(); }, container},
        {"a record missing", [](auto& packed, auto&) { packed.push_back(packed.back()); }, "宝物\\t.pac"},
        {"cut short", [&](auto&, auto&) { put(container, read(container).substr(0, 40)); }, container},
        {"another password", [](auto&, auto& password) { password = "other"; }, container},
    };
    putFolder("B");
    for (const auto& row : rows) {
        putPetInPlace();
        auto packed = PackInPlacePetInto(*dir_, names_, password_, "P", 0, container);
        std::string password = password_;
        row.fault(packed, password);
        std::optional<std::string> named;
        try {
            VerifyContainerAt(*dir_, container, password, packed);
        } catch (const FileError& error) {
            named = error.fileName();
        }
        EXPECT_EQ(named, row.named) << row.name;
    }
}

// What goes once a pet is stored. At the end of an encrypted session, a backup the swap-in could not
// move and the own copy of an item shared, left by the unpack, too. Of a stored pet, what the container
// holds, with the folders it empties; what is left of its own is named. Of the pet in place, an item
// is its own while its shared copy lies outside, or when it shared nothing at its swap-in. A pet discarded goes whole.
TEST_F(ContainerTest, OnlyWhatIsStoredOrNotThePetsOwnIsDeleted) {
    const Entries session = {{"Velmora設定.ppc", "pet"}, {"受信フォルダ\\a.ppm", "mail"}, {"おともだち帳", "book"}, {"宝物\\t", "treasure"},
                             {"P.bak", "stale backup"}};
    const Entries inPlace = {{"Velmora設定.ppc", "P"}, {"おともだち帳", "book"}, {"宝物\\t", "treasure"}};
    const Entries container = {{"P.apd", "<container>"}}, treasures = {{"宝物", "<folder>"}, {"宝物\\t", "treasure"}};
    const std::string held = test::handContainer(KeyOfAbcd, {{"P.ppc", "pet"}});
    const auto end = [this](int status) {
        return [=, this] {
            registerPets({{"P", status}}, 0);
            EndEncryptedSession(context_, "P", status);
        };
    };
    const auto deleteHeld = [this] { DeleteHeldPieces(context_, "P", 0, false); };
    const auto swappedIn = [this](std::optional<int> status, const std::string& plain) {  // P, as the session record says
        SessionRecord record;
        record.pet = "P", record.status = status, record.plain = plain;
        registry_.setSession(record);
    };
    const auto deleteInPlace = [=, this](std::optional<int> status) {
        return [=, this] {
            swappedIn(status, "");
            DeletePetFiles(context_, "P", true);
        };
    };
    const auto discardCutOff = [=, this] {  // its own session: not packed first, so its password is asked once
        registerPets({{"P", 8}}, 0);
        swappedIn(8, "P");
        test::ScriptedPrompts prompts;
        prompts.passwords = {"abcd"};
        EXPECT_TRUE(DiscardPet(context_, prompts, 0, "P", 8));
    };
    const struct { std::string name; Entries before; std::function<void()> run; Entries left; std::string named = ""; } rows[] = {
        {"end, nothing shared", session, end(8), container},
        {"end, the book shared", session + Entries{{"P_おともだち帳", "stale book"}}, end(9), container + Entries{{"おともだち帳", "book"}}},
        {"end, the treasures shared", session + Entries{{"P_宝物\\t", "stale treasure"}}, end(10), container + treasures},
        {"held pieces", {{"P.apd", held}, {"P.ppc", "pet"}, {"P_宝物", "<folder>"}, {"P_受信フォルダ", "<folder>"}}, deleteHeld, container},
        {"a piece not held", {{"P.apd", held}, {"P.ppc", "pet"}, {"P_おともだち帳", "not held"}}, deleteHeld,
         container + Entries{{"P_おともだち帳", "not held"}}, "P_おともだち帳"},
        {"in place, a shared book outside", inPlace + Entries{{"共有_おともだち帳", "s"}}, deleteInPlace({}), Entries{{"共有_おともだち帳", "s"}} + treasures},
        {"in place, swapped in sharing nothing", inPlace, deleteInPlace(0), {}},
        {"in place, a file that cannot go", inPlace + Entries{{"Velmora設定.bak\\x", "x"}}, deleteInPlace(0),
         {{"Velmora設定.bak", "<folder>"}, {"Velmora設定.bak\\x", "x"}}, "Velmora設定.bak"},
        {"in place, swapped in sharing all", inPlace, deleteInPlace(7), Entries{{"おともだち帳", "book"}} + treasures},
        {"discarded, plain since its session was cut off", session + Entries{{"P.apd", held}}, discardCutOff, {}},
    };
    for (const auto& row : rows) {
        clearInstallDir();
        putAll(row.before);
        std::string named;
        try {
            row.run();
        } catch (const FileError& error) {
            named = error.fileName();
        }
        auto left = snapshot();
        if (left.count("P.apd")) left["P.apd"] = "<container>";
        EXPECT_EQ(left, row.left) << row.name;
        EXPECT_EQ(named, row.named) << row.name;
    }
}

// The Kids host's plug-in copies: byte 16 after each "NONE" that starts within the first 4128 bytes is cleared.
struct KidsTreasures : test::StoreTest {
    KidsTreasures() : StoreTest(HostEdition::Kids) {}
};

// Only with neither treasures in place nor the standard host: copies of the shared plug-ins, the main one patched.
TEST_F(KidsTreasures, AreSuppliedFromTheSharedOnesOnlyWhenNothingStandsInTheWay) {
    const std::string folder = names_.treasuresFolder, shared = PetLayout::sharedItemName(folder);
    const std::string plugIn = "NONE" + std::string(20, 'x');
    std::string patched = plugIn;
    patched[16] = '\0';
    for (const std::string& blocker : {std::string(), folder, std::string(host::StandardExecutable)}) {
        clearInstallDir();
        putAll({{shared + "\\tzl001.pac", plugIn}, {shared + "\\tzl020w.pac", "second"}});
        if (!blocker.empty()) blocker == folder ? putFolder(blocker) : put(blocker);
        SupplyKidsTreasures(*dir_, names_);
        EXPECT_EQ(has(folder + "\\tzl001.pac") ? read(folder + "\\tzl001.pac") + read(folder + "\\tzl020w.pac") : "",
                  blocker.empty() ? patched + "second" : "") << blocker;
    }
}

// Pet P, encrypted with "abcd", cannot be swapped in without them: the launch fails, and P does not
// stay plain meanwhile.
TEST_F(KidsTreasures, MissingOnesFailTheLaunchOfAnEncryptedPetWhichIsPackedAgainAtOnce) {
    registerPets({{"A", 7}, {"P", 9}}, 0);
    putAll({{"VelmoraKids.exe", ""}, {names_.settingsName + ".ppc", "a-pet"}, {"P.apd", test::handContainer(KeyOfAbcd, {{"P.ppc", "p-pet"}})}});
    test::ScriptedPrompts prompts;
    prompts.passwords = {"abcd"};
    EXPECT_THROW(preparePetForLaunch(context_, prompts, 1, "P", askPasswordOf(context_, prompts)), FileError);
    EXPECT_TRUE(has("P.apd"));
    for (const auto& [name, bytes] : snapshot()) EXPECT_NE(bytes, "p-pet") << name;
    EXPECT_TRUE(registry_.session().plain.empty());
}

TEST(ClearNoneMarkers, ClearsTheByte16AfterEachMarkerWithinTheSpan) {
    const struct { std::size_t size; std::vector<std::size_t> markers, cleared; } rows[] = {  // in 4144 bytes the span is 4128
        {4144, {0, 100, 2000, 4127}, {16, 116, 2016, 4143}}, {4144, {4128}, {}}, {17, {0}, {16}}, {16, {0}, {}}, {3, {}, {}},
        {4144, {0, 13}, {16}},  // clearing byte 16 breaks the marker at 13, which then clears nothing
    };
    for (const auto& row : rows) {
        std::string bytes(row.size, 'x');
        for (const std::size_t i : row.markers) bytes.replace(i, 4, "NONE");
        std::string expected = bytes;
        for (const std::size_t i : row.cleared) expected[i] = '\0';
        clearNoneMarkers(bytes);
        EXPECT_EQ(bytes, expected) << row.size << " bytes, first marker " << (row.markers.empty() ? 0 : row.markers[0]);
    }
}

}  // namespace
}  // namespace orvane
