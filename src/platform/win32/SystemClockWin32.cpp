#include "platform/win32/SystemClockWin32.h"

#include <windows.h>

#include "platform/win32/WinHandle.h"

namespace orvane::win32 {

namespace {

WORD field(int value) { return static_cast<WORD>(value); }

}  // namespace

LocalTime Win32SystemClock::now() {
    SYSTEMTIME time{};
    ::GetLocalTime(&time);
    return LocalTime{time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond, time.wMilliseconds};
}

bool Win32SystemClock::acquireRightToSet() {
    HANDLE opened = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened)) return false;
    const KernelHandle token(opened);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!::LookupPrivilegeValueW(nullptr, SE_SYSTEMTIME_NAME, &privileges.Privileges[0].Luid)) return false;
    // Succeeds also when the account does not hold the privilege; only the
    // last error tells.
    if (!::AdjustTokenPrivileges(token.get(), FALSE, &privileges, 0, nullptr, nullptr)) return false;
    return ::GetLastError() != ERROR_NOT_ALL_ASSIGNED;
}

bool Win32SystemClock::set(const LocalTime& time) {
    SYSTEMTIME local{};
    local.wYear = field(time.year);
    local.wMonth = field(time.month);
    local.wDay = field(time.day);
    local.wHour = field(time.hour);
    local.wMinute = field(time.minute);
    local.wSecond = field(time.second);
    local.wMilliseconds = field(time.millisecond);
    if (!::SetLocalTime(&local)) return false;
    // The first call converts with the daylight saving rule of the time it
    // leaves; the second one with the rule of the time it set.
    ::SetLocalTime(&local);
    return true;
}

std::chrono::milliseconds TickStopwatch::elapsed() {
    return std::chrono::milliseconds(::GetTickCount64());
}

void TickStopwatch::pause(std::chrono::milliseconds duration) {
    ::Sleep(static_cast<DWORD>(duration.count()));
}

}  // namespace orvane::win32
