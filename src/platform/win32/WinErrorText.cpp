#include "platform/win32/WinErrorText.h"

#include <memory>
#include <string_view>

#include "platform/win32/WideString.h"

namespace orvane::win32 {

namespace {

struct LocalFreer {
    void operator()(wchar_t* buffer) const { ::LocalFree(buffer); }
};

}  // namespace

std::string winErrorText(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const std::unique_ptr<wchar_t, LocalFreer> owner(buffer);
    std::wstring_view message(buffer, buffer ? length : 0);
    while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' ')) {
        message.remove_suffix(1);
    }
    const auto utf8 = fromWide(message);
    if (!utf8 || utf8->empty()) return "Windows error " + std::to_string(code);
    return *utf8;
}

}  // namespace orvane::win32
