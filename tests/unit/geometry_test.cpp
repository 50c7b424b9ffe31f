// Rectangles hold their left and top edges but not their right and bottom
// ones, as a RECT does; a box is centred by halving the room left over,
// rounded towards zero.
#include "framework/geometry.h"

#include <gtest/gtest.h>

namespace qx {
namespace {

TEST(Geometry, ContainsTheLeftAndTopEdgesOnly) {
    const Rect r{10, 20, 30, 40};
    const struct {
        Point p;
        bool inside;
    } cases[] = {
        {{10, 20}, true},  {{29, 39}, true},  {{30, 39}, false}, {{29, 40}, false},
        {{9, 25}, false},  {{15, 19}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(r.Contains(c.p), c.inside) << c.p.x << "," << c.p.y;
    EXPECT_FALSE((Rect{5, 5, 5, 5}.Contains({5, 5})));
}

TEST(Geometry, CentredInAnArea) {
    const struct {
        Rect area;
        int width;
        int height;
        Point at;
    } cases[] = {
        {{0, 0, 1024, 768}, 300, 200, {362, 284}},
        {{0, 0, 1024, 768}, 301, 201, {361, 283}},   // odd room: the extra pixel right and below
        {{100, 50, 300, 150}, 100, 50, {150, 75}},   // an owner window away from the origin
        {{100, 50, 300, 150}, 401, 101, {0, 50}},    // larger than the area
        {{-1280, 0, 0, 1024}, 640, 480, {-960, 272}},  // a screen left of the primary
    };
    for (const auto& c : cases) {
        const Point at = CentredIn(c.area, c.width, c.height);
        EXPECT_EQ(at.x, c.at.x) << c.width;
        EXPECT_EQ(at.y, c.at.y) << c.height;
    }
}

}  // namespace
}  // namespace qx
