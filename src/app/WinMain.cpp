// The program's entry point: the system libraries it needs, then the
// application object. No exception leaves here.

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <exception>

#include "app/PetApp.h"
#include "platform/win32/ProgramPath.h"
#include "ui/MessageBoxes.h"

namespace {

// The folder browser needs COM on this thread.
class ComApartment {
public:
    ComApartment() : initialised_(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComApartment() {
        if (initialised_) ::CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    bool initialised_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    const ComApartment com;
    try {
        orvane::PetApp app(orvane::win32::programPath());
        return app.run();
    } catch (const std::exception& error) {
        orvane::ui::showErrorBox(nullptr, error);
        return 1;
    }
}
