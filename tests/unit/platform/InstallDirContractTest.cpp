// The contract of InstallDir. The same tests run against the POSIX
// implementation natively and against the Win32 one under Wine: both must
// behave as Windows does.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/FileError.h"
#include "platform/InstallDir.h"
#include "text/Utf16.h"

namespace orvane {
namespace {

using test::TempDir;

// What a folder holds, by name relative to the root with "\" between
// components: a file's content, or "<folder>".
using Tree = std::map<std::string, std::string>;
const std::string kFolder = "<folder>";

// Creates each entry through TempDir: a name ending in "\" is a folder,
// any other a file whose content is its own name.
void createEntries(const TempDir& tmp, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        if (name.back() == '\\') {
            tmp.makeFolder(name.substr(0, name.size() - 1));
        } else {
            tmp.writeFile(name, name);
        }
    }
}

Tree treeOf(const TempDir& tmp) {
    Tree tree;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(tmp.fsPath())) {
        std::string name = test::pathToUtf8(entry.path().lexically_relative(tmp.fsPath()));
        for (char& c : name) {
            if (c == '/') c = '\\';
        }
        tree[name] = entry.is_directory() ? kFolder : tmp.readFile(name);
    }
    return tree;
}

class InstallDirContract : public ::testing::Test {
protected:
    void create(const std::vector<std::string>& names) const { createEntries(tmp, names); }
    Tree snapshot() const { return treeOf(tmp); }

    std::vector<std::string> names(const std::string& pattern) const {
        std::vector<std::string> listed;
        for (const DirEntry& entry : dir->list(pattern)) listed.push_back(entry.name);
        return listed;
    }

    // The whole content through the port; nullopt when openRead refuses.
    std::optional<std::string> readThroughPort(const std::string& name) const {
        const auto stream = dir->openRead(name);
        if (!stream) return std::nullopt;
        std::string content;
        char buffer[4096];
        while (const std::size_t got = stream->read(buffer, sizeof buffer)) content.append(buffer, got);
        return content;
    }

    void writeThroughPort(const std::string& name, const std::string& content) const {
        const auto stream = dir->openWrite(name, OpenForWrite::CreateOrTruncate);
        stream->write(content.data(), content.size());
    }

    TempDir tmp;
    std::unique_ptr<InstallDir> dir = openInstallDir(tmp.path());
};

bool isValidUtf8(const std::string& text) { return text::utf8ToUtf16(text).has_value(); }

TEST_F(InstallDirContract, NamesInAnyScriptWorkBothWays) {
    // 予, ソ and 表 have 0x5C ("\") as their second byte in cp932.
    const std::vector<std::string> cases = {
        "予定表.txt",  "ソフト\\表示.dat", "ポチ_おともだち帳", "ポチ.ppc",  "Ελληνικά.txt",
        "Кириллица.txt", "한국어.txt",    "中文名.txt",         "emoji😀.txt", "spaces and.dots.v2",
    };
    tmp.makeFolder("ソフト");
    for (const std::string& name : cases) {
        SCOPED_TRACE(name);
        tmp.writeFile(name, "from TempDir " + name);
        EXPECT_TRUE(dir->exists(name));
        EXPECT_FALSE(dir->isFolder(name));
        EXPECT_EQ(dir->fileSize(name), ("from TempDir " + name).size());
        EXPECT_EQ(readThroughPort(name), "from TempDir " + name);

        writeThroughPort(name, "from the port");
        EXPECT_EQ(tmp.readFile(name), "from the port");
    }
    EXPECT_TRUE(dir->isFolder("ソフト"));
    EXPECT_EQ(names("ソフト\\*"), std::vector<std::string>{"表示.dat"});
}

TEST_F(InstallDirContract, StatusOfFilesFoldersAndMissingEntries) {
    create({"a.txt", "empty.bin", "受信フォルダ\\", "受信フォルダ\\m.ppm"});
    tmp.writeFile("empty.bin", "");
    const struct {
        std::string name;
        bool exists;
        bool isFolder;
        std::optional<std::uint64_t> size;
    } cases[] = {
        {"a.txt", true, false, std::string("a.txt").size()},
        {"A.TXT", true, false, std::string("a.txt").size()},
        {"empty.bin", true, false, 0},
        {"受信フォルダ", true, true, std::nullopt},
        {"受信フォルダ\\m.ppm", true, false, std::string("受信フォルダ\\m.ppm").size()},
        {"受信フォルダ/m.ppm", true, false, std::string("受信フォルダ\\m.ppm").size()},
        {"missing.txt", false, false, std::nullopt},
        {"missing\\a.txt", false, false, std::nullopt},
        {"a.txt\\inside", false, false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(dir->exists(c.name), c.exists);
        EXPECT_EQ(dir->isFolder(c.name), c.isFolder);
        EXPECT_EQ(dir->fileSize(c.name), c.size);
    }
}

TEST_F(InstallDirContract, LettersOfEveryFoldedScriptMatchWithoutRegardToCase) {
    const struct {
        std::string onDisk;
        std::string asked;
    } cases[] = {
        {"Velmora.EXE", "velmora.exe"}, {"ａｂｃ.txt", "ＡＢＣ.TXT"}, {"été.txt", "ÉTÉ.txt"},
        {"ΑΒΓ.txt", "αβγ.txt"},        {"ДОМ.txt", "дом.txt"},     {"Sub\\Inner.txt", "SUB\\inner.TXT"},
    };
    tmp.makeFolder("Sub");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.asked);
        tmp.writeFile(c.onDisk, c.onDisk);
        EXPECT_TRUE(dir->exists(c.asked));
        EXPECT_EQ(dir->fileSize(c.asked), c.onDisk.size());
        EXPECT_EQ(readThroughPort(c.asked), c.onDisk);
        const auto listed = dir->list(c.asked);
        ASSERT_EQ(listed.size(), 1u);
        EXPECT_EQ(c.onDisk.ends_with(listed[0].name), true) << listed[0].name;
    }
}

// Names spelled in another case are found also after the folders changed,
// through the port or beside it.
TEST_F(InstallDirContract, FindsOtherSpellingsAfterEveryKindOfChange) {
    create({"Sub\\", "Sub\\a.txt"});
    EXPECT_FALSE(dir->exists("sub\\B.TXT"));
    tmp.writeFile("Sub\\b.txt", "b");
    EXPECT_TRUE(dir->exists("sub\\B.TXT"));
    std::filesystem::rename(tmp.fsPath("Sub\\b.txt"), tmp.fsPath("Sub\\c.txt"));
    EXPECT_FALSE(dir->exists("SUB\\B.TXT"));
    EXPECT_TRUE(dir->exists("SUB\\C.TXT"));
    std::filesystem::remove(tmp.fsPath("Sub\\c.txt"));
    EXPECT_FALSE(dir->exists("SUB\\C.TXT"));

    writeThroughPort("sub\\New.txt", "new");
    EXPECT_TRUE(dir->rename("SUB\\NEW.TXT", "sub\\Renamed.txt"));
    EXPECT_FALSE(dir->exists("SUB\\NEW.TXT"));
    EXPECT_EQ(readThroughPort("SUB\\RENAMED.TXT"), "new");

    // The folder itself replaced by another of the same name.
    std::filesystem::remove_all(tmp.fsPath("Sub"));
    create({"Sub\\", "Sub\\d.txt"});
    EXPECT_TRUE(dir->exists("SUB\\D.TXT"));
    EXPECT_FALSE(dir->exists("SUB\\A.TXT"));

    // A folder above moved away, and another made in its place.
    create({"Top\\", "Top\\Inner\\", "Top\\Inner\\e.txt"});
    EXPECT_TRUE(dir->exists("top\\inner\\E.TXT"));
    std::filesystem::rename(tmp.fsPath("Top"), tmp.fsPath("Moved"));
    create({"Top\\", "Top\\Inner\\"});
    EXPECT_FALSE(dir->exists("top\\inner\\E.TXT"));
    EXPECT_TRUE(dir->exists("moved\\inner\\E.TXT"));
    std::filesystem::rename(tmp.fsPath("Moved"), tmp.fsPath("Again"));
    EXPECT_TRUE(dir->exists("AGAIN\\INNER\\E.TXT"));
    EXPECT_FALSE(dir->exists("moved\\inner\\E.TXT"));
}

TEST_F(InstallDirContract, ListMatchesLongNamesWithoutCaseInFoldedOrder) {
    create({"Velmora.exe", "VelmoraKids.exe", "velmora_old.EXE", "Velmora.exe.bak", "xVelmora.exe", "a.ppc",
            "B.ppc", "_c.ppc", "a.ppcx", "ppc", "noext", "おともだち帳", "ポチ_おともだち帳\\",
            "ポチ_受信フォルダ\\", "受信フォルダ\\", "受信フォルダ\\受信メール.ppm", "受信フォルダ\\b.PPM",
            "受信フォルダ\\x.ppl", "Sub\\", "Sub\\y.txt"});
    const std::vector<std::string> everything = {
        "a.ppc",   "a.ppcx",          "B.ppc",           "noext",           "ppc",
        "Sub",     "Velmora.exe",     "Velmora.exe.bak", "VelmoraKids.exe", "velmora_old.EXE",
        "xVelmora.exe", "_c.ppc",     "おともだち帳",    "ポチ_おともだち帳", "ポチ_受信フォルダ",
        "受信フォルダ",
    };
    const struct {
        std::string pattern;
        std::vector<std::string> expected;
    } cases[] = {
        {"*", everything},
        {"*.*", everything},
        {"Velmora*.exe", {"Velmora.exe", "VelmoraKids.exe", "velmora_old.EXE"}},
        {"*.exe", {"Velmora.exe", "VelmoraKids.exe", "velmora_old.EXE", "xVelmora.exe"}},
        {"*.ppc", {"a.ppc", "B.ppc", "_c.ppc"}},
        {"*.PPC", {"a.ppc", "B.ppc", "_c.ppc"}},
        {"?.ppc", {"a.ppc", "B.ppc"}},
        {"A.PPC", {"a.ppc"}},
        {"*_受信フォルダ", {"ポチ_受信フォルダ"}},
        {"*おともだち帳", {"おともだち帳", "ポチ_おともだち帳"}},
        {"受信フォルダ\\*.ppm", {"b.PPM", "受信メール.ppm"}},
        {"受信フォルダ\\*", {"b.PPM", "x.ppl", "受信メール.ppm"}},
        {"SUB\\*.TXT", {"y.txt"}},
        // Only 8.3 short names could match these.
        {"*~*", {}},
        {"VELMOR~1.*", {}},
        {"nothere\\*.*", {}},
        {"a.ppc\\*", {}},
        {"missing.txt", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pattern);
        EXPECT_EQ(names(c.pattern), c.expected);
    }
}

TEST_F(InstallDirContract, ListFillsFolderFlagAndSize) {
    create({"file.bin", "folder\\", "folder\\inner.txt"});
    tmp.writeFile("file.bin", std::string(70000, 'x'));
    const auto listed = dir->list("*");
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[0].name, "file.bin");
    EXPECT_FALSE(listed[0].isFolder);
    EXPECT_EQ(listed[0].size, 70000u);
    EXPECT_EQ(listed[1].name, "folder");
    EXPECT_TRUE(listed[1].isFolder);
    EXPECT_EQ(listed[1].size, 0u);
}

TEST_F(InstallDirContract, RenameThatWouldReplaceOrFindsNothingChangesNothing) {
    const struct {
        std::vector<std::string> entries;
        std::string from;
        std::string to;
    } cases[] = {
        {{"a.txt"}, "missing.txt", "b.txt"},
        {{"a.txt", "b.txt"}, "a.txt", "b.txt"},
        {{"a.txt", "B.txt"}, "a.txt", "b.TXT"},
        {{"a.txt", "dir\\"}, "a.txt", "DIR"},
        {{"one\\", "two\\"}, "one", "two"},
        {{"one\\", "one\\x.txt", "two\\"}, "one", "TWO"},
        {{"one\\", "f.txt"}, "one", "F.TXT"},
        {{"a.txt"}, "a.txt", "nothere\\a.txt"},
        {{"one\\"}, "one", "one\\inner"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from + " -> " + c.to);
        const TempDir fresh;
        createEntries(fresh, c.entries);
        const Tree before = treeOf(fresh);
        EXPECT_FALSE(openInstallDir(fresh.path())->rename(c.from, c.to));
        EXPECT_EQ(treeOf(fresh), before);
    }
}

TEST_F(InstallDirContract, RenameMovesFilesAndFolders) {
    create({"a.txt", "dir\\", "受信フォルダ\\", "受信フォルダ\\m.ppm"});
    EXPECT_TRUE(dir->rename("a.txt", "予定表.txt"));
    EXPECT_TRUE(dir->rename("予定表.txt", "DIR\\moved.txt"));
    EXPECT_TRUE(dir->rename("受信フォルダ", "ポチ_受信フォルダ"));
    EXPECT_EQ(snapshot(), (Tree{{"dir", kFolder},
                                {"dir\\moved.txt", "a.txt"},
                                {"ポチ_受信フォルダ", kFolder},
                                {"ポチ_受信フォルダ\\m.ppm", "受信フォルダ\\m.ppm"}}));
}

TEST_F(InstallDirContract, RenameFindsTheSourceWithoutRegardToCase) {
    create({"Pet.PPC"});
    EXPECT_TRUE(dir->rename("pet.ppc", "other.ppc"));
    EXPECT_EQ(snapshot(), (Tree{{"other.ppc", "Pet.PPC"}}));
}

TEST_F(InstallDirContract, RenameToItselfInAnySpellingSucceedsInPlace) {
    create({"abc.txt"});
    EXPECT_TRUE(dir->rename("abc.txt", "abc.txt"));
    EXPECT_TRUE(dir->rename("abc.txt", "ABC.txt"));
    // Windows gives the new spelling; Wine keeps the old one. Either way
    // there is still exactly one entry.
    EXPECT_EQ(dir->list("*").size(), 1u);
    EXPECT_EQ(readThroughPort("abc.txt"), "abc.txt");
}

TEST_F(InstallDirContract, ReplaceMovesOverAnExistingFile) {
    create({"new.bin", "TARGET.bin", "keep.bin"});
    EXPECT_TRUE(dir->replace("new.bin", "target.bin"));
    EXPECT_TRUE(dir->replace("keep.bin", "fresh.bin"));
    const Tree after = snapshot();
    EXPECT_EQ(after.size(), 2u);
    EXPECT_EQ(readThroughPort("target.bin"), "new.bin");
    EXPECT_EQ(after.at("fresh.bin"), "keep.bin");
}

TEST_F(InstallDirContract, ReplaceFailsWithoutSourceOrOntoAFolder) {
    create({"target.bin", "source.bin", "folder\\"});
    const Tree before = snapshot();
    EXPECT_FALSE(dir->replace("missing.bin", "target.bin"));
    EXPECT_FALSE(dir->replace("source.bin", "folder"));
    EXPECT_EQ(snapshot(), before);
}

TEST_F(InstallDirContract, CopyFileOverwrites) {
    create({"short.txt", "a much longer existing content.txt", "Other.TXT"});
    EXPECT_TRUE(dir->copyFile("short.txt", "a much longer existing content.txt"));
    EXPECT_TRUE(dir->copyFile("SHORT.TXT", "other.txt"));
    EXPECT_TRUE(dir->copyFile("short.txt", "予定表.txt"));
    EXPECT_EQ(snapshot(), (Tree{{"short.txt", "short.txt"},
                                {"a much longer existing content.txt", "short.txt"},
                                {"Other.TXT", "short.txt"},
                                {"予定表.txt", "short.txt"}}));
}

TEST_F(InstallDirContract, CopyFileFailsWithoutAFileToCopyOrAPlaceToPutIt) {
    create({"a.txt", "folder\\", "folder\\inner.txt"});
    const Tree before = snapshot();
    const struct {
        std::string from;
        std::string to;
    } cases[] = {
        {"missing.txt", "b.txt"}, {"folder", "b.txt"},          {"a.txt", "folder"},
        {"a.txt", "a.txt"},       {"a.txt", "A.TXT"},           {"a.txt", "nothere\\a.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.from + " -> " + c.to);
        EXPECT_FALSE(dir->copyFile(c.from, c.to));
        EXPECT_EQ(snapshot(), before);
    }
}

TEST_F(InstallDirContract, DeleteFileRemovesFilesOnly) {
    create({"a.txt", "B.txt", "folder\\"});
    EXPECT_TRUE(dir->deleteFile("a.txt"));
    EXPECT_TRUE(dir->deleteFile("b.TXT"));
    EXPECT_FALSE(dir->deleteFile("folder"));
    EXPECT_FALSE(dir->deleteFile("a.txt"));
    EXPECT_FALSE(dir->deleteFile("nothere\\a.txt"));
    EXPECT_EQ(snapshot(), (Tree{{"folder", kFolder}}));
}

TEST_F(InstallDirContract, MakeFolderFailsOnAnyExistingEntry) {
    create({"Exists\\", "file.txt"});
    EXPECT_TRUE(dir->makeFolder("受信フォルダ"));
    EXPECT_TRUE(dir->makeFolder("受信フォルダ\\内側"));
    EXPECT_FALSE(dir->makeFolder("Exists"));
    EXPECT_FALSE(dir->makeFolder("EXISTS"));
    EXPECT_FALSE(dir->makeFolder("file.txt"));
    EXPECT_FALSE(dir->makeFolder("nothere\\inner"));
    EXPECT_EQ(snapshot(), (Tree{{"Exists", kFolder},
                                {"file.txt", "file.txt"},
                                {"受信フォルダ", kFolder},
                                {"受信フォルダ\\内側", kFolder}}));
}

TEST_F(InstallDirContract, RemoveFolderRemovesEmptyFoldersOnly) {
    create({"Empty\\", "full\\", "full\\m.ppm", "file.txt"});
    EXPECT_TRUE(dir->removeFolder("EMPTY"));
    EXPECT_FALSE(dir->removeFolder("full"));
    EXPECT_FALSE(dir->removeFolder("file.txt"));
    EXPECT_FALSE(dir->removeFolder("Empty"));
    EXPECT_EQ(snapshot(), (Tree{{"full", kFolder}, {"full\\m.ppm", "full\\m.ppm"}, {"file.txt", "file.txt"}}));
}

TEST_F(InstallDirContract, ReadStreamSeeksBackAndForward) {
    tmp.writeFile("data.bin", "0123456789");
    const auto stream = dir->openRead("data.bin");
    ASSERT_NE(stream, nullptr);
    char buffer[4] = {};
    stream->seek(6);
    ASSERT_EQ(stream->read(buffer, 4), 4u);
    EXPECT_EQ(std::string(buffer, 4), "6789");
    stream->seek(1);
    ASSERT_EQ(stream->read(buffer, 2), 2u);
    EXPECT_EQ(std::string(buffer, 2), "12");
    stream->seek(10);
    EXPECT_EQ(stream->read(buffer, 4), 0u);
}

TEST_F(InstallDirContract, OpenReadRefusesMissingFilesAndFolders) {
    create({"folder\\"});
    EXPECT_EQ(dir->openRead("missing.bin"), nullptr);
    EXPECT_EQ(dir->openRead("nothere\\missing.bin"), nullptr);
    EXPECT_EQ(dir->openRead("folder"), nullptr);
}

TEST_F(InstallDirContract, ReadStreamReturnsZeroOnlyAtTheEnd) {
    std::string content(300001, '\0');
    for (std::size_t i = 0; i < content.size(); ++i) content[i] = static_cast<char>(i * 7 + i / 256);
    tmp.writeFile("big.bin", content);
    tmp.writeFile("empty.bin", "");

    const auto stream = dir->openRead("big.bin");
    ASSERT_NE(stream, nullptr);
    EXPECT_EQ(stream->size(), content.size());
    std::string read;
    char buffer[4096];
    while (const std::size_t got = stream->read(buffer, sizeof buffer)) read.append(buffer, got);
    EXPECT_EQ(read, content);
    EXPECT_EQ(stream->read(buffer, sizeof buffer), 0u);

    const auto empty = dir->openRead("empty.bin");
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->size(), 0u);
    EXPECT_EQ(empty->read(buffer, sizeof buffer), 0u);
}

TEST_F(InstallDirContract, CreateOrTruncateStartsEmpty) {
    tmp.writeFile("old.bin", "old content that is long");
    for (const std::string name : {"old.bin", "new.bin"}) {
        SCOPED_TRACE(name);
        const auto stream = dir->openWrite(name, OpenForWrite::CreateOrTruncate);
        EXPECT_EQ(stream->size(), 0u);
        stream->write("fresh", 5);
        stream->flushToDisk();
        EXPECT_EQ(stream->size(), 5u);
    }
    EXPECT_EQ(snapshot(), (Tree{{"old.bin", "fresh"}, {"new.bin", "fresh"}}));
}

TEST_F(InstallDirContract, ExistingKeepWritesInPlace) {
    tmp.writeFile("Pet.apd", "hello world");
    {
        const auto stream = dir->openWrite("pet.APD", OpenForWrite::ExistingKeep);
        EXPECT_EQ(stream->size(), 11u);
        stream->seek(6);
        stream->write("WORLD", 5);
        stream->seekToEnd();
        stream->write("!", 1);
        stream->seek(0);
        stream->write("J", 1);
        stream->flushToDisk();
        EXPECT_EQ(stream->size(), 12u);
    }
    EXPECT_EQ(snapshot(), (Tree{{"Pet.apd", "Jello WORLD!"}}));
}

TEST_F(InstallDirContract, SeekPastTheEndFillsTheGapWithZeros) {
    {
        const auto stream = dir->openWrite("gap.bin", OpenForWrite::CreateOrTruncate);
        stream->seek(10);
        stream->write("x", 1);
        EXPECT_EQ(stream->size(), 11u);
    }
    EXPECT_EQ(tmp.readFile("gap.bin"), std::string(10, '\0') + "x");
}

TEST_F(InstallDirContract, OpenWriteThrowsAReadableFileError) {
    create({"folder\\"});
    const struct {
        std::string name;
        OpenForWrite mode;
    } cases[] = {
        {"missing.bin", OpenForWrite::ExistingKeep},
        {"nothere\\new.bin", OpenForWrite::CreateOrTruncate},
        {"folder", OpenForWrite::CreateOrTruncate},
        {"folder", OpenForWrite::ExistingKeep},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        try {
            dir->openWrite(c.name, c.mode);
            ADD_FAILURE() << "no FileError";
        } catch (const FileError& error) {
            EXPECT_EQ(error.fileName(), c.name);
            EXPECT_FALSE(error.reason().empty());
            EXPECT_TRUE(isValidUtf8(error.reason())) << error.reason();
        }
    }
    EXPECT_EQ(snapshot(), (Tree{{"folder", kFolder}}));
}

TEST_F(InstallDirContract, PathsLongerThanMaxPathWork) {
    const std::string segment(60, 'f');
    std::string folder;
    for (int depth = 0; depth < 6; ++depth) {
        folder += (folder.empty() ? "" : "\\") + segment + std::to_string(depth);
        ASSERT_TRUE(dir->makeFolder(folder)) << folder.size();
    }
    const std::string file = folder + "\\受信メール.ppm";
    ASSERT_GT(tmp.path().size() + file.size(), 300u);
    writeThroughPort(file, "deep");
    EXPECT_EQ(dir->fileSize(file), 4u);
    EXPECT_EQ(names(folder + "\\*.PPM"), std::vector<std::string>{"受信メール.ppm"});
    EXPECT_TRUE(dir->rename(file, folder + "\\moved.ppm"));
    EXPECT_TRUE(dir->copyFile(folder + "\\moved.ppm", folder + "\\copy.ppm"));
    EXPECT_EQ(readThroughPort(folder + "\\copy.ppm"), "deep");
    EXPECT_TRUE(dir->deleteFile(folder + "\\moved.ppm"));
    EXPECT_TRUE(dir->deleteFile(folder + "\\copy.ppm"));
    // Remove through the port: the test's own cleanup may not reach this deep.
    while (!folder.empty()) {
        ASSERT_TRUE(dir->removeFolder(folder)) << folder.size();
        const auto cut = folder.rfind('\\');
        folder.resize(cut == std::string::npos ? 0 : cut);
    }
    EXPECT_TRUE(snapshot().empty());
}

TEST_F(InstallDirContract, PathIsTheOneGiven) { EXPECT_EQ(dir->path(), tmp.path()); }

}  // namespace
}  // namespace orvane
