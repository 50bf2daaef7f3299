// The host's windows through the Win32 calls, against a window on a thread
// of its own as another program's would be: a window that stops answering
// holds no call for longer than the limit, and is told from one that has
// gone.

#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "platform/win32/HostWindowsWin32.h"
#include "platform/win32/WinHandle.h"

namespace orvane::win32 {
namespace {

// A titled window whose thread, on request, stops taking messages for
// longer than a call may wait (as a hung host does), or destroys it.
class WindowOfAnotherThread {
public:
    enum State { Answering, Hung, Gone };
    explicit WindowOfAnotherThread(State state) : thread_([this, state] { run(state); }) {
        ::WaitForSingleObject(ready_.get(), INFINITE);
    }
    ~WindowOfAnotherThread() {
        ::SetEvent(release_.get());
        thread_.join();
    }
    HWND window = nullptr;

private:
    void run(State state) {
        window = ::CreateWindowExW(0, L"STATIC", L"ヴェルモラ", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
        if (state == Gone) ::DestroyWindow(window);
        ::SetEvent(ready_.get());
        // Hung: long past the limit of a call, short enough that a call
        // without a limit ends the test instead of hanging it.
        if (state == Hung) ::WaitForSingleObject(release_.get(), 20000);
        MSG message{};
        const HANDLE release = release_.get();
        while (::MsgWaitForMultipleObjects(1, &release, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
            while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&message);
        }
        if (::IsWindow(window)) ::DestroyWindow(window);
    }

    KernelHandle ready_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    KernelHandle release_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::thread thread_;
};

TEST(Win32HostWindows, AHungWindowIsNotTakenForAGoneOne) {
    Win32HostWindows windows;
    const struct { WindowOfAnotherThread::State state; std::optional<std::size_t> titleLength; std::string text; }
        cases[] = {{WindowOfAnotherThread::Answering, 5, "ヴェルモラ"},
                   {WindowOfAnotherThread::Hung, std::nullopt, ""},
                   {WindowOfAnotherThread::Gone, 0, ""}};
    for (const auto& c : cases) {
        WindowOfAnotherThread other(c.state);
        const auto window = reinterpret_cast<WindowId>(other.window);
        EXPECT_EQ(windows.titleLength(window), c.titleLength) << c.state;
        EXPECT_EQ(windows.text(window), c.text) << c.state;
    }
}

}  // namespace
}  // namespace orvane::win32
