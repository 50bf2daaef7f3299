// The installation directory through the Win32 W API. Paths are built as
// "\\?\" + absolute path, so that deep pet folders are not cut at MAX_PATH.

#include <windows.h>

#include <algorithm>
#include <limits>
#include <optional>

#include "platform/FileError.h"
#include "platform/InstallDir.h"
#include "platform/InstallDirNames.h"
#include "platform/win32/WideString.h"
#include "platform/win32/WinErrorText.h"
#include "platform/win32/WinHandle.h"

namespace orvane {

namespace {

using win32::FileHandle;

[[noreturn]] void throwLastError(const std::string& name) {
    throw FileError(name, win32::winErrorText(::GetLastError()));
}

// Win32 transfers at most a DWORD per call.
DWORD clampToDword(std::size_t count) {
    return static_cast<DWORD>(std::min<std::size_t>(count, std::numeric_limits<DWORD>::max()));
}

// The absolute form of a root folder with the long-path prefix, without a
// trailing "\". Throws FileError for a path Windows cannot take.
std::wstring longPathRoot(const std::string& fullPath) {
    auto wide = win32::toWide(fullPath);
    if (!wide) throw FileError(fullPath, "the folder name is not valid UTF-8");
    for (wchar_t& c : *wide) {
        if (c == L'/') c = L'\\';
    }
    if (wide->rfind(L"\\\\?\\", 0) != 0) {
        const DWORD needed = ::GetFullPathNameW(wide->c_str(), 0, nullptr, nullptr);
        if (needed == 0) throwLastError(fullPath);
        std::wstring absolute(needed, L'\0');
        const DWORD length = ::GetFullPathNameW(wide->c_str(), needed, absolute.data(), nullptr);
        if (length == 0 || length >= needed) throwLastError(fullPath);
        absolute.resize(length);
        *wide = absolute.rfind(L"\\\\", 0) == 0 ? L"\\\\?\\UNC\\" + absolute.substr(2) : L"\\\\?\\" + absolute;
    }
    while (!wide->empty() && wide->back() == L'\\') wide->pop_back();
    return *wide;
}

class Win32ReadStream : public ReadStream {
public:
    Win32ReadStream(FileHandle file, std::string name) : file_(std::move(file)), name_(std::move(name)) {}

    std::size_t read(void* buffer, std::size_t count) override {
        DWORD got = 0;
        if (!::ReadFile(file_.get(), buffer, clampToDword(count), &got, nullptr)) throwLastError(name_);
        return got;
    }

    void seek(std::uint64_t offset) override {
        LARGE_INTEGER distance;
        distance.QuadPart = static_cast<LONGLONG>(offset);
        if (!::SetFilePointerEx(file_.get(), distance, nullptr, FILE_BEGIN)) throwLastError(name_);
    }

    std::uint64_t size() override {
        LARGE_INTEGER size;
        if (!::GetFileSizeEx(file_.get(), &size)) throwLastError(name_);
        return static_cast<std::uint64_t>(size.QuadPart);
    }

private:
    FileHandle file_;
    std::string name_;
};

class Win32WriteStream : public WriteStream {
public:
    Win32WriteStream(FileHandle file, std::string name) : file_(std::move(file)), name_(std::move(name)) {}

    void write(const void* data, std::size_t count) override {
        const char* bytes = static_cast<const char*>(data);
        while (count > 0) {
            DWORD written = 0;
            if (!::WriteFile(file_.get(), bytes, clampToDword(count), &written, nullptr)) throwLastError(name_);
            bytes += written;
            count -= written;
        }
    }

    void seek(std::uint64_t offset) override {
        LARGE_INTEGER distance;
        distance.QuadPart = static_cast<LONGLONG>(offset);
        if (!::SetFilePointerEx(file_.get(), distance, nullptr, FILE_BEGIN)) throwLastError(name_);
    }

    void seekToEnd() override {
        LARGE_INTEGER distance;
        distance.QuadPart = 0;
        if (!::SetFilePointerEx(file_.get(), distance, nullptr, FILE_END)) throwLastError(name_);
    }

    std::uint64_t size() override {
        LARGE_INTEGER size;
        if (!::GetFileSizeEx(file_.get(), &size)) throwLastError(name_);
        return static_cast<std::uint64_t>(size.QuadPart);
    }

    void flushToDisk() override {
        if (!::FlushFileBuffers(file_.get())) throwLastError(name_);
    }

private:
    FileHandle file_;
    std::string name_;
};

class Win32InstallDir : public InstallDir {
public:
    Win32InstallDir(std::string root, std::wstring longRoot) : root_(std::move(root)), longRoot_(std::move(longRoot)) {}

    bool exists(const std::string& name) override { return attributes(name).has_value(); }

    bool isFolder(const std::string& name) override {
        const auto found = attributes(name);
        return found && isFolderAttribute(found->dwFileAttributes);
    }

    std::optional<std::uint64_t> fileSize(const std::string& name) override {
        const auto found = attributes(name);
        if (!found || isFolderAttribute(found->dwFileAttributes)) return std::nullopt;
        return combine(found->nFileSizeHigh, found->nFileSizeLow);
    }

    // Every entry of the folder, filtered by our own matching: the system's
    // pattern would also match 8.3 short names ("*.ppc" finding "a.ppcx").
    std::vector<DirEntry> list(const std::string& pattern) override {
        const auto [folderName, namePattern] = installdir::splitLastComponent(pattern);
        std::vector<DirEntry> entries;
        const auto folder = fullPath(folderName);
        if (!folder) return entries;
        WIN32_FIND_DATAW found;
        const win32::FindHandle search(win32::ownFindHandle(::FindFirstFileExW(
            (*folder + L"\\*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, 0)));
        if (!search) return entries;
        do {
            const auto name = win32::fromWide(found.cFileName);
            if (!name || !installdir::isListed(namePattern, *name)) continue;
            DirEntry entry{*name};
            entry.isFolder = isFolderAttribute(found.dwFileAttributes);
            if (!entry.isFolder) entry.size = combine(found.nFileSizeHigh, found.nFileSizeLow);
            entries.push_back(std::move(entry));
        } while (::FindNextFileW(search.get(), &found));
        installdir::sortListing(entries);
        return entries;
    }

    // Without MOVEFILE_REPLACE_EXISTING the move fails on any existing target.
    bool rename(const std::string& from, const std::string& to) override { return move(from, to, 0); }

    bool replace(const std::string& from, const std::string& to) override {
        return move(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    }

    bool copyFile(const std::string& from, const std::string& to) override {
        const auto source = attributes(from);
        if (!source || isFolderAttribute(source->dwFileAttributes)) return false;
        const auto sourcePath = fullPath(from);
        const auto targetPath = fullPath(to);
        return sourcePath && targetPath && ::CopyFileW(sourcePath->c_str(), targetPath->c_str(), FALSE);
    }

    bool deleteFile(const std::string& name) override {
        const auto path = fullPath(name);
        return path && ::DeleteFileW(path->c_str());
    }

    bool makeFolder(const std::string& name) override {
        const auto path = fullPath(name);
        return path && ::CreateDirectoryW(path->c_str(), nullptr);
    }

    bool removeFolder(const std::string& name) override {
        const auto path = fullPath(name);
        return path && ::RemoveDirectoryW(path->c_str());
    }

    std::unique_ptr<ReadStream> openRead(const std::string& name) override {
        const auto path = fullPath(name);
        if (!path) return nullptr;
        FileHandle file = win32::ownFileHandle(::CreateFileW(
            path->c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return nullptr;
        return std::make_unique<Win32ReadStream>(std::move(file), name);
    }

    std::unique_ptr<WriteStream> openWrite(const std::string& name, OpenForWrite mode) override {
        const auto path = fullPath(name);
        if (!path) throw FileError(name, "the file name is not valid UTF-8");
        const DWORD disposition = mode == OpenForWrite::CreateOrTruncate ? CREATE_ALWAYS : OPEN_EXISTING;
        FileHandle file = win32::ownFileHandle(::CreateFileW(
            path->c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) throwLastError(name);
        return std::make_unique<Win32WriteStream>(std::move(file), name);
    }

    std::string path() const override { return root_; }

private:
    static bool isFolderAttribute(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

    static std::uint64_t combine(DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; }

    // "\\?\" + root + the name's components joined by "\"; nullopt when the
    // name is not valid UTF-8.
    std::optional<std::wstring> fullPath(std::string_view name) const {
        std::string relative;
        for (const std::string_view component : installdir::nameComponents(name)) {
            relative += '\\';
            relative += component;
        }
        const auto wide = win32::toWide(relative);
        if (!wide) return std::nullopt;
        return longRoot_ + *wide;
    }

    std::optional<WIN32_FILE_ATTRIBUTE_DATA> attributes(const std::string& name) const {
        const auto path = fullPath(name);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!path || !::GetFileAttributesExW(path->c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
        return data;
    }

    bool move(const std::string& from, const std::string& to, DWORD flags) const {
        const auto source = fullPath(from);
        const auto target = fullPath(to);
        return source && target && ::MoveFileExW(source->c_str(), target->c_str(), flags);
    }

    std::string root_;
    std::wstring longRoot_;
};

}  // namespace

std::unique_ptr<InstallDir> openInstallDir(const std::string& fullPath) {
    return std::make_unique<Win32InstallDir>(fullPath, longPathRoot(fullPath));
}

}  // namespace orvane
