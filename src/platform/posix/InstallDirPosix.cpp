// The installation directory on a POSIX file system, with the Windows
// semantics the core relies on: names match without regard to letter case,
// a rename never replaces, listings are filtered and sorted by our own rules.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

#include "platform/FileError.h"
#include "platform/InstallDir.h"
#include "platform/InstallDirNames.h"
#include "platform/posix/FolderEntries.h"
#include "platform/posix/FolderIndex.h"

namespace orvane {

namespace {

[[noreturn]] void throwErrno(const std::string& name) {
    const int error = errno;
    throw FileError(name, std::generic_category().message(error));
}

// An open file descriptor, closed when the owner goes.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(Fd&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }

private:
    int fd_;
};

int openRetrying(const std::string& path, int flags, mode_t mode = 0) {
    int fd;
    do fd = ::open(path.c_str(), flags | O_CLOEXEC, mode);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// Writes everything; false with errno set when a write fails.
bool writeAll(int fd, const void* data, std::size_t count) {
    const char* bytes = static_cast<const char*>(data);
    while (count > 0) {
        const ssize_t written = ::write(fd, bytes, count);
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes += written;
        count -= static_cast<std::size_t>(written);
    }
    return true;
}

// Reads up to count bytes; the number read, or -1 with errno set.
ssize_t readRetrying(int fd, void* buffer, std::size_t count) {
    ssize_t got;
    do got = ::read(fd, buffer, count);
    while (got < 0 && errno == EINTR);
    return got;
}

std::optional<struct stat> statPath(const std::string& path) {
    struct stat st;
    if (::stat(path.c_str(), &st) != 0) return std::nullopt;
    return st;
}

std::string parentOf(const std::string& path) { return path.substr(0, path.rfind('/')); }

// Makes a rename in the folder survive a crash.
void syncFolder(const std::string& folder) {
    const Fd dir(openRetrying(folder, O_RDONLY | O_DIRECTORY));
    if (dir) ::fsync(dir.get());
}

// A rename that fails when the target exists, also when it appears between
// our check and the call, where the file system can say so.
bool renameNoReplace(const std::string& from, const std::string& to) {
#ifdef RENAME_NOREPLACE
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
    if (errno != EINVAL && errno != ENOSYS) return false;
#endif
    return ::rename(from.c_str(), to.c_str()) == 0;
}

class PosixReadStream : public ReadStream {
public:
    PosixReadStream(Fd fd, std::string name) : fd_(std::move(fd)), name_(std::move(name)) {}

    std::size_t read(void* buffer, std::size_t count) override {
        const ssize_t got = readRetrying(fd_.get(), buffer, count);
        if (got < 0) throwErrno(name_);
        return static_cast<std::size_t>(got);
    }

    void seek(std::uint64_t offset) override {
        if (::lseek(fd_.get(), static_cast<off_t>(offset), SEEK_SET) < 0) throwErrno(name_);
    }

    std::uint64_t size() override {
        struct stat st;
        if (::fstat(fd_.get(), &st) != 0) throwErrno(name_);
        return static_cast<std::uint64_t>(st.st_size);
    }

private:
    Fd fd_;
    std::string name_;
};

class PosixWriteStream : public WriteStream {
public:
    PosixWriteStream(Fd fd, std::string name) : fd_(std::move(fd)), name_(std::move(name)) {}

    void write(const void* data, std::size_t count) override {
        if (!writeAll(fd_.get(), data, count)) throwErrno(name_);
    }

    void seek(std::uint64_t offset) override { seekTo(static_cast<off_t>(offset), SEEK_SET); }
    void seekToEnd() override { seekTo(0, SEEK_END); }

    std::uint64_t size() override {
        struct stat st;
        if (::fstat(fd_.get(), &st) != 0) throwErrno(name_);
        return static_cast<std::uint64_t>(st.st_size);
    }

    void flushToDisk() override {
        if (::fsync(fd_.get()) != 0) throwErrno(name_);
    }

private:
    void seekTo(off_t offset, int whence) {
        if (::lseek(fd_.get(), offset, whence) < 0) throwErrno(name_);
    }

    Fd fd_;
    std::string name_;
};

class PosixInstallDir : public InstallDir {
public:
    explicit PosixInstallDir(std::string root) : root_(std::move(root)) {}

    bool exists(const std::string& name) override { return statPath(resolve(name)).has_value(); }

    bool isFolder(const std::string& name) override {
        const auto st = statPath(resolve(name));
        return st && S_ISDIR(st->st_mode);
    }

    std::optional<std::uint64_t> fileSize(const std::string& name) override {
        const auto st = statPath(resolve(name));
        if (!st || S_ISDIR(st->st_mode)) return std::nullopt;
        return static_cast<std::uint64_t>(st->st_size);
    }

    std::vector<DirEntry> list(const std::string& pattern) override {
        // Not a structured binding: clang 14 cannot capture one in a lambda.
        const installdir::FolderAndLast split = installdir::splitLastComponent(pattern);
        const std::string folder = resolve(split.folder);
        std::vector<DirEntry> entries;
        forEachFolderEntry(folder, [&](std::string_view name) {
            if (!installdir::isListed(split.last, name)) return;
            DirEntry listed{std::string(name)};
            if (const auto st = statPath(folder + '/' + listed.name)) {
                listed.isFolder = S_ISDIR(st->st_mode);
                if (!listed.isFolder) listed.size = static_cast<std::uint64_t>(st->st_size);
            }
            entries.push_back(std::move(listed));
        });
        installdir::sortListing(entries);
        return entries;
    }

    bool rename(const std::string& from, const std::string& to) override {
        const std::string source = resolve(from);
        if (!statPath(source)) return false;
        const std::string target = resolve(to);
        if (target == source) {
            // Only the letter case changes: give the entry the new spelling.
            const std::string respelled = parentOf(target) + '/' +
                std::string(installdir::splitLastComponent(to).last);
            return ::rename(source.c_str(), respelled.c_str()) == 0;
        }
        if (statPath(target)) return false;
        return renameNoReplace(source, target);
    }

    bool replace(const std::string& from, const std::string& to) override {
        const std::string source = resolve(from);
        const std::string target = resolve(to);
        // rename(2) would also put a folder in place of an empty folder.
        const auto existing = statPath(target);
        if (existing && S_ISDIR(existing->st_mode)) return false;
        if (::rename(source.c_str(), target.c_str()) != 0) return false;
        syncFolder(parentOf(target));
        return true;
    }

    bool copyFile(const std::string& from, const std::string& to) override {
        const Fd in(openRetrying(resolve(from), O_RDONLY));
        struct stat source;
        if (!in || ::fstat(in.get(), &source) != 0 || S_ISDIR(source.st_mode)) return false;
        const std::string target = resolve(to);
        // Truncating the target would destroy a source that is the same file.
        const auto existing = statPath(target);
        if (existing && existing->st_dev == source.st_dev && existing->st_ino == source.st_ino) return false;
        const Fd out(openRetrying(target, O_WRONLY | O_CREAT | O_TRUNC, source.st_mode & 0777));
        if (!out) return false;
        std::vector<char> buffer(kCopyChunk);
        for (;;) {
            const ssize_t got = readRetrying(in.get(), buffer.data(), buffer.size());
            if (got < 0) return false;
            if (got == 0) return true;
            if (!writeAll(out.get(), buffer.data(), static_cast<std::size_t>(got))) return false;
        }
    }

    bool deleteFile(const std::string& name) override {
        const std::string path = resolve(name);
        struct stat st;
        if (::lstat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return false;
        return ::unlink(path.c_str()) == 0;
    }

    bool makeFolder(const std::string& name) override { return ::mkdir(resolve(name).c_str(), 0777) == 0; }

    bool removeFolder(const std::string& name) override { return ::rmdir(resolve(name).c_str()) == 0; }

    std::unique_ptr<ReadStream> openRead(const std::string& name) override {
        Fd fd(openRetrying(resolve(name), O_RDONLY));
        struct stat st;
        if (!fd || ::fstat(fd.get(), &st) != 0 || S_ISDIR(st.st_mode)) return nullptr;
        return std::make_unique<PosixReadStream>(std::move(fd), name);
    }

    std::unique_ptr<WriteStream> openWrite(const std::string& name, OpenForWrite mode) override {
        const int flags = mode == OpenForWrite::CreateOrTruncate ? O_WRONLY | O_CREAT | O_TRUNC : O_WRONLY;
        Fd fd(openRetrying(resolve(name), flags, 0666));
        if (!fd) throwErrno(name);
        return std::make_unique<PosixWriteStream>(std::move(fd), name);
    }

    std::string path() const override { return root_; }

private:
    static constexpr std::size_t kCopyChunk = 256 * 1024;

    // The entry of the folder that the name denotes: the exact spelling when
    // it exists, else one that differs in letter case only.
    std::optional<std::string> findEntry(const std::string& folder, std::string_view wanted) {
        struct stat st;
        if (::lstat((folder + '/' + std::string(wanted)).c_str(), &st) == 0) return std::string(wanted);
        return index_.find(folder, wanted);
    }

    // The full path of a name, each component spelled as it exists on disk.
    // Components past the first missing one are kept as given, so that the
    // path names what a create would make.
    std::string resolve(std::string_view name) {
        std::string path = root_;
        bool parentExists = true;
        for (const std::string_view component : installdir::nameComponents(name)) {
            std::optional<std::string> onDisk;
            if (parentExists) onDisk = findEntry(path, component);
            parentExists = onDisk.has_value();
            path += '/';
            path += onDisk ? *onDisk : std::string(component);
        }
        return path;
    }

    std::string root_;
    FolderIndex index_;
};

}  // namespace

std::unique_ptr<InstallDir> openInstallDir(const std::string& fullPath) {
    std::string root = fullPath;
    while (root.size() > 1 && root.back() == '/') root.pop_back();
    return std::make_unique<PosixInstallDir>(std::move(root));
}

}  // namespace orvane
