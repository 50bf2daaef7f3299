// The stand-in host: a small window program that behaves, as seen from
// outside, like the mail program whose pets Orvane keeps. It shows which pet
// is in place and writes every notable event to "standin-host.log".

#include <windows.h>

#include <cwchar>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>

#include "HostFiles.h"

namespace {

constexpr UINT_PTR kRefreshTimer = 1;
constexpr UINT kRefreshMs = 500;
// How long "はおつかいにいきました。" shows before it becomes "…いっています。".
constexpr DWORD kJustLeftMs = 3000;
// How long the answer to a too-early Ctrl+M stays in the status line.
constexpr DWORD kNoticeMs = 3000;

constexpr wchar_t kMainClass[] = L"TMainWnd";
constexpr wchar_t kSendClass[] = L"TTxWnd";
constexpr wchar_t kReceiveClass[] = L"TRxWnd";

enum class MailBox { send, receive };

enum Command : WORD {
    kCmdErrand = 100,
    kCmdOpenSend,
    kCmdOpenReceive,
    kCmdExit,
    kCmdCtrlM,
};

struct GdiDeleter {
    void operator()(HFONT font) const { ::DeleteObject(font); }
};
using Font = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiDeleter>;

struct AcceleratorDeleter {
    void operator()(HACCEL table) const { ::DestroyAcceleratorTable(table); }
};
using Accelerators = std::unique_ptr<std::remove_pointer_t<HACCEL>, AcceleratorDeleter>;

Font makeFont(int pixelHeight) {
    // The face Japanese Windows programs ask for; the test prefix maps it to an installed font.
    return Font(CreateFontW(-pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            DEFAULT_PITCH | FF_SWISS, L"ＭＳ Ｐゴシック"));
}

bool yearHasPassed(const Date& since, const Date& now) {
    return now >= Date{since.year + 1, since.month, since.day};
}

// Sets a window's text only when it differs, so that the timer does not flicker.
void showText(HWND window, const std::wstring& text) {
    std::wstring current(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    current.resize(static_cast<std::size_t>(GetWindowTextW(window, current.data(), static_cast<int>(current.size()))));
    if (current != text) SetWindowTextW(window, text.c_str());
}

std::wstring dateText(const Date& date) {
    wchar_t text[16];
    swprintf(text, 16, L"%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

struct Errand {
    Date since;
    DWORD startTick;
};

class StandInHost {
public:
    explicit StandInHost(HINSTANCE instance);
    int run(int showCommand);

private:
    static LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK mailProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void handleCommand(WORD command);

    bool registerClasses() const;
    void createChildren();
    void addMenu();
    void layout(int width, int height);
    HWND addLabel(HWND parent, DWORD style, HFONT font);

    void refresh();
    void startErrand(const Date& since);
    void answerCtrlM();
    void openMailWindow(MailBox box);

    std::wstring petName() const;
    std::wstring statusText() const;
    std::wstring detailsText() const;
    std::wstring seenLine() const;

    HINSTANCE instance_;
    HostNames names_;
    HostLog log_;
    Font textFont_ = makeFont(14);
    Font nameFont_ = makeFont(24);

    HWND main_ = nullptr;
    HWND panel_ = nullptr;
    HWND status_ = nullptr;
    HWND petLabel_ = nullptr;
    HWND details_ = nullptr;

    PetView view_;
    std::optional<Errand> errand_;
    std::optional<std::wstring> cameHome_;  // the name of the pet that came back
    std::wstring notice_;
    DWORD noticeTick_ = 0;
};

StandInHost::StandInHost(HINSTANCE instance)
    : instance_(instance), names_(namesForExecutable(ownExecutableName())) {}

int StandInHost::run(int showCommand) {
    log_.write(std::wstring(L"start edition=") + (names_.kids ? L"kids" : L"standard"));
    if (!registerClasses()) return 1;

    const wchar_t* title = names_.kids ? L"ヴェルモラキッズ" : L"ヴェルモラ";
    main_ = CreateWindowExW(0, kMainClass, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 20, 20, 600, 420,
                            nullptr, nullptr, instance_, this);
    if (!main_) return 1;

    view_ = lookAtInstallDir(names_);
    log_.write(seenLine());
    if (const auto line = readFirstLine(L"errand.txt")) startErrand(parseDate(*line).value_or(today()));
    refresh();
    if (fileExists(L"mailwindows.txt")) {
        openMailWindow(MailBox::send);
        openMailWindow(MailBox::receive);
    }
    ShowWindow(main_, showCommand);
    UpdateWindow(main_);

    ACCEL ctrlM{static_cast<BYTE>(FCONTROL | FVIRTKEY), 'M', kCmdCtrlM};
    const Accelerators accelerators(CreateAcceleratorTableW(&ctrlM, 1));
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        // Ctrl+M counts only when it is typed into the main window.
        const bool forMain = message.hwnd == main_ || IsChild(main_, message.hwnd);
        if (forMain && TranslateAcceleratorW(main_, accelerators.get(), &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    log_.write(L"end");
    return static_cast<int>(message.wParam);
}

bool StandInHost::registerClasses() const {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);

    windowClass.lpfnWndProc = mainProc;
    windowClass.lpszClassName = kMainClass;
    if (!RegisterClassExW(&windowClass)) return false;
    windowClass.lpfnWndProc = mailProc;
    windowClass.lpszClassName = kSendClass;
    if (!RegisterClassExW(&windowClass)) return false;
    windowClass.lpszClassName = kReceiveClass;
    return RegisterClassExW(&windowClass) != 0;
}

LRESULT CALLBACK StandInHost::mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* host = reinterpret_cast<StandInHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!host) return DefWindowProcW(window, message, wParam, lParam);
    return host->handleMain(window, message, wParam, lParam);
}

LRESULT StandInHost::handleMain(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        main_ = window;
        createChildren();
        addMenu();
        SetTimer(window, kRefreshTimer, kRefreshMs, nullptr);
        return 0;
    case WM_SIZE:
        layout(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == kRefreshTimer) refresh();
        return 0;
    case WM_COMMAND:
        handleCommand(LOWORD(wParam));
        return 0;
    case WM_ENABLE:
        log_.write(wParam ? L"enabled" : L"disabled");
        refresh();
        return 0;
    case WM_CLOSE:
        log_.write(L"close");
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        KillTimer(window, kRefreshTimer);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void StandInHost::handleCommand(WORD command) {
    switch (command) {
    case kCmdErrand:
        startErrand(today());
        refresh();
        break;
    case kCmdOpenSend:
        openMailWindow(MailBox::send);
        break;
    case kCmdOpenReceive:
        openMailWindow(MailBox::receive);
        break;
    case kCmdExit:
        PostMessageW(main_, WM_CLOSE, 0, 0);
        break;
    case kCmdCtrlM:
        answerCtrlM();
        break;
    default:
        break;
    }
}

HWND StandInHost::addLabel(HWND parent, DWORD style, HFONT font) {
    HWND label = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent, nullptr,
                                 instance_, nullptr);
    SendMessageW(label, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return label;
}

// Outsiders find the status line as the first child of the main window's
// first child, so the panel is created first and the status line first in it.
void StandInHost::createChildren() {
    panel_ = addLabel(main_, SS_SUNKEN | WS_CLIPCHILDREN, textFont_.get());
    status_ = addLabel(panel_, SS_LEFTNOWORDWRAP, textFont_.get());
    petLabel_ = addLabel(main_, SS_LEFTNOWORDWRAP, nameFont_.get());
    details_ = addLabel(main_, SS_LEFT, textFont_.get());
}

void StandInHost::addMenu() {
    HMENU pet = CreatePopupMenu();
    AppendMenuW(pet, MF_STRING, kCmdErrand, L"おつかいに出す(&E)");
    AppendMenuW(pet, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(pet, MF_STRING, kCmdExit, L"終了(&X)");
    HMENU windows = CreatePopupMenu();
    AppendMenuW(windows, MF_STRING, kCmdOpenSend, L"送信ウィンドウ(&T)");
    AppendMenuW(windows, MF_STRING, kCmdOpenReceive, L"受信ウィンドウ(&R)");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(pet), L"ペット(&P)");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(windows), L"ウィンドウ(&W)");
    // The window owns the menu from here on and destroys it with itself.
    SetMenu(main_, bar);
}

void StandInHost::layout(int width, int height) {
    constexpr int margin = 12;
    constexpr int panelHeight = 28;
    constexpr int nameHeight = 32;
    const int inner = width - 2 * margin;
    const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    SetWindowPos(petLabel_, nullptr, margin, margin, inner, nameHeight, flags);
    SetWindowPos(details_, nullptr, margin, margin + nameHeight + 8, inner,
                 height - panelHeight - nameHeight - 3 * margin, flags);
    SetWindowPos(panel_, nullptr, 0, height - panelHeight, width, panelHeight, flags);
    SetWindowPos(status_, nullptr, 8, 5, width - 16, panelHeight - 10, flags);
}

// Re-reads the directory, so that a swap done while we run shows at once.
void StandInHost::refresh() {
    const PetView now = lookAtInstallDir(names_);
    if (!(now == view_)) {
        view_ = now;
        log_.write(seenLine());
    }
    if (!notice_.empty() && GetTickCount() - noticeTick_ >= kNoticeMs) notice_.clear();
    showText(status_, statusText());
    showText(petLabel_, L"ペット: " + petName());
    showText(details_, detailsText());
}

void StandInHost::startErrand(const Date& since) {
    errand_ = Errand{since, GetTickCount()};
    cameHome_.reset();
    notice_.clear();
    log_.write(L"errand since=" + dateText(since) + L" pet=" + petName());
}

// The pet may come home only once a year has passed since it left, which
// outsiders bring about by moving the clock ahead before typing Ctrl+M.
void StandInHost::answerCtrlM() {
    if (!errand_) {
        log_.write(L"ctrl+m result=no-errand");
        return;
    }
    if (yearHasPassed(errand_->since, today())) {
        errand_.reset();
        cameHome_ = petName();
        notice_.clear();
        log_.write(L"ctrl+m result=home pet=" + petName());
    } else {
        notice_ = L"まだ帰れません。";
        noticeTick_ = GetTickCount();
        log_.write(L"ctrl+m result=not-yet");
    }
    refresh();
}

void StandInHost::openMailWindow(MailBox box) {
    const bool send = box == MailBox::send;
    const wchar_t* windowClass = send ? kSendClass : kReceiveClass;
    if (HWND open = FindWindowW(windowClass, nullptr)) {
        SetForegroundWindow(open);
        return;
    }
    const wchar_t* title = send ? (names_.kids ? L"そうしん" : L"送信") : (names_.kids ? L"じゅしん" : L"受信");
    // Owned by the main window, so that they go when it goes.
    CreateWindowExW(0, windowClass, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 640, send ? 20 : 260, 360, 220, main_,
                    nullptr, instance_, this);
}

LRESULT CALLBACK StandInHost::mailProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_CREATE && message != WM_DESTROY) return DefWindowProcW(window, message, wParam, lParam);

    wchar_t windowClass[16] = L"";
    GetClassNameW(window, windowClass, 16);
    if (message == WM_CREATE) {
        auto* host = static_cast<StandInHost*>(reinterpret_cast<const CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(host));
        const bool send = std::wstring_view(windowClass) == kSendClass;
        const std::wstring& folder = send ? host->names_.sendFolder : host->names_.receiveFolder;
        HWND label = host->addLabel(window, SS_LEFT, host->textFont_.get());
        SetWindowPos(label, nullptr, 12, 12, 320, 24, SWP_NOZORDER);
        SetWindowTextW(label, folder.c_str());
        host->log_.write(std::wstring(windowClass) + L" opened");
    } else {
        auto* host = reinterpret_cast<StandInHost*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (host) host->log_.write(std::wstring(windowClass) + L" closed");
    }
    return 0;
}

std::wstring StandInHost::petName() const {
    if (!view_.petName) return L"(ペットなし)";
    return view_.petName->empty() ? L"(名前なし)" : *view_.petName;
}

std::wstring StandInHost::statusText() const {
    if (!notice_.empty()) return notice_;
    if (errand_) {
        const bool justLeft = GetTickCount() - errand_->startTick < kJustLeftMs;
        return petName() + (justLeft ? L"はおつかいにいきました。" : L"はおつかいにいっています。");
    }
    // Starts with a fixed phrase so that a reader who looks only at the first
    // few bytes sees the change whatever the length of the pet's name.
    if (cameHome_) return L"おかえりなさい。" + *cameHome_ + L"が帰ってきました。";
    return L"ペットはおうちにいます。";
}

std::wstring StandInHost::detailsText() const {
    std::wstring text = names_.kids ? L"キッズ版" : L"標準版";
    text += IsWindowEnabled(main_) ? L"　操作: できます\r\n" : L"　操作: できません（無効）\r\n";
    text += L"\r\n";
    const auto pieces = petPieces(names_);
    for (std::size_t i = 0; i < kPieceCount; ++i) {
        text += pieces[i].fileName + (view_.present[i] ? L": あり" : L": なし");
        if (pieces[i].fileName == names_.receiveFolder) text += L"（メール " + std::to_wstring(view_.receiveMail) + L" 通）";
        if (pieces[i].fileName == names_.sendFolder) text += L"（メール " + std::to_wstring(view_.sendMail) + L" 通）";
        text += L"\r\n";
    }
    if (errand_) text += L"\r\nおつかいに出た日: " + dateText(errand_->since) + L"\r\n";
    return text;
}

std::wstring StandInHost::seenLine() const {
    std::wstring line = L"seen";
    const auto pieces = petPieces(names_);
    for (std::size_t i = 0; i < kPieceCount; ++i) {
        line += std::wstring(L" ") + pieces[i].logKey + (view_.present[i] ? L"=1" : L"=0");
    }
    line += L" receive-mail=" + std::to_wstring(view_.receiveMail);
    line += L" send-mail=" + std::to_wstring(view_.sendMail);
    return line + L" pet=" + petName();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    StandInHost host(instance);
    return host.run(showCommand);
}
