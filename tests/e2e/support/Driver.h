#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Drives other processes' windows from outside, through window messages
// only, as a user's clicks and keys would reach them.
namespace orvane::e2e {

using std::chrono::milliseconds;
// Long enough for a first Wine start on a slow machine.
inline constexpr milliseconds kWait{30000};

// Polls until the condition holds or the limit has passed; the condition's last value.
bool waitUntil(const std::function<bool()>& condition, milliseconds limit = kWait, milliseconds step = milliseconds{50});

struct HandleCloser {
    void operator()(HANDLE handle) const { ::CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

// A program started in a job: it and all it starts, such as the host, end
// when the object goes or the process that started it dies.
class Program {
public:
    Program(const std::wstring& executable, const std::wstring& arguments, const std::wstring& workingDir);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    DWORD id() const { return id_; }
    bool running() const { return WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT; }
    bool waitForExit() const { return WaitForSingleObject(process_.get(), kWait.count()) == WAIT_OBJECT_0; }

private:
    OwnedHandle job_;
    OwnedHandle process_;
    DWORD id_ = 0;
};

inline constexpr wchar_t kDialogClass[] = L"#32770";  // dialogs and message boxes
inline constexpr wchar_t kMenuClass[] = L"#32768";

// The visible top-level windows of the process (0: any) with the class and caption (empty: any).
std::vector<HWND> findWindows(DWORD processId, const std::wstring& className, const std::wstring& caption = {});
// The first to appear within the limit; null when none did.
HWND waitForWindow(DWORD processId, const std::wstring& className, const std::wstring& caption = {});
bool waitForNoWindow(DWORD processId, const std::wstring& className, const std::wstring& caption = {});
// Visible and with an area: a window parked at size 0 is not seen.
bool isSeen(HWND window);

// Throws std::runtime_error when the window does not answer within the limit.
LRESULT send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
std::wstring textOf(HWND window);
void setText(HWND control, const std::wstring& text);
// A click on the dialog's button once it is enabled, as the dialog sees it:
// its command, posted, so that a modal box it opens holds no caller.
void press(HWND dialog, int id);
// Presses and waits for the dialog to go; false when it stays.
bool pressToClose(HWND dialog, int id);
// A combo or list box's items, and a choice among them that the dialog is told of.
std::vector<std::wstring> itemsOf(HWND box);
void choose(HWND box, int index);
// The static controls' texts, a line each: a message box's message.
std::wstring staticTexts(HWND window);
// The window as the screen shows it once painted, lifted above the others.
bool saveShot(HWND window, const std::wstring& pngPath);

}  // namespace orvane::e2e
