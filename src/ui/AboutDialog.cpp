#include "ui/AboutDialog.h"

#include <shellapi.h>

#include "resource.h"

namespace orvane::ui {

namespace {

// The links show the bare host name and address; a click opens these.
constexpr const wchar_t* WebAddress = L"https://orvane.example.jp/";
constexpr const wchar_t* MailAddress = L"mailto:pet@example.jp";

constexpr COLORREF LinkColour = RGB(0, 0, 255);

void openThroughShell(const wchar_t* address) {
    // What the shell makes of it is the user's system's business.
    ::ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

AboutDialog::AboutDialog() : Dialog(IDD_ABOUT) {}

bool AboutDialog::onInitDialog() {
    LOGFONTW description{};
    const auto dialogFont = reinterpret_cast<HFONT>(::SendMessageW(window(), WM_GETFONT, 0, 0));
    if (dialogFont && ::GetObjectW(dialogFont, sizeof(description), &description) == sizeof(description)) {
        description.lfUnderline = TRUE;
        linkFont_.reset(::CreateFontIndirectW(&description));
    }
    if (linkFont_) {
        sendItem(IDC_ABOUT_WEB, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), TRUE);
        sendItem(IDC_ABOUT_MAIL, WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), TRUE);
    }
    hand_.reset(static_cast<HCURSOR>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_LINK_HAND), IMAGE_CURSOR, 0, 0, 0)));
    return true;
}

void AboutDialog::onCommand(int id, int notification) {
    if (notification != STN_CLICKED) return;
    if (id == IDC_ABOUT_WEB) openThroughShell(WebAddress);
    if (id == IDC_ABOUT_MAIL) openThroughShell(MailAddress);
}

bool AboutDialog::isLink(HWND control) const {
    return control && (control == item(IDC_ABOUT_WEB) || control == item(IDC_ABOUT_MAIL));
}

std::optional<INT_PTR> AboutDialog::onMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CTLCOLORSTATIC && isLink(reinterpret_cast<HWND>(lParam))) {
        // The dialog's own colours and background, with blue text.
        const LRESULT brush = ::DefWindowProcW(window(), message, wParam, lParam);
        ::SetTextColor(reinterpret_cast<HDC>(wParam), LinkColour);
        return static_cast<INT_PTR>(brush);
    }
    if (message == WM_SETCURSOR && hand_ && isLink(reinterpret_cast<HWND>(wParam))) {
        ::SetCursor(hand_.get());
        // The control would set its own cursor after a result of 0.
        ::SetWindowLongPtrW(window(), DWLP_MSGRESULT, TRUE);
        return TRUE;
    }
    return std::nullopt;
}

}  // namespace orvane::ui
