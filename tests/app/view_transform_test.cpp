// The viewer's view: a fit fills the area with the box, a zoom keeps the
// paper point under the cursor, a pan moves the paper with the cursor.
#include <gtest/gtest.h>

#include <cmath>

#include "app/ViewTransform.h"

namespace tw {
namespace {

constexpr AreaSize kArea{400, 200};

TEST(ViewTransform, FitCentresTheBoxAndShowsAllOfIt) {
    ViewTransform t;
    t.Fit({-100, -20, 100, 40}, kArea);  // 200 x 60 mm: the width decides
    EXPECT_DOUBLE_EQ(t.Zoom(), 2.0);
    const render::Box v = t.View(kArea);
    EXPECT_DOUBLE_EQ(v.minX, -100);
    EXPECT_DOUBLE_EQ(v.maxX, 100);
    EXPECT_DOUBLE_EQ((v.minY + v.maxY) / 2, 10);
    EXPECT_DOUBLE_EQ(v.Height(), 100);
}

TEST(ViewTransform, ZoomKeepsThePointUnderTheCursor) {
    ViewTransform t;
    t.Fit({-100, -50, 100, 50}, kArea);
    for (const render::Point pixel : {render::Point{0, 0}, {123, 45}, {399, 199}}) {
        const render::Point before = t.PaperAt(pixel, kArea);
        t.ZoomAt(pixel, 1.25, kArea);
        const render::Point after = t.PaperAt(pixel, kArea);
        EXPECT_NEAR(after.x, before.x, 1e-9);
        EXPECT_NEAR(after.y, before.y, 1e-9);
    }
    EXPECT_DOUBLE_EQ(t.Zoom(), 2 * 1.25 * 1.25 * 1.25);
}

TEST(ViewTransform, PanMovesThePaperWithTheCursorAndYUp) {
    ViewTransform t;
    t.Fit({-100, -50, 100, 50}, kArea);
    const render::Point before = t.PaperAt({10, 10}, kArea);
    t.PanBy(20, 10);
    const render::Point after = t.PaperAt({30, 20}, kArea);
    EXPECT_DOUBLE_EQ(after.x, before.x);
    EXPECT_DOUBLE_EQ(after.y, before.y);
    EXPECT_LT(t.PaperAt({10, 20}, kArea).y, t.PaperAt({10, 10}, kArea).y);
}

TEST(ViewTransform, AnEmptyBoxOrAreaKeepsAFiniteZoom) {
    ViewTransform t;
    t.Fit({}, {0, 0});
    EXPECT_GT(t.Zoom(), 0);
    EXPECT_TRUE(std::isfinite(t.Zoom()));
}

}  // namespace
}  // namespace tw
