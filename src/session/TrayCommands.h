#pragma once

#include <cstdint>

// The notification-area icon's two menus and the commands they send.
namespace orvane {

// The callback message of the icon; its second parameter carries the mouse
// message.
inline constexpr unsigned TrayCallbackMessage = 0x0400 + 100;  // WM_USER + 100

enum class TrayMenu { None, Pets, Actions };

// The left button opens the pet menu, the right button the action menu;
// any other mouse message opens none.
TrayMenu trayMenuFor(std::intptr_t mouseMessage);

// The pet menu's item i sends this id + i.
inline constexpr int PetMenuFirstId = 33000;

enum class TrayCommandKind { None, SwitchPet, ImportMail, Backup, Restore, ForcedReturn, Exit };

struct TrayCommand {
    TrayCommandKind kind = TrayCommandKind::None;
    int pet = -1;  // for SwitchPet: the index in the main window's list
};

// The command a menu id names, with petCount pets listed when it is
// handled: an id past the last pet names none.
TrayCommand trayCommand(int id, int petCount);

}  // namespace orvane
