#include "session/TrayCommands.h"

#include "resource.h"

namespace orvane {

namespace {
constexpr std::intptr_t LeftButtonDown = 0x0201;   // WM_LBUTTONDOWN
constexpr std::intptr_t RightButtonDown = 0x0204;  // WM_RBUTTONDOWN
}  // namespace

TrayMenu trayMenuFor(std::intptr_t mouseMessage) {
    switch (mouseMessage) {
    case LeftButtonDown: return TrayMenu::Pets;
    case RightButtonDown: return TrayMenu::Actions;
    default: return TrayMenu::None;
    }
}

TrayCommand trayCommand(int id, int petCount) {
    switch (id) {
    case ID_ACTION_IMPORT_MAIL: return {TrayCommandKind::ImportMail};
    case ID_ACTION_BACKUP: return {TrayCommandKind::Backup};
    case ID_ACTION_RESTORE: return {TrayCommandKind::Restore};
    case ID_ACTION_FORCED_RETURN: return {TrayCommandKind::ForcedReturn};
    case ID_ACTION_EXIT: return {TrayCommandKind::Exit};
    default: break;
    }
    if (id >= PetMenuFirstId && id - PetMenuFirstId < petCount) return {TrayCommandKind::SwitchPet, id - PetMenuFirstId};
    return {};
}

}  // namespace orvane
