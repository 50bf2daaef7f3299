#include "ui/MainDialog.h"

#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/PetApp.h"
#include "platform/win32/WideString.h"
#include "resource.h"
#include "store/PetNames.h"
#include "ui/CommandLinePet.h"
#include "ui/SettingsDialog.h"

namespace orvane::ui {

namespace {

win32::OwnedIcon loadProgramIcon(int width, int height) {
    return win32::OwnedIcon(static_cast<HICON>(
        ::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_ORVANE), IMAGE_ICON, width, height, 0)));
}

ScreenRect toScreenRect(const RECT& rect) {
    return {static_cast<int>(rect.left), static_cast<int>(rect.top), static_cast<int>(rect.right),
            static_cast<int>(rect.bottom)};
}

std::vector<std::string> commandLineArguments() {
    int count = 0;
    const win32::LocalMemory<LPWSTR> arguments(::CommandLineToArgvW(::GetCommandLineW(), &count));
    std::vector<std::string> result;
    if (!arguments) return result;
    for (int i = 0; i < count; ++i) {
        // An argument that is not valid UTF-16 can name no pet.
        result.push_back(win32::fromWide(arguments.get()[i]).value_or(std::string()));
    }
    return result;
}

}  // namespace

MainDialog::MainDialog(PetApp& app)
    : Dialog(IDD_MAIN), app_(app),
      smallIcon_(loadProgramIcon(16, 16)),
      bigIcon_(loadProgramIcon(::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON))),
      taskbarCreatedMessage_(::RegisterWindowMessageW(L"TaskbarCreated")) {}

bool MainDialog::onInitDialog() {
    ::SendMessageW(window(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    ::SendMessageW(window(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
    session_ = std::make_unique<HostSession>(app_, window(), smallIcon_.get(), [this] { showAtPlacement(); });
    ::SetWindowSubclass(window(), &MainDialog::hookProcedure, 0, reinterpret_cast<DWORD_PTR>(this));
    // Run as administrator (for forced return), the window would not hear
    // from a restarted taskbar without this.
    ::ChangeWindowMessageFilterEx(window(), taskbarCreatedMessage_, MSGFLT_ALLOW, nullptr);
    fillPetCombo();

    RECT created;
    ::GetWindowRect(window(), &created);
    initialWindowRect_ = toScreenRect(created);
    ScreenRect rect = placement();

    std::vector<std::string> items;
    for (int i = 0; i < itemCount(IDC_MAIN_PETS); ++i) items.push_back(itemTextAt(IDC_MAIN_PETS, i));
    if (const auto named = commandLineSelection(commandLineArguments(), items)) {
        select(IDC_MAIN_PETS, *named);
        ::SetTimer(window(), AutoLaunchTimer, AutoLaunchDelayMs, nullptr);
        // Parked at the screen's corner with no size: launched unseen.
        rect = ScreenRect{};
        parked_ = true;
    }
    moveTo(rect);
    ::PostMessageW(window(), RecoverMessage, 0, 0);
    return true;
}

void MainDialog::fillPetCombo() {
    clearItems(IDC_MAIN_PETS);
    PetRegistry& registry = app_.registry();
    for (const std::string& name : registry.names()) addItem(IDC_MAIN_PETS, shownPetName(name));
    select(IDC_MAIN_PETS, registry.petInPlace());
}

void MainDialog::onOk() {
    launchSelected();
}

bool MainDialog::launchSelected(const std::optional<std::string>& givenPassword) {
    const int selected = selection(IDC_MAIN_PETS);
    if (selected < 0) return false;
    return session_->launch(selected, itemTextAt(IDC_MAIN_PETS, selected), givenPassword);
}

void MainDialog::onCommand(int id, int notification) {
    if (id == IDC_MAIN_SETTINGS && notification == BN_CLICKED) openSettings();
}

void MainDialog::launchOrShow() {
    bool started = false;
    try {
        started = launchSelected();
    } catch (...) {
        // The window may be hidden or parked: it must come back before the
        // error is shown, or the program could not be reached at all.
        showAtPlacement();
        throw;
    }
    if (!started) showAtPlacement();
}

void MainDialog::openSettings() {
    SettingsDialog settings(app_);
    const INT_PTR result = settings.runModal(window());
    fillPetCombo();
    // OK only after a pet was added: it is launched at once, an encrypted
    // one with the password typed when it was added.
    if (result != IDOK) return;
    select(IDC_MAIN_PETS, itemCount(IDC_MAIN_PETS) - 1);
    const std::string& typed = app_.currentPassword();
    launchSelected(typed.empty() ? std::nullopt : std::optional<std::string>(typed));
}

void MainDialog::onTimer(UINT_PTR id) {
    if (id == AutoLaunchTimer) {
        autoLaunch();
    } else if (id == HostSession::WatchTimer) {
        session_->watchTick();
    }
}

void MainDialog::autoLaunch() {
    ::KillTimer(window(), AutoLaunchTimer);
    // The recovery at start-up may have found the last host still running.
    if (session_->running()) return;
    launchOrShow();
}

ScreenRect MainDialog::placement() const {
    RECT workArea{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
    return placementRect(initialWindowRect_.width(), initialWindowRect_.height(), toScreenRect(workArea),
                         app_.registry().windowPosition());
}

void MainDialog::moveTo(const ScreenRect& rect) {
    ::MoveWindow(window(), rect.left, rect.top, rect.width(), rect.height(), TRUE);
}

void MainDialog::showAtPlacement() {
    moveTo(placement());
    parked_ = false;
    ::ShowWindow(window(), SW_SHOW);
}

void MainDialog::onDestroy() {
    // Saved first, so that a container that cannot be written at the end of
    // the session does not cost the window its position as well.
    savePosition();
    if (session_->running()) session_->end();
}

void MainDialog::savePosition() {
    if (parked_) return;
    RECT rect;
    if (::IsIconic(window())) {
        // A minimised window stands far off the screen; keep where it will
        // be restored instead, or the next start shows nothing.
        WINDOWPLACEMENT placement{};
        placement.length = sizeof(placement);
        ::GetWindowPlacement(window(), &placement);
        RECT workArea{};
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &workArea, 0);
        rect = placement.rcNormalPosition;
        ::OffsetRect(&rect, workArea.left, workArea.top);
    } else {
        ::GetWindowRect(window(), &rect);
    }
    app_.registry().setWindowPosition(rect.left, rect.top);
}

std::optional<INT_PTR> MainDialog::onMessage(UINT message, WPARAM, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGING && session_ && session_->running()) {
        // The window stays hidden while the host runs, whoever asks to show
        // it: the modal loop shows it the first time its queue runs empty,
        // which a launch pressed at once comes before.
        auto* position = reinterpret_cast<WINDOWPOS*>(lParam);
        position->flags = (position->flags & ~SWP_SHOWWINDOW) | SWP_NOACTIVATE;
        return std::nullopt;
    }
    if (message == WM_PAINT && ::IsIconic(window())) {
        paintMinimised();
        return TRUE;
    }
    if (message == WM_QUERYDRAGICON) return reinterpret_cast<INT_PTR>(smallIcon_.get());
    if (message == taskbarCreatedMessage_) {
        session_->restoreTrayIcon();
        return TRUE;
    }
    return std::nullopt;
}

void MainDialog::paintMinimised() {
    PAINTSTRUCT paint;
    const HDC dc = ::BeginPaint(window(), &paint);
    ::SendMessageW(window(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RECT client;
    ::GetClientRect(window(), &client);
    const int x = (client.right - client.left - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc, x, y, smallIcon_.get());
    ::EndPaint(window(), &paint);
}

}  // namespace orvane::ui
