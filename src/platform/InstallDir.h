#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// One entry of a folder listing.
struct DirEntry {
    std::string name;       // long name only, UTF-8, no folder part
    bool isFolder = false;
    std::uint64_t size = 0; // 0 for folders
};

// A file opened for reading. read() returns 0 only at the end of the file;
// an I/O error throws FileError.
class ReadStream {
public:
    virtual ~ReadStream() = default;
    virtual std::size_t read(void* buffer, std::size_t count) = 0;
    virtual void seek(std::uint64_t offset) = 0;
    virtual std::uint64_t size() = 0;
};

// A file opened for writing. Every failure throws FileError.
class WriteStream {
public:
    virtual ~WriteStream() = default;
    virtual void write(const void* data, std::size_t count) = 0;
    virtual void seek(std::uint64_t offset) = 0;
    virtual void seekToEnd() = 0;
    virtual std::uint64_t size() = 0;
    // Pushes the written bytes to the disk, so that a later rename cannot
    // outlive them in a crash.
    virtual void flushToDisk() = 0;
};

enum class OpenForWrite {
    CreateOrTruncate,   // a new empty file, replacing an existing one
    ExistingKeep,       // an existing file, contents kept; fails when missing
};

// The host's installation directory. Every name is relative to it, UTF-8,
// with "\" between a folder and a file ("受信フォルダ\受信メール.ppm").
// Windows semantics on every implementation:
// - patterns ("*", "?") match case-insensitively against the long name only;
// - listings never hold "." or "..", and come sorted by case-folded name;
// - rename never replaces an existing target (file or folder);
// - copyFile overwrites; deleteFile fails on a folder; removeFolder fails
//   when the folder is not empty.
// Operations that return bool report success; they never throw for a
// missing or busy entry.
class InstallDir {
public:
    virtual ~InstallDir() = default;

    virtual bool exists(const std::string& name) = 0;
    virtual bool isFolder(const std::string& name) = 0;
    // The size of a file; nullopt when it is missing or a folder.
    virtual std::optional<std::uint64_t> fileSize(const std::string& name) = 0;
    // Entries matching the pattern's last component, in the folder its
    // other components name ("*.ppc", "受信フォルダ\*.ppm").
    virtual std::vector<DirEntry> list(const std::string& pattern) = 0;

    virtual bool rename(const std::string& from, const std::string& to) = 0;
    // Moves from over to, replacing an existing file in one step.
    virtual bool replace(const std::string& from, const std::string& to) = 0;
    virtual bool copyFile(const std::string& from, const std::string& to) = 0;
    virtual bool deleteFile(const std::string& name) = 0;
    virtual bool makeFolder(const std::string& name) = 0;
    virtual bool removeFolder(const std::string& name) = 0;

    // nullptr when the file cannot be opened (missing, a folder, locked).
    virtual std::unique_ptr<ReadStream> openRead(const std::string& name) = 0;
    // Throws FileError when the file cannot be opened as asked.
    virtual std::unique_ptr<WriteStream> openWrite(const std::string& name, OpenForWrite mode) = 0;

    // The full path of the directory, for messages and for the host's start.
    virtual std::string path() const = 0;
};

// The implementation of this build: POSIX natively, Win32 on Windows.
std::unique_ptr<InstallDir> openInstallDir(const std::string& fullPath);

}  // namespace orvane
