#include <gtest/gtest.h>

#include "TempDir.h"
#include "ui/FirstRunScan.h"

namespace orvane {
namespace {

TEST(UninstallString, YieldsTheFolderAfterTheMarker) {
    const struct {
        const char* value;
        const char* dir;
    } cases[] = {
        {R"(C:\WINDOWS\IsUn0411.exe -f"D:\Apps\Host\Uninst.isu")", R"(D:\Apps\Host)"},
        // No quote: taken from 15 characters on, unchanged.
        {R"(C:\WINDOWS\IsUn0411.exe -fD:\Apps\Host\Uninst.isu)", R"(D:\Apps\Host)"},
        {R"(IsUn0411.exe -f"C:\Program Files\ヴェルモラ\予定\x.isu" -c"x")", R"(C:\Program Files\ヴェルモラ\予定)"},
        // Three characters after the marker, counted as characters.
        {R"(IsUn0411.exeあいう"E:\表\a.isu)", R"(E:\表)"},
        {R"(C:\WINDOWS\uninst.exe -f"D:\Apps\Host\Uninst.isu")", ""},  // no marker
        {R"(IsUn0411.exe -f"Uninst.isu")", ""},                        // no backslash left
        {"IsUn0411.exe", ""},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(installDirFromUninstallString(c.value), c.dir) << c.value;
}

TEST(ExistingPets, ListsPetFilesThenContainers) {
    test::TempDir temp;
    for (const char* name : {"Velmora設定.ppc", "むかしのVelmora設定.ppc", "変更前のVelmora設定.ppc",
                             "むかしのVelmoraKids設定.ppc", "ポチ.ppc", "a.b.PPC", "タマ.apd",
                             "ポチ.apd", "x.ppcx", "Velmora設定.bak"}) {
        temp.writeFile(name, "");
    }
    temp.makeFolder("folder.ppc");
    const auto dir = openInstallDir(temp.path());
    EXPECT_EQ(scanExistingPets(*dir),
              (std::vector<std::string>{"a.b", "default", "ポチ", "タマ", "ポチ"}));
}

TEST(ExistingPets, KidsSettingsFileIsTheDefaultPet) {
    test::TempDir temp;
    temp.writeFile("VelmoraKids設定.ppc", "");
    const auto dir = openInstallDir(temp.path());
    EXPECT_EQ(scanExistingPets(*dir), std::vector<std::string>{"default"});
}

TEST(ExistingPets, EmptyDirectoryHasNoPets) {
    test::TempDir temp;
    const auto dir = openInstallDir(temp.path());
    EXPECT_TRUE(scanExistingPets(*dir).empty());
}

}  // namespace
}  // namespace orvane
