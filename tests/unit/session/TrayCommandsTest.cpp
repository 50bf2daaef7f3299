#include <gtest/gtest.h>

#include "session/TrayCommands.h"

namespace orvane {
namespace {

TEST(TrayCommands, LeftButtonOpensThePetsRightButtonTheActions) {
    const struct {
        std::intptr_t mouseMessage;
        TrayMenu menu;
    } cases[] = {
        {0x0201, TrayMenu::Pets},    // left button down
        {0x0204, TrayMenu::Actions}, // right button down
        {0x0202, TrayMenu::None},    // left button up
        {0x0203, TrayMenu::None},    // double click
        {0x0205, TrayMenu::None},    // right button up
        {0x0200, TrayMenu::None},    // mouse move
        {0, TrayMenu::None},
    };
    for (const auto& c : cases) EXPECT_EQ(trayMenuFor(c.mouseMessage), c.menu) << c.mouseMessage;
}

TEST(TrayCommands, NamesTheCommandOfAMenuId) {
    const struct {
        int id;
        int petCount;
        TrayCommandKind kind;
        int pet;
    } cases[] = {
        {32781, 2, TrayCommandKind::ImportMail, -1},
        {32780, 2, TrayCommandKind::Backup, -1},
        {32782, 2, TrayCommandKind::Restore, -1},
        {32774, 2, TrayCommandKind::ForcedReturn, -1},
        {32772, 2, TrayCommandKind::Exit, -1},
        {33000, 1, TrayCommandKind::SwitchPet, 0},
        {33001, 2, TrayCommandKind::SwitchPet, 1},
        // A pet past the end of the list, as it is when the command arrives.
        {33002, 2, TrayCommandKind::None, -1},
        {33000, 0, TrayCommandKind::None, -1},
        {32999, 2, TrayCommandKind::None, -1},
        // The main window's own buttons are not the menus' business.
        {1, 2, TrayCommandKind::None, -1},
        {2, 2, TrayCommandKind::None, -1},
        {1026, 2, TrayCommandKind::None, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const TrayCommand command = trayCommand(c.id, c.petCount);
        EXPECT_EQ(command.kind, c.kind);
        EXPECT_EQ(command.pet, c.pet);
    }
}

}  // namespace
}  // namespace orvane
