#include <gtest/gtest.h>

#include "ui/Placement.h"

namespace orvane {
namespace {

TEST(Placement, CentresOnTheWorkAreaSizeOrUsesTheStoredPosition) {
    const struct {
        const char* what;
        ScreenRect workArea;
        WindowPosition stored;
        int left, top;
    } cases[] = {
        {"centred", {0, 0, 1024, 738}, {}, 412, 219},
        {"odd size truncates", {0, 0, 1023, 739}, {}, 411, 219},
        // The work area's corner is not added: only its size counts.
        {"work area off the origin", {100, 50, 1124, 788}, {}, 412, 219},
        // Toward zero, not down: (100 - 201) / 2 is -50.
        {"window larger than the work area", {0, 0, 100, 100}, {}, -50, -100},
        {"stored", {0, 0, 1024, 738}, {30, 40}, 30, 40},
        {"only left stored", {0, 0, 1024, 738}, {30, std::nullopt}, 30, 219},
        {"only top stored", {0, 0, 1024, 738}, {std::nullopt, 40}, 412, 40},
        {"stored off the screen, unchanged", {0, 0, 1024, 738}, {-5000, 9000}, -5000, 9000},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(placementRect(200, 300, c.workArea, c.stored), (ScreenRect{c.left, c.top, c.left + 200, c.top + 300}));
    }
}

}  // namespace
}  // namespace orvane
