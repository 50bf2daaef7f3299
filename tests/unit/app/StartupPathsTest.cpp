#include <gtest/gtest.h>

#include <set>

#include "app/StartupPaths.h"

namespace orvane {
namespace {

TEST(StartupPaths, ProgramFolderAndTitle) {
    const struct {
        const char* program;
        const char* folder;
        const char* title;
    } cases[] = {
        {R"(C:\Tools\Orvane.exe)", R"(C:\Tools\)", "Orvane"},
        {R"(C:\ペット\My.Pets.exe)", R"(C:\ペット\)", "My.Pets"},
        {R"(C:\dir.x\orvane)", R"(C:\dir.x\)", "orvane"},
        {R"(\\server\share\Orvane.EXE)", R"(\\server\share\)", "Orvane"},
        {"Orvane.exe", "", "Orvane"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(folderOfProgram(c.program), c.folder) << c.program;
        EXPECT_EQ(titleOfProgram(c.program), c.title) << c.program;
    }
}

TEST(StartupPaths, InstallDirIsTheStoredFolderWhenItExists) {
    const std::set<std::string> folders = {R"(D:\Host)", R"(C:\Tools\host)", R"(\\server\host)"};
    const auto isFolder = [&folders](const std::string& path) { return folders.count(path) > 0; };
    const struct {
        const char* stored;
        const char* chosen;
    } cases[] = {
        {"", R"(C:\Tools\)"},
        {R"(D:\Host)", R"(D:\Host)"},
        {R"(D:\Missing)", R"(C:\Tools\)"},
        {"host", R"(C:\Tools\host)"},  // relative to the program's folder
        {R"(\\server\host)", R"(\\server\host)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(chooseInstallDir(R"(C:\Tools\)", c.stored, isFolder), c.chosen) << c.stored;
    }
}

}  // namespace
}  // namespace orvane
