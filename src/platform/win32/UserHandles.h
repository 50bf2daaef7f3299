#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

// Owners of menus, fonts and cursors the program makes: destroyed when the
// owner goes, on every path.
namespace orvane::win32 {

struct MenuDestroyer {
    void operator()(HMENU menu) const { ::DestroyMenu(menu); }
};
// A menu and every submenu in it.
using OwnedMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, MenuDestroyer>;

struct GdiObjectDeleter {
    void operator()(HFONT font) const { ::DeleteObject(font); }
};
using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

struct CursorDestroyer {
    void operator()(HCURSOR cursor) const { ::DestroyCursor(cursor); }
};
// A cursor loaded without sharing; shared ones are never destroyed.
using OwnedCursor = std::unique_ptr<std::remove_pointer_t<HCURSOR>, CursorDestroyer>;

}  // namespace orvane::win32
