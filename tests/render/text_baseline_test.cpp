// A text's glyphs stand on their base line inside the cell Jw_cad sizes them
// by: the foot of a letter without descender lies kBaselineInCell of the
// height above the text's box, within a pixel at 600 dpi.
#include <gtest/gtest.h>

#include <QFont>
#include <QPainterPath>
#include <QStringList>
#include <cmath>

#include <tintwright/document/Fonts.h>
#include <tintwright/document/JwwUnit.h>
#include <tintwright/render/QtOutput.h>
#include <tintwright/util/Func_2.h>
#include "tests/render/Picture.h"

namespace tw::render {
namespace {

constexpr double kDpi = 600;
constexpr double kSide = 12.7;  // millimetres: 300 pixels at kDpi
constexpr double kPixelsPerMillimetre = kDpi / 25.4;
constexpr double kHeight = 10;
const Box kView{-1.27, -1.27, -1.27 + kSide, -1.27 + kSide};

// The pixel column of x millimetres.
int Column(double x) {
    return static_cast<int>((x - kView.minX) * kPixelsPerMillimetre);
}

// The lower edge of the ink in columns `from` to `to`: the bottom of the
// lowest row more than half inked there.
double InkFoot(const QImage& image, int from, int to) {
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = from; x < to; ++x) {
            if (qGray(image.pixel(x, y)) < 128) return y + 1;
        }
    }
    return -1;
}

// The middle of the ink's rows in columns `from` to `to`, weighed by darkness.
double InkMiddle(const QImage& image, int from, int to) {
    double rows = 0, weight = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = from; x < to; ++x) {
            const double ink = 255 - qGray(image.pixel(x, y));
            rows += ink * (y + 0.5);
            weight += ink;
        }
    }
    return weight > 0 ? rows / weight : -1;
}

// How far a letter's outline stands above its base line, in millimetres at
// the text's height: the IPA faces' Latin letters stand a little above it.
double FootAboveBaseLine(const std::u16string& font, const std::u16string& letter) {
    constexpr int kPixels = 1000;
    QStringList families;
    for (const std::string& family : fonts::FamiliesOf(fonts::FaceOf(font)))
        families << QString::fromStdString(family);
    QFont face;
    face.setFamilies(families);
    face.setPixelSize(kPixels);
    QPainterPath outline;
    outline.addText(0, 0, face, QString::fromStdU16String(letter));
    return -outline.boundingRect().bottom() / kPixels * kHeight;
}

// A letter of the text's box 0 to 5 mm along, beside a line along the box's
// lower edge from 6 to 11 mm: the letter's base line stands the rule's rise
// above the line's middle.
TEST(TextBaseline, GlyphsStandTheDescentAboveTheCellsBottom) {
    EnsureGuiApplication();
    for (const std::u16string font : {u"ＭＳ ゴシック", u"ＭＳ 明朝"}) {
        for (const std::u16string letters : {u"H", u"E"}) {
            TJwwData doc;
            doc.DataDefaultSet();
            ASSERT_TRUE(doc.AddEntMoji(0, 0, 0, 2, 1, 0, 0, 0, 0, 0, kHeight, kHeight, 0, 0, font,
                                       letters));
            ASSERT_TRUE(doc.AddEntLine(0, 0, 0, 2, 1, 0, 0, 6, 0, 11, 0));
            const int pixels = static_cast<int>(std::lround(kSide * kPixelsPerMillimetre));
            const QImage image = PictureOf(doc, kView, pixels);
            const double foot = InkFoot(image, Column(0), Column(5.5));
            const double edge = InkMiddle(image, Column(6.5), Column(10.5));
            SCOPED_TRACE(ToUtf8(font + u" " + letters));
            const double rise = fonts::kBaselineInCell * kHeight + FootAboveBaseLine(font, letters);
            EXPECT_NEAR(edge - foot, rise * kPixelsPerMillimetre, 1.0);
        }
    }
}

}  // namespace
}  // namespace tw::render
