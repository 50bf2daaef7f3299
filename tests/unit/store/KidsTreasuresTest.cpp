#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StoreTestSupport.h"
#include "platform/FileError.h"
#include "store/KidsTreasures.h"
#include "store/SwapIn.h"

namespace orvane {
namespace {

// size bytes of 'x' with "NONE" written at each of the positions.
std::string withMarkers(std::size_t size, const std::vector<std::size_t>& at) {
    std::string bytes(size, 'x');
    for (const std::size_t i : at) bytes.replace(i, 4, "NONE");
    return bytes;
}

std::string withZeros(std::string bytes, const std::vector<std::size_t>& at) {
    for (const std::size_t i : at) bytes[i] = '\0';
    return bytes;
}

TEST(ClearNoneMarkers, ClearsTheByte16AfterEachMarkerWithinTheSpan) {
    const struct {
        const char* what;
        std::string before;
        std::string after;
    } cases[] = {
        {"first position", withMarkers(4144, {0}), withZeros(withMarkers(4144, {0}), {16})},
        {"last that reaches", withMarkers(4144, {4127}), withZeros(withMarkers(4144, {4127}), {4143})},
        {"beyond the bytes read", withMarkers(4144, {4128}), withMarkers(4144, {4128})},
        {"last scanned start", withMarkers(4144, {4139}), withMarkers(4144, {4139})},
        {"several", withMarkers(4144, {5, 100, 2000}), withZeros(withMarkers(4144, {5, 100, 2000}), {21, 116, 2016})},
        // Clearing byte 16 breaks the marker at 13, which then clears nothing.
        {"sees earlier changes", withMarkers(4144, {0, 13}), withZeros(withMarkers(4144, {0, 13}), {16})},
        {"short file", withMarkers(17, {0}), withZeros(withMarkers(17, {0}), {16})},
        {"too short to reach", withMarkers(16, {0}), withMarkers(16, {0})},
        {"shorter than a marker", "NON", "NON"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::string bytes = c.before;
        clearNoneMarkers(bytes);
        EXPECT_EQ(bytes, c.after);
    }
}

class KidsTreasuresTest : public test::StoreTest {
protected:
    KidsTreasuresTest() : StoreTest(HostEdition::Kids) {}
};

TEST_F(KidsTreasuresTest, PatchKeepsTheRestAndNeverLengthens) {
    const std::string longFile = withMarkers(5000, {0, 4140, 4500});
    put("long.pac", longFile);
    PatchPlugInFile(*dir_, "long.pac");
    EXPECT_EQ(read("long.pac"), withZeros(longFile, {16}));

    put("short.pac", withMarkers(100, {10}));
    PatchPlugInFile(*dir_, "short.pac");
    EXPECT_EQ(read("short.pac"), withZeros(withMarkers(100, {10}), {26}));

    EXPECT_THROW(PatchPlugInFile(*dir_, "missing.pac"), FileError);
    EXPECT_FALSE(has("missing.pac"));
}

TEST_F(KidsTreasuresTest, ANewPetGetsPatchedCopiesOfTheSharedPlugIns) {
    registerPets({{"A", 2}, {"B", 0}}, 0);
    putFolder("たからもの");
    put("たからもの\\tzl001.pac", withMarkers(300, {4}));
    put("たからもの\\tzl020w.pac", "second");
    SwapIn(context_, 1, "B");
    // A shared the treasures in place: they are the shared copy now.
    EXPECT_EQ(read("共有_たからもの\\tzl001.pac"), withMarkers(300, {4}));
    EXPECT_EQ(read("たからもの\\tzl001.pac"), withZeros(withMarkers(300, {4}), {20}));
    EXPECT_EQ(read("たからもの\\tzl020w.pac"), "second");
}

TEST_F(KidsTreasuresTest, NoSupplyWhenTreasuresArriveOrTheStandardHostIsPresent) {
    registerPets({{"A", 2}, {"B", 0}}, 0);
    putFolder("共有_たからもの");
    put("共有_たからもの\\tzl001.pac", "NONE");
    putFolder("B_たからもの");
    SwapIn(context_, 1, "B");
    EXPECT_TRUE(snapshot().count("たからもの") == 1);
    EXPECT_FALSE(has("たからもの\\tzl001.pac"));

    clearInstallDir();
    put("Velmora.exe");
    putFolder("共有_たからもの");
    put("共有_たからもの\\tzl001.pac", "NONE");
    SwapIn(context_, 1, "B");
    EXPECT_FALSE(has("たからもの"));
}

TEST_F(KidsTreasuresTest, AMissingSourceIsAFileErrorAndTheSwapStays) {
    registerPets({{"A", 0}, {"B", 0}}, 0);
    put("VelmoraKids設定.ppc", "A");
    put("B.ppc", "B");
    EXPECT_THROW(SwapIn(context_, 1, "B"), FileError);
    EXPECT_EQ(registry_.petInPlace(), 1);
    EXPECT_EQ(read("VelmoraKids設定.ppc"), "B");
    EXPECT_EQ(read("A.ppc"), "A");
    EXPECT_TRUE(has("たからもの"));
    EXPECT_FALSE(has("たからもの\\tzl001.pac"));
}

}  // namespace
}  // namespace orvane
