#pragma once

#include "app/PetRegistry.h"

namespace orvane {

// A rectangle in screen pixels.
struct ScreenRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const ScreenRect&) const = default;
};

// Where the main window goes: at the stored position, or, for a coordinate
// that is missing, centred on the work area's size (measured from the
// screen's origin, not from the work area's corner). A stored position is
// used as it is, also off the screen.
ScreenRect placementRect(int width, int height, const ScreenRect& workArea, const WindowPosition& stored);

}  // namespace orvane
