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

constexpr UINT HangMessage = WM_APP;
// Long past the limit of a call, short enough that a call without a limit
// ends the test instead of hanging it.
constexpr DWORD HangMs = 20000;

// A titled window whose thread stops taking messages on request, as a hung
// host does, until the object goes.
class WindowOfAnotherThread {
public:
    WindowOfAnotherThread() : thread_([this] { run(); }) { ::WaitForSingleObject(ready_.get(), INFINITE); }
    ~WindowOfAnotherThread() {
        ::SetEvent(release_.get());
        ::PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
        thread_.join();
    }

    HWND window() const { return window_; }
    void hang() {
        ::PostThreadMessageW(threadId_, HangMessage, 0, 0);
        ::WaitForSingleObject(hanging_.get(), INFINITE);
    }
    void destroy() {
        ::PostMessageW(window_, WM_CLOSE, 0, 0);
        while (::IsWindow(window_)) ::Sleep(10);
    }

private:
    void run() {
        threadId_ = ::GetCurrentThreadId();
        window_ = ::CreateWindowExW(0, L"STATIC", L"ヴェルモラ", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                    nullptr);
        ::SetEvent(ready_.get());
        MSG message{};
        while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (message.message == HangMessage) {
                ::SetEvent(hanging_.get());
                ::WaitForSingleObject(release_.get(), HangMs);
            }
            ::DispatchMessageW(&message);
        }
        if (::IsWindow(window_)) ::DestroyWindow(window_);
    }

    KernelHandle ready_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    KernelHandle hanging_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    KernelHandle release_{::CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    DWORD threadId_ = 0;
    HWND window_ = nullptr;
    std::thread thread_;
};

TEST(Win32HostWindows, AHungWindowIsNotTakenForAGoneOne) {
    Win32HostWindows windows;
    const struct {
        const char* state;
        void (*bringAbout)(WindowOfAnotherThread&);
        std::optional<std::size_t> titleLength;
        std::string text;
    } cases[] = {
        {"answering", [](WindowOfAnotherThread&) {}, 5, "ヴェルモラ"},
        {"hung", [](WindowOfAnotherThread& other) { other.hang(); }, std::nullopt, ""},
        {"gone", [](WindowOfAnotherThread& other) { other.destroy(); }, 0, ""},
    };
    for (const auto& c : cases) {
        WindowOfAnotherThread other;
        c.bringAbout(other);
        const auto window = reinterpret_cast<WindowId>(other.window());
        EXPECT_EQ(windows.titleLength(window), c.titleLength) << c.state;
        EXPECT_EQ(windows.text(window), c.text) << c.state;
    }
}

}  // namespace
}  // namespace orvane::win32
