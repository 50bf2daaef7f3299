#include <gtest/gtest.h>

#include "TempDir.h"
#include "app/HostNames.h"

namespace orvane {
namespace {

TEST(HostNames, EachEditionHasItsOwnColumn) {
    const auto standard = FolderNameTable::forEdition(HostEdition::Standard);
    EXPECT_EQ(standard.settingsName, "Velmora設定");
    EXPECT_EQ(standard.receiveFolder, "受信フォルダ");
    EXPECT_EQ(standard.sendFolder, "送信フォルダ");
    EXPECT_EQ(standard.treasuresFolder, "宝物");

    const auto kids = FolderNameTable::forEdition(HostEdition::Kids);
    EXPECT_EQ(kids.settingsName, "VelmoraKids設定");
    EXPECT_EQ(kids.receiveFolder, "じゅしん箱");
    EXPECT_EQ(kids.sendFolder, "そうしん箱");
    EXPECT_EQ(kids.treasuresFolder, "たからもの");
}

struct ExecutableCase {
    std::vector<std::string> files;
    std::vector<std::string> folders;
    std::optional<std::string> expectedName;
    HostEdition expectedEdition;
};

TEST(HostNames, FirstMatchingExecutableDecidesNameAndEdition) {
    const ExecutableCase cases[] = {
        {{"Velmora.exe"}, {}, "Velmora.exe", HostEdition::Standard},
        {{"VelmoraKids.exe"}, {}, "VelmoraKids.exe", HostEdition::Kids},
        // Kids only for the exact spelling.
        {{"velmorakids.exe"}, {}, "velmorakids.exe", HostEdition::Standard},
        {{"VelmoraKids.exe", "Velmora.exe"}, {}, "Velmora.exe", HostEdition::Standard},
        {{"VELMORA2.EXE", "readme.txt"}, {}, "VELMORA2.EXE", HostEdition::Standard},
        {{"Velmora.exe.lnk", "Host.exe"}, {}, std::nullopt, HostEdition::Standard},
        {{}, {"Velmora.exe"}, std::nullopt, HostEdition::Standard},
        {{"VelmoraKids.exe"}, {"Velmora.exe"}, "VelmoraKids.exe", HostEdition::Kids},
    };
    for (const auto& c : cases) {
        test::TempDir temp;
        for (const auto& f : c.files) temp.writeFile(f, "MZ");
        for (const auto& d : c.folders) temp.makeFolder(d);
        const auto dir = openInstallDir(temp.path());
        const auto found = findHostExecutable(*dir);
        SCOPED_TRACE(c.files.empty() ? std::string("(no files)") : c.files.front());
        ASSERT_EQ(found.has_value(), c.expectedName.has_value());
        if (found) {
            EXPECT_EQ(found->fileName, *c.expectedName);
            EXPECT_EQ(found->edition, c.expectedEdition);
        }
    }
}

}  // namespace
}  // namespace orvane
