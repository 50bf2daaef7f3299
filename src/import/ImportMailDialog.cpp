#include "import/ImportMailDialog.h"

#include "app/PetApp.h"
#include "platform/win32/CheckedWide.h"
#include "platform/win32/HostWindowsWin32.h"
#include "resource.h"
#include "ui/Win32Prompts.h"

namespace orvane {

namespace {

HWND hostWindow(std::string_view className) {
    return ::FindWindowW(win32::wideText(className).c_str(), nullptr);
}

void askToClose(std::string_view className) {
    if (const HWND window = hostWindow(className)) ::PostMessageW(window, WM_CLOSE, 0, 0);
}

}  // namespace

ImportMailDialog::ImportMailDialog(PetApp& app)
    : Dialog(IDD_IMPORT_MAIL), app_(app), edition_(editionOfExecutable(app.hostExecutable())) {}

ImportMailDialog::~ImportMailDialog() {
    // A dialog still open here lost its host's main window.
    close();
}

bool ImportMailDialog::onInitDialog() {
    // The host must not write the trays while they are replaced.
    askToClose(host::ReceiveWindowClass);
    askToClose(host::SendWindowClass);
    if (const HWND hostMain = hostWindow(host::MainWindowClass)) win32::enableHostWindow(hostMain, false);

    InstallDir& dir = app_.storeContext().dir;
    for (const std::string& pet : importablePets(dir, app_.names())) addItem(IDC_IMPORT_PETS, pet);
    select(IDC_IMPORT_PETS, 0);
    setChecked(IDC_IMPORT_RECEIVE, true);
    fillDrawerList();

    const bool kids = edition_ == HostEdition::Kids;
    setItemText(IDC_IMPORT_RECEIVE, kids ? "じゅしん箱" : "受信簿");
    setItemText(IDC_IMPORT_SEND, kids ? "そうしん箱" : "送信簿");
    return true;
}

MailBox ImportMailDialog::selectedBox() const {
    return isChecked(IDC_IMPORT_SEND) ? MailBox::Send : MailBox::Receive;
}

void ImportMailDialog::onCommand(int id, int notification) {
    if ((id == IDC_IMPORT_RECEIVE || id == IDC_IMPORT_SEND) && notification == BN_CLICKED) fillDrawerList();
}

// A box without drawers leaves the list as it was.
void ImportMailDialog::fillDrawerList() {
    const auto drawers = drawersOf(app_.storeContext().dir, app_.names(), selectedBox());
    if (drawers.empty()) return;
    clearItems(IDC_IMPORT_DRAWERS);
    for (const std::string& drawer : drawers) addItem(IDC_IMPORT_DRAWERS, drawer);
    select(IDC_IMPORT_DRAWERS, 0);
}

void ImportMailDialog::onOk() {
    MailImportRequest request;
    request.edition = edition_;
    request.box = selectedBox();
    request.pet = itemText(IDC_IMPORT_PETS);
    request.drawer = itemText(IDC_IMPORT_DRAWERS);
    ui::Win32Prompts prompts(window(), app_.currentPassword());
    // The outcome has been told; the dialog closes in every case.
    ImportMail(app_.storeContext().dir, app_.names(), request, prompts);
    close();
}

void ImportMailDialog::onCancel() { close(); }

// The host's main window is enabled before the dialog goes: a disabled
// window cannot take the activation that the dialog gives up, and the
// user would be left in no window.
void ImportMailDialog::close() {
    if (!window()) return;
    if (const HWND hostMain = hostWindow(host::MainWindowClass)) {
        win32::enableHostWindow(hostMain, true);
        ::SetForegroundWindow(hostMain);
    }
    ::DestroyWindow(window());
}

void RunMailImport(PetApp& app, HWND hostMainWindow) {
    // Without waiting for the host, which may not answer.
    ::ShowWindowAsync(hostMainWindow, SW_SHOW);
    ImportMailDialog dialog(app);
    if (!dialog.create(hostWindow(host::MainWindowClass))) return;
    ::ShowWindow(dialog.window(), SW_SHOW);
    MSG message{};
    while (dialog.window() && ::IsWindow(hostMainWindow)) {
        const BOOL fetched = ::GetMessageW(&message, nullptr, 0, 0);
        if (fetched == 0) {
            // The quit request belongs to the loop outside.
            ::PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (fetched < 0) break;
        // Tab, Enter and Esc work in the dialog as in a modal one.
        if (dialog.window() && ::IsDialogMessageW(dialog.window(), &message)) continue;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    // A dialog still open here lost its host: the destructor closes it.
}

}  // namespace orvane
