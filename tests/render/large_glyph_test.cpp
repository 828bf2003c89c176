// A glyph far larger than Qt's glyph images is filled as its outline: it
// still covers what it covers, whether the view shows it a little or very
// much enlarged.
#include <gtest/gtest.h>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/render/QtOutput.h>
#include "tests/render/Picture.h"

namespace tw::render {
namespace {

// The share of ink in a square picture of the view, `pixels` a side.
double InkShare(const TJwwData& doc, const Box& view, int pixels) {
    const QImage image = PictureOf(doc, view, pixels);
    int64_t ink = 0;
    for (int y = 0; y < pixels; ++y)
        for (int x = 0; x < pixels; ++x)
            ink += qGray(image.pixel(x, y)) < 128;
    return static_cast<double>(ink) / (static_cast<double>(pixels) * pixels);
}

TEST(LargeGlyph, IsDrawnWhereItLiesAtAnySize) {
    EnsureGuiApplication();
    TJwwData doc;
    doc.DataDefaultSet();
    // A black square 100 mm high; the view a 10 mm piece of its middle.
    ASSERT_TRUE(
        doc.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 100, 100, 0, 0, u"ＭＳ ゴシック", u"■"));
    const Box middle{45, 40, 55, 50};
    for (const int pixels : {100, 1000}) {  // the glyph 1000 and 10,000 pixels high
        SCOPED_TRACE(pixels);
        EXPECT_GT(InkShare(doc, middle, pixels), 0.95);
    }
}

}  // namespace
}  // namespace tw::render
