#include "platform/win32/HostProcessWin32.h"

#include <windows.h>

#include <algorithm>
#include <limits>

#include "platform/win32/WinHandle.h"
#include "platform/win32/WideString.h"

namespace orvane::win32 {

namespace {

class Win32HostProcess : public HostProcess {
public:
    explicit Win32HostProcess(KernelHandle process) : process_(std::move(process)) {}

    bool waitForEnd(std::chrono::milliseconds timeout) override {
        // INFINITE is the largest DWORD; stay below it.
        const auto limit = std::chrono::milliseconds(std::numeric_limits<DWORD>::max() - 1);
        const auto ms = static_cast<DWORD>(std::clamp(timeout, std::chrono::milliseconds(0), limit).count());
        return ::WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0;
    }

    void waitUntilEnded() override {
        // Waiting on the handle ends exactly when the process has ended,
        // whatever exit code it leaves.
        ::WaitForSingleObject(process_.get(), INFINITE);
    }

private:
    KernelHandle process_;
};

}  // namespace

std::unique_ptr<HostProcess> startHostProcess(const std::string& installDir, const std::string& executable) {
    std::string folder = installDir;
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') folder += '\\';
    // The full path is named separately: a bare name on the command line
    // would be looked for beside this program, not in the host's folder.
    const auto application = toWide(folder + executable);
    const auto commandLine = toWide(executable);
    const auto currentDirectory = toWide(installDir);
    if (!application || !commandLine || !currentDirectory) return nullptr;

    std::wstring writableCommandLine = *commandLine;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION created{};
    if (!::CreateProcessW(application->c_str(), writableCommandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          currentDirectory->c_str(), &startup, &created)) {
        return nullptr;
    }
    ::CloseHandle(created.hThread);
    return std::make_unique<Win32HostProcess>(KernelHandle(created.hProcess));
}

}  // namespace orvane::win32

namespace orvane::win32 {

std::unique_ptr<HostProcess> hostProcessOfWindow(WindowId window) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(reinterpret_cast<HWND>(window), &processId);
    if (processId == 0) return nullptr;
    KernelHandle process(::OpenProcess(SYNCHRONIZE, FALSE, processId));
    if (!process) return nullptr;
    return std::make_unique<Win32HostProcess>(std::move(process));
}

}  // namespace orvane::win32
