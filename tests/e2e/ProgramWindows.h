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
inline constexpr wchar_t kDoneTitle[] = L"完了";
inline constexpr wchar_t kWarningTitle[] = L"警告";

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
inline constexpr int kSettings = 1026;
}  // namespace main

// The notification-area icon: its callback message, as the shell posts it
// to the hidden main window, and the commands of its two menus.
namespace tray {
inline constexpr UINT kCallbackMessage = WM_USER + 100;
inline constexpr LPARAM kPetMenuClick = WM_LBUTTONDOWN;
inline constexpr LPARAM kActionMenuClick = WM_RBUTTONDOWN;
inline constexpr int kFirstPet = 33000;
inline constexpr int kImportMail = 32781;
inline constexpr int kBackup = 32780;
inline constexpr int kRestore = 32782;
inline constexpr int kForcedReturn = 32774;
inline constexpr int kExit = 32772;
}  // namespace tray

namespace import {
inline constexpr wchar_t kCaption[] = L"メールのインポート";
inline constexpr int kPets = 1023;
inline constexpr int kDrawers = 1024;
inline constexpr int kReceive = 1031;
inline constexpr int kSend = 1032;
inline constexpr wchar_t kDone[] = L"メールのインポートを完了しました。";
inline constexpr wchar_t kTrayNotEmpty[] = L"受信トレイを空にして下さい。";
}  // namespace import

inline constexpr wchar_t kBackupDone[] = L"バックアップを作成しました。";

namespace restore {
inline constexpr wchar_t kCaption[] = L"バックアップから戻す";
inline constexpr int kBackups = 1040;
inline constexpr int kPets = 1041;
inline constexpr int kName = 1042;
}  // namespace restore

namespace settings {
inline constexpr wchar_t kCaption[] = L"設定";
inline constexpr int kPets = 1003;
inline constexpr int kApply = 1007;
inline constexpr int kName = 1008;
inline constexpr int kDiscard = 1009;
inline constexpr int kEncrypted = 1012;
inline constexpr int kAdd = 1;
inline constexpr int kBack = 2;
inline constexpr int kAbout = 1020;
}  // namespace settings

namespace addPet {
inline constexpr wchar_t kCaption[] = L"ペットの追加";
inline constexpr int kName = 1013;
}  // namespace addPet

inline constexpr wchar_t kNoName[] = L"名前が設定されていません。";
inline constexpr wchar_t kReservedName[] = L"この名前は予約されています。";
inline constexpr wchar_t kForbiddenCharacter[] = L"ペットの名前に次の文字はつかえません。";

namespace about {
inline constexpr wchar_t kCaption[] = L"バージョン情報";
inline constexpr int kWebLink = 1021;
inline constexpr int kMailLink = 1022;
}  // namespace about

namespace password {
inline constexpr wchar_t kCaption[] = L"暗号化ペット";
inline constexpr int kField = 1018;
}  // namespace password

// The stand-in host's main window.
inline constexpr wchar_t kHostWindowClass[] = L"TMainWnd";

// Wine shows its own notification area while it holds an icon.
inline const WindowQuery kTrayWithIcons{0, {}, L"Wine System Tray"};

}  // namespace orvane::e2e::program
