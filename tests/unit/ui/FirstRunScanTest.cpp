#include <gtest/gtest.h>

#include "TempDir.h"
#include "ui/FirstRunScan.h"

namespace orvane {
namespace {

TEST(FirstRunScan, TheUninstallStringNamesTheFolderAfterTheMarker) {
    const char* cases[][2] = {
        {R"(C:\WINDOWS\IsUn0411.exe -f"D:\Apps\Host\Uninst.isu")", R"(D:\Apps\Host)"},
        {R"(C:\WINDOWS\IsUn0411.exe -fD:\Apps\Host\Uninst.isu)", R"(D:\Apps\Host)"},  // no quote
        {R"(IsUn0411.exe -f"C:\Program Files\ヴェルモラ\予定\x.isu" -c"x")", R"(C:\Program Files\ヴェルモラ\予定)"},
        {R"(IsUn0411.exeあいう"E:\表\a.isu)", R"(E:\表)"},  // counted in characters
        {R"(C:\WINDOWS\uninst.exe -f"D:\Apps\Host\Uninst.isu")", ""},  // no marker
        {R"(IsUn0411.exe -f"Uninst.isu")", ""},                        // no backslash left
        {"IsUn0411.exe", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(installDirFromUninstallString(c[0]), c[1]) << c[0];
}

TEST(FirstRunScan, ListsPetFilesThenContainersWithoutTheHostsCopies) {
    test::TempDir temp;
    for (const char* name : {"Velmora設定.ppc", "VelmoraKids設定.ppc", "むかしのVelmora設定.ppc", "変更前のVelmora設定.ppc",
                             "むかしのVelmoraKids設定.ppc", "変更前のVelmoraKids設定.ppc", "ポチ.ppc", "a.b.PPC",
                             "タマ.apd", "ポチ.apd", "x.ppcx", "Velmora設定.bak"}) {
        temp.writeFile(name, "");
    }
    temp.makeFolder("folder.ppc");
    temp.makeFolder("folder.apd");
    EXPECT_EQ(scanExistingPets(*openInstallDir(temp.path())),
              (std::vector<std::string>{"a.b", "default", "default", "ポチ", "タマ", "ポチ"}));
}

}  // namespace
}  // namespace orvane
