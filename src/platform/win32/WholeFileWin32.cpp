#include "platform/WholeFile.h"
#include "platform/WholeFileRead.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/win32/WideString.h"
#include "platform/win32/WinHandle.h"

namespace orvane {
namespace {

using win32::toWide;

bool writeTemporary(const std::wstring& tempPath, const std::string& bytes) {
    auto file = win32::ownFileHandle(::CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr,
                                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD put = 0;
        if (!::WriteFile(file.get(), bytes.data() + done, chunk, &put, nullptr) || put == 0) return false;
        done += put;
    }
    if (!::FlushFileBuffers(file.get())) return false;
    // Closed here, not by the owner: the file must be closed before it can
    // be moved, and a failed close is a failed write.
    return ::CloseHandle(file.release()) != 0;
}

}  // namespace

ReadOutcome readWholeFileInto(const std::string& fullPath, std::string& bytes) {
    const auto path = toWide(fullPath);
    if (!path) return ReadOutcome::Failed;
    const auto file = win32::ownFileHandle(
        ::CreateFileW(path->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadOutcome::Missing
                                                                              : ReadOutcome::Failed;
    }
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > MaxWholeFileBytes) {
        return ReadOutcome::Failed;
    }
    bytes.clear();
    char buffer[65536];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return ReadOutcome::Failed;
        if (got == 0) return ReadOutcome::Read;
        bytes.append(buffer, got);
        if (bytes.size() > MaxWholeFileBytes) return ReadOutcome::Failed;  // grew while read
    }
}

bool replaceWholeFile(const std::string& fullPath, const std::string& bytes) {
    const auto target = toWide(fullPath);
    // The process id keeps two programs from sharing a temporary name; one
    // left by a crash is simply overwritten.
    const auto temp = toWide(fullPath + "." + std::to_string(::GetCurrentProcessId()) + ".tmp");
    if (!target || !temp) return false;
    if (!writeTemporary(*temp, bytes) ||
        !::MoveFileExW(temp->c_str(), target->c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        ::DeleteFileW(temp->c_str());
        return false;
    }
    return true;
}

}  // namespace orvane
