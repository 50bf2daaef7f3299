#include "ChildProcess.h"

#include <tlhelp32.h>

#include <cwctype>
#include <stdexcept>

namespace orvane::e2e {

ChildProcess::ChildProcess(const std::wstring& executable, const std::wstring& arguments,
                           const std::wstring& workingDir) {
    std::wstring commandLine = L"\"" + executable + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        workingDir.c_str(), &startup, &info)) {
        throw std::runtime_error("cannot start a program, error " + std::to_string(GetLastError()));
    }
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    id_ = info.dwProcessId;
}

ChildProcess::~ChildProcess() {
    if (process_ && running()) terminate();
}

bool ChildProcess::running() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }

std::optional<DWORD> ChildProcess::waitForExit(milliseconds limit) const {
    if (WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

void ChildProcess::terminate() const {
    TerminateProcess(process_.get(), 1);
    WaitForSingleObject(process_.get(), static_cast<DWORD>(kProcessEndWait.count()));
}

namespace {

std::wstring upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

std::wstring imagePath(HANDLE process) {
    wchar_t path[MAX_PATH * 2];
    DWORD size = MAX_PATH * 2;
    if (!QueryFullProcessImageNameW(process, 0, path, &size)) return {};
    return std::wstring(path, size);
}

}  // namespace

void endProcessesUnder(const std::wstring& folder) {
    const std::wstring prefix = upper(folder.back() == L'\\' ? folder : folder + L"\\");
    const HANDLE raw = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (raw == INVALID_HANDLE_VALUE) return;
    const OwnedHandle snapshot(raw);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        const OwnedHandle process(OpenProcess(
            PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID));
        if (!process) continue;
        if (upper(imagePath(process.get())).rfind(prefix, 0) != 0) continue;
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), static_cast<DWORD>(kProcessEndWait.count()));
    }
}

}  // namespace orvane::e2e
