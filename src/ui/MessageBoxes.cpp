#include "ui/MessageBoxes.h"

#include "app/StartupPaths.h"
#include "platform/FileError.h"
#include "platform/win32/CheckedWide.h"
#include "platform/win32/ProgramPath.h"
#include "platform/win32/WideString.h"

namespace orvane::ui {

int showMessageBox(HWND owner, std::string_view text, std::string_view title, UINT flags) {
    return ::MessageBoxW(owner, win32::wideText(text).c_str(), win32::wideText(title).c_str(), flags);
}

std::string applicationTitle() {
    return titleOfProgram(win32::programPath());
}

void showErrorBox(HWND owner, const std::exception& error) noexcept {
    try {
        std::string text;
        if (const auto* fileError = dynamic_cast<const FileError*>(&error)) {
            text = fileError->fileName() + "\n" + fileError->reason();
        } else {
            text = error.what();
        }
        // The text may come from anywhere; the box must appear whatever it holds.
        const std::wstring wide = win32::toWide(text).value_or(L"?");
        ::MessageBoxW(owner, wide.c_str(), win32::wideText(applicationTitle()).c_str(), MB_OK | MB_ICONEXCLAMATION);
    } catch (...) {
        // Even the error box could not be made (no memory, no program path):
        // the user still learns that the action failed.
        ::MessageBoxW(owner, L"エラーが発生しました。", L"Orvane", MB_OK | MB_ICONEXCLAMATION);
    }
}

}  // namespace orvane::ui
