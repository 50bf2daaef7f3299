#include "ui/Placement.h"

namespace orvane {

ScreenRect placementRect(int width, int height, const ScreenRect& workArea, const WindowPosition& stored) {
    // Integer division truncates toward zero, also for a window larger than
    // the work area.
    const int left = stored.left.value_or((workArea.width() - width) / 2);
    const int top = stored.top.value_or((workArea.height() - height) / 2);
    return {left, top, left + width, top + height};
}

}  // namespace orvane
