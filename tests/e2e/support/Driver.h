#pragma once

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

// Drives other processes' windows from outside, through window messages
// only, as a user's clicks and keys would reach them.
namespace orvane::e2e {

using std::chrono::milliseconds;
inline constexpr milliseconds kWait{30000};  // long enough for a first Wine start on a slow machine

// Polls until the condition holds or the limit has passed; the condition's last value.
inline bool waitUntil(const std::function<bool()>& condition, milliseconds limit = kWait) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) return condition();
        std::this_thread::sleep_for(milliseconds{50});
    }
    return true;
}

struct HandleCloser { void operator()(HANDLE handle) const { CloseHandle(handle); } };
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

// A program started in a job: it and all it starts, such as the host, end
// when the object goes or the process that started it dies.
class Program {
public:
    Program(const std::wstring& executable, const std::wstring& arguments, const std::wstring& workingDir)
        : job_(CreateJobObjectW(nullptr, nullptr)) {
        // Wine starts its desktop process, which also holds the notification
        // area, for the first program that needs it: never one in a job.
        GetDesktopWindow();
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        std::wstring commandLine = L"\"" + executable + L"\" " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        // Suspended until it is in the job, so that what it starts is in it too.
        if (!job_ || !SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
            !CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                            workingDir.c_str(), &startup, &info)) {
            throw std::runtime_error("cannot start a program, error " + std::to_string(GetLastError()));
        }
        const OwnedHandle thread(info.hThread);
        process_.reset(info.hProcess);
        id_ = info.dwProcessId;
        if (!AssignProcessToJobObject(job_.get(), process_.get()) || ResumeThread(thread.get()) == DWORD(-1)) {
            TerminateProcess(process_.get(), 1);
            throw std::runtime_error("cannot run a program in a job");
        }
    }
    // The folder it ran in goes next: nothing may hold its files by then.
    ~Program() {
        TerminateJobObject(job_.get(), 1);
        waitUntil([&] {
            JOBOBJECT_BASIC_ACCOUNTING_INFORMATION job{};
            return !QueryInformationJobObject(job_.get(), JobObjectBasicAccountingInformation, &job, sizeof job, nullptr) ||
                   job.ActiveProcesses == 0;
        });
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD id() const { return id_; }
    bool running() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
    bool waitForExit() const { return WaitForSingleObject(process_.get(), kWait.count()) == WAIT_OBJECT_0; }
    // Ends the program alone, as a crash would: what it started goes on.
    bool kill() const { return TerminateProcess(process_.get(), 1) && waitForExit(); }

private:
    OwnedHandle job_;
    OwnedHandle process_;
    DWORD id_ = 0;
};

inline constexpr wchar_t kDialogClass[] = L"#32770";  // dialogs and message boxes
inline constexpr wchar_t kMenuClass[] = L"#32768";

// The visible top-level windows of the process (0: any) with the class and
// caption (empty: any). FindWindowEx reads captions without a message to
// the window, so that a busy program cannot stall the search.
inline std::vector<HWND> findWindows(DWORD processId, const std::wstring& className, const std::wstring& caption = {}) {
    std::vector<HWND> found;
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className.empty() ? nullptr : className.c_str(),
                                   caption.empty() ? nullptr : caption.c_str()))) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if ((processId == 0 || owner == processId) && IsWindowVisible(window)) found.push_back(window);
    }
    return found;
}
// The first to appear within the limit; null when none did.
inline HWND waitForWindow(DWORD processId, const std::wstring& className, const std::wstring& caption = {}) {
    std::vector<HWND> found;
    waitUntil([&] { return !(found = findWindows(processId, className, caption)).empty(); });
    return found.empty() ? nullptr : found.front();
}
inline bool waitForNoWindow(DWORD processId, const std::wstring& className, const std::wstring& caption = {}) {
    return waitUntil([&] { return findWindows(processId, className, caption).empty(); });
}
// Visible and with an area: a window parked at size 0 is not seen.
inline bool isSeen(HWND window) {
    RECT rect{};
    return IsWindowVisible(window) && GetWindowRect(window, &rect) && rect.right > rect.left && rect.bottom > rect.top;
}

// Throws when the window does not answer within the limit.
inline LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kWait.count(), &result)) {
        throw std::runtime_error("a window did not answer message " + std::to_string(message));
    }
    return static_cast<LRESULT>(result);
}
// A negative length is an error: the text went meanwhile.
inline std::wstring textOf(HWND window) {
    std::wstring text(std::max<LRESULT>(0, send(window, WM_GETTEXTLENGTH)) + 1, L'\0');
    text.resize(std::max<LRESULT>(0, send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
    return text;
}
inline void setText(HWND control, const std::wstring& text) { send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())); }
// A click on the dialog's button once it is enabled, as the dialog sees it:
// its command, posted, so that a modal box it opens holds no caller.
inline void press(HWND dialog, int id) {
    HWND button = GetDlgItem(dialog, id);
    if (!button || !waitUntil([&] { return IsWindowEnabled(button) != FALSE; }) ||
        !PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button))) {
        throw std::runtime_error("the dialog has no enabled button " + std::to_string(id));
    }
}
// Presses and waits for the dialog to go; false when it stays.
inline bool pressToClose(HWND dialog, int id) {
    press(dialog, id);
    return waitUntil([&] { return !IsWindow(dialog); });
}
inline bool isListBox(HWND box) {
    wchar_t name[16];
    return GetClassNameW(box, name, 16) && lstrcmpiW(name, L"ListBox") == 0;
}
// A combo or list box's items.
inline std::vector<std::wstring> itemsOf(HWND box) {
    const bool list = isListBox(box);
    std::vector<std::wstring> items(std::max<LRESULT>(0, send(box, list ? LB_GETCOUNT : CB_GETCOUNT)));
    for (std::size_t i = 0; i < items.size(); ++i) {
        items[i].resize(std::max<LRESULT>(0, send(box, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, i)) + 1);
        const LPARAM text = reinterpret_cast<LPARAM>(items[i].data());
        items[i].resize(std::max<LRESULT>(0, send(box, list ? LB_GETTEXT : CB_GETLBTEXT, i, text)));
    }
    return items;
}
// A choice as a click makes it: the selection message alone tells the dialog nothing.
inline void choose(HWND box, int index) {
    static_assert(LBN_SELCHANGE == CBN_SELCHANGE);
    send(box, isListBox(box) ? LB_SETCURSEL : CB_SETCURSEL, index);
    send(GetParent(box), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(box), LBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

// The window as the screen shows it once painted, lifted above the others.
bool saveShot(HWND window, const std::wstring& pngPath);

}  // namespace orvane::e2e
