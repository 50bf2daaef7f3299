#include <gtest/gtest.h>

#include <set>

#include "TempDir.h"
#include "app/HostNames.h"
#include "app/StartupPaths.h"

namespace orvane {
namespace {

TEST(StartupPaths, TheProgramsFolderAndTitleAndTheInstallDirThatExists) {
    const char* programs[][3] = {
        {R"(C:\Tools\Orvane.exe)", R"(C:\Tools\)", "Orvane"}, {R"(C:\ペット\My.Pets.exe)", R"(C:\ペット\)", "My.Pets"},
        {R"(C:\dir.x\orvane)", R"(C:\dir.x\)", "orvane"}, {R"(\\server\share\.EXE)", R"(\\server\share\)", ".EXE"},
        {"C:/Orvane.exe", "C:/", "Orvane"}, {"Orvane.exe", "", "Orvane"},
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
