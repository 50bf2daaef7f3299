#pragma once

#include "support/WindowFinder.h"

// The program's windows and texts as a user meets them: captions, control
// ids and messages.
namespace orvane::e2e::program {

// Message boxes without a title of their own carry the executable's name.
inline constexpr wchar_t kApplicationTitle[] = L"Orvane";
inline constexpr wchar_t kErrorTitle[] = L"エラー";

inline constexpr wchar_t kHostMissing[] =
    L"ヴェルモラ本体が見つかりません。\nOrvane.ini を削除して再起動してください。";
inline constexpr wchar_t kHostNotInFolder[] = L"ヴェルモラが見つかりません。";
inline constexpr wchar_t kWrongPassword[] = L"パスワードが不正です。";

inline constexpr int kOk = 1;
inline constexpr int kCancel = 2;

namespace setup {
inline constexpr wchar_t kCaption[] = L"初期設定";
inline constexpr int kInstallDir = 1001;
inline constexpr int kBrowse = 1000;
inline constexpr wchar_t kBrowserTitle[] = L"フォルダの選択";
inline constexpr int kPetList = 1002;
}  // namespace setup

namespace main {
inline constexpr wchar_t kCaption[] = L"オルヴェイン";
inline constexpr int kPetCombo = 1025;
inline constexpr int kLaunch = 1;
inline constexpr int kExit = 2;
}  // namespace main

namespace password {
inline constexpr wchar_t kCaption[] = L"暗号化ペット";
inline constexpr int kField = 1018;
}  // namespace password

// The stand-in host's main window.
inline constexpr wchar_t kHostWindowClass[] = L"TMainWnd";

// Wine shows its own notification area while it holds an icon.
inline const WindowQuery kTrayWithIcons{0, {}, L"Wine System Tray"};

}  // namespace orvane::e2e::program
