#include <windows.h>

#include "text/Cp932Platform.h"
#include "text/Utf16.h"

namespace orvane::text::platform {

namespace {
constexpr UINT kCodePage932 = 932;
}

std::optional<std::string> encodeCp932(std::string_view validUtf8) {
    const auto wide = utf8ToUtf16(validUtf8);
    if (!wide) return std::nullopt;
    if (wide->empty()) return std::string();
    const auto* units = reinterpret_cast<const wchar_t*>(wide->data());
    const int unitCount = static_cast<int>(wide->size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, units, unitCount,
                                         nullptr, 0, nullptr, &usedDefault);
    if (size <= 0 || usedDefault) return std::nullopt;
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, units, unitCount, out.data(), size,
                        nullptr, &usedDefault);
    if (usedDefault) return std::nullopt;
    return out;
}

std::optional<std::string> decodeCp932(std::string_view validCp932) {
    if (validCp932.empty()) return std::string();
    const int byteCount = static_cast<int>(validCp932.size());
    const int size = MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, validCp932.data(),
                                         byteCount, nullptr, 0);
    if (size <= 0) return std::nullopt;
    std::u16string wide(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, validCp932.data(), byteCount,
                        reinterpret_cast<wchar_t*>(wide.data()), size);
    return utf16ToUtf8(wide);
}

}  // namespace orvane::text::platform
