// The contract of InstallDir. The same tests run against the POSIX
// implementation natively and against the Win32 one under Wine: both must
// behave as Windows does.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "TempDir.h"
#include "platform/InstallDir.h"
#include "text/FileNameCase.h"

namespace orvane {
namespace {

// What a folder holds, by case-folded name relative to the root with "\"
// between components: a file's content, or "<folder>". Windows and Wine
// may differ in the spelling a replaced file keeps.
using Tree = std::multimap<std::u32string, std::string>;

class InstallDirContract : public ::testing::Test {
protected:
    // A name ending in "\" is a folder, any other a file whose content is its own name.
    void create(const std::vector<std::string>& names) const {
        for (const std::string& name : names) name.ends_with('\\') ? tmp.makeFolder(name.substr(0, name.size() - 1)) : tmp.writeFile(name, name);
    }
    Tree snapshot() const {
        Tree tree;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(tmp.fsPath())) {
            std::string name = test::pathToUtf8(entry.path().lexically_relative(tmp.fsPath()));
            std::replace(name.begin(), name.end(), '/', '\\');
            tree.emplace(text::foldFileNameCase(name), entry.is_directory() ? "<folder>" : tmp.readFile(name));
        }
        return tree;
    }
    // Names as listed, a folder's with "\" after it, and each file's size.
    std::string listed(const std::string& pattern) const {
        std::string names;
        for (const DirEntry& e : dir->list(pattern)) names += e.name + (e.isFolder ? "\\ " : ":" + std::to_string(e.size) + " ");
        return names;
    }
    // The whole content through the port; nullopt when openRead refuses.
    std::optional<std::string> readThroughPort(const std::string& name) const {
        const auto stream = dir->openRead(name);
        std::string content(stream ? stream->size() : 0, '\0');
        return stream ? std::optional(content.substr(0, stream->read(content.data(), content.size()))) : std::nullopt;
    }

    test::TempDir tmp;
    std::unique_ptr<InstallDir> dir = openInstallDir(tmp.path());
};

// 予, ソ and 表 have 0x5C ("\") as their second byte in cp932; the other
// scripts' letters match without regard to case, as Windows matches them.
TEST_F(InstallDirContract, NamesInAnyScriptAndLetterCaseFindTheirEntry) {
    create({"予定表.txt", "ソフト\\", "ソフト\\表示.dat", "emoji😀.txt", "ａｂｃ.txt", "ДОМ.txt", "Sub\\", "Sub\\Inner.txt"});
    const std::optional<std::string> missing;
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"予定表.txt", "予定表.txt"}, {"ソフト", "ソフト\\"}, {"ソフト/表示.dat", "ソフト\\表示.dat"},
        {"emoji😀.txt", "emoji😀.txt"}, {"ＡＢＣ.TXT", "ａｂｃ.txt"}, {"дом.txt", "ДОМ.txt"}, {"SUB\\inner.TXT", "Sub\\Inner.txt"},
        {"missing.txt", missing}, {"missing\\a.txt", missing}, {"予定表.txt\\inside", missing},
    };
    for (const auto& [asked, onDisk] : cases) {
        const bool isFile = onDisk && !onDisk->ends_with('\\');
        const std::optional<std::string> content = isFile ? std::optional(tmp.readFile(*onDisk)) : std::nullopt;
        const std::optional<std::uint64_t> size = content ? std::optional(std::uint64_t(content->size())) : std::nullopt;
        EXPECT_EQ(std::tuple(dir->exists(asked), dir->isFolder(asked), dir->fileSize(asked), readThroughPort(asked)),
                  std::tuple(onDisk.has_value(), onDisk && !isFile, size, content)) << asked;
        if (!isFile) continue;
        EXPECT_EQ(dir->list(asked).size(), 1u) << asked;
        dir->openWrite(asked, OpenForWrite::CreateOrTruncate)->write("port", 4);
        EXPECT_EQ(tmp.readFile(*onDisk), "port") << asked;
    }
}

// Long names only, without regard to case, sorted by folded name.
TEST_F(InstallDirContract, ListMatchesLongNamesWithoutCaseInFoldedOrder) {
    create({"Velmora.exe", "VelmoraKids.exe", "velmora_old.EXE", "Velmora.exe.bak", "a.ppc", "B.ppc", "_c.ppc",
            "a.ppcx", "ポチ_おともだち帳\\", "受信フォルダ\\", "受信フォルダ\\受信メール.ppm", "受信フォルダ\\b.PPM",
            "受信フォルダ\\sub\\"});
    const std::pair<std::string, std::string> cases[] = {
        {"*.*", "a.ppc:5 a.ppcx:6 B.ppc:5 Velmora.exe:11 Velmora.exe.bak:15 VelmoraKids.exe:15 velmora_old.EXE:15 "
                "_c.ppc:6 ポチ_おともだち帳\\ 受信フォルダ\\ "},
        {"Velmora*.exe", "Velmora.exe:11 VelmoraKids.exe:15 velmora_old.EXE:15 "}, {"?.PPC", "a.ppc:5 B.ppc:5 "},
        {"受信フォルダ\\*", "b.PPM:24 sub\\ 受信メール.ppm:38 "}, {"*~*", ""}, {"VELMOR~1.*", ""},  // no 8.3 names
        {"nothere\\*.*", ""}, {"a.ppc\\*", ""},
    };
    for (const auto& [pattern, expected] : cases) EXPECT_EQ(listed(pattern), expected) << pattern;
}

// Each operation in turn on one folder: a rename never replaces, a replace
// does in one step; one that fails changes nothing.
TEST_F(InstallDirContract, OperationsReplaceOnlyWhereTheyMayAndReportFailure) {
    create({"a.txt", "B.txt", "dir\\", "dir\\inner.txt", "one\\", "two\\", "Empty\\", "new.bin", "TARGET.bin",
            "short.txt", "Longer other.TXT", "Pet.PPC"});
    enum Op { Rename, Replace, Copy, Delete, MakeFolder, RemoveFolder };
    const struct { Op op; std::string from, to; bool done; } cases[] = {
        {Rename, "missing.txt", "b2.txt", false}, {Rename, "a.txt", "b.TXT", false}, {Rename, "a.txt", "DIR", false},
        {Rename, "one", "one\\inner", false}, {Rename, "a.txt", "nothere\\a.txt", false},
        {Rename, "pet.ppc", "予定表.txt", true}, {Rename, "予定表.txt", "DIR\\moved.txt", true},
        {Rename, "one", "ポチ_受信フォルダ", true}, {Rename, "a.txt", "A.TXT", true}, {Rename, "a.txt", "c.txt", true},
        {Replace, "new.bin", "target.bin", true}, {Replace, "missing.bin", "B.txt", false},
        {Replace, "short.txt", "two", false}, {Copy, "short.txt", "longer OTHER.txt", true},
        {Copy, "SHORT.TXT", "コピー.txt", true}, {Copy, "missing.txt", "x.txt", false}, {Copy, "dir", "x.txt", false},
        {Copy, "short.txt", "two", false}, {Copy, "short.txt", "Short.TXT", false},
        {Copy, "short.txt", "nothere\\x.txt", false}, {Delete, "b.TXT", "", true}, {Delete, "two", "", false},
        {Delete, "b.txt", "", false}, {MakeFolder, "受信フォルダ", "", true}, {MakeFolder, "受信フォルダ\\内側", "", true},
        {MakeFolder, "EMPTY", "", false}, {MakeFolder, "short.txt", "", false}, {MakeFolder, "nothere\\inner", "", false},
        {RemoveFolder, "EMPTY", "", true}, {RemoveFolder, "dir", "", false}, {RemoveFolder, "short.txt", "", false},
        {RemoveFolder, "empty", "", false},
    };
    for (const auto& c : cases) {
        const Tree before = snapshot();
        bool done = false;
        switch (c.op) {
        case Rename: done = dir->rename(c.from, c.to); break;
        case Replace: done = dir->replace(c.from, c.to); break;
        case Copy: done = dir->copyFile(c.from, c.to); break;
        case Delete: done = dir->deleteFile(c.from); break;
        case MakeFolder: done = dir->makeFolder(c.from); break;
        case RemoveFolder: done = dir->removeFolder(c.from); break;
        }
        EXPECT_EQ(done, c.done) << c.op << " " << c.from << " " << c.to;
        EXPECT_TRUE(c.done || snapshot() == before) << c.op << " " << c.from << " " << c.to;
    }
    Tree expected;
    for (const auto& [name, content] : std::map<std::string, std::string>{
             {"c.txt", "a.txt"}, {"dir", "<folder>"}, {"dir\\inner.txt", "dir\\inner.txt"}, {"dir\\moved.txt", "Pet.PPC"},
             {"ポチ_受信フォルダ", "<folder>"}, {"two", "<folder>"}, {"TARGET.bin", "new.bin"}, {"short.txt", "short.txt"},
             {"Longer other.TXT", "short.txt"}, {"コピー.txt", "short.txt"}, {"受信フォルダ", "<folder>"},
             {"受信フォルダ\\内側", "<folder>"}}) {
        expected.emplace(text::foldFileNameCase(name), content);
    }
    EXPECT_EQ(snapshot(), expected);
}

}  // namespace
}  // namespace orvane
