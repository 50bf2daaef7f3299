#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// A window of another program as the system names it; 0 is no window.
using WindowId = std::uintptr_t;

// The host's windows, seen from outside.
class HostWindows {
public:
    virtual ~HostWindows() = default;

    // A top-level window of that class, whatever its title; 0 when none.
    virtual WindowId findTopLevel(std::string_view className) = 0;
    // The length of the window's title; 0 also when it no longer exists.
    // nullopt when the window did not answer in time: a hung host has not
    // gone.
    virtual std::optional<std::size_t> titleLength(WindowId window) = 0;
    // False when the system refuses to bring the window to the front.
    virtual bool bringToForeground(WindowId window) = 0;
    // 0 when there is none.
    virtual WindowId firstChild(WindowId window) = 0;
    virtual WindowId nextSibling(WindowId window) = 0;
    // The window's text; empty also when it no longer exists or does not answer.
    virtual std::string text(WindowId window) = 0;
};

}  // namespace orvane
