#include "platform/WholeFile.h"
#include "platform/WholeFileRead.h"

#include <cerrno>
#include <cstdint>
#include <string>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvane {
namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and tells whether the close succeeded: a write error may
    // show only here.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

std::string folderOf(const std::string& fullPath) {
    const auto slash = fullPath.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return fullPath.substr(0, slash);
}

bool writeTemporary(const std::string& tempPath, const std::string& bytes) {
    FileDescriptor fd(::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd.valid()) return false;
    const bool written = writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0;
    return fd.close() && written;
}

}  // namespace

ReadOutcome readWholeFileInto(const std::string& fullPath, std::string& bytes) {
    FileDescriptor fd(::open(fullPath.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd.valid())
        return errno == ENOENT || errno == ENOTDIR ? ReadOutcome::Missing : ReadOutcome::Failed;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return ReadOutcome::Failed;
    if (static_cast<std::uint64_t>(info.st_size) > MaxWholeFileBytes) return ReadOutcome::Failed;

    bytes.clear();
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd.get(), buffer, sizeof buffer);
        if (got == 0) return ReadOutcome::Read;
        if (got < 0) {
            if (errno == EINTR) continue;
            return ReadOutcome::Failed;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
        if (bytes.size() > MaxWholeFileBytes) return ReadOutcome::Failed;  // grew while read
    }
}

bool replaceWholeFile(const std::string& fullPath, const std::string& bytes) {
    // The process id keeps two programs from sharing a temporary name; a
    // stale one left by a crash of an earlier process of that id goes first.
    const std::string tempPath = fullPath + "." + std::to_string(::getpid()) + ".tmp";
    ::unlink(tempPath.c_str());
    if (!writeTemporary(tempPath, bytes) || ::rename(tempPath.c_str(), fullPath.c_str()) != 0) {
        ::unlink(tempPath.c_str());
        return false;
    }
    // The new name must reach the disk too; the file is already in place,
    // so a failure here is not a failure of the replacement.
    FileDescriptor folder(::open(folderOf(fullPath).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.valid()) ::fsync(folder.get());
    return true;
}

}  // namespace orvane
