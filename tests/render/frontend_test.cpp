// The frontend: colours, widths and dashes from the drawing's tables, hidden
// layers and groups, culling and clipping to the view, insertions placed by
// their transforms, and every entity accounted for in the report.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

#include <tintwright/document/Fonts.h>
#include <tintwright/document/JwwUnit.h>
#include <tintwright/document/OutputRules.h>
#include <tintwright/render/Frontend.h>
#include "support/TempDir.h"
#include "tests/render/RecordingBackend.h"

namespace tw::render {
namespace {

constexpr uint32_t kWhiteRef = 0xFFFFFF;

class Frontend : public testing::Test {
  protected:
    void SetUp() override {
        doc.DataDefaultSet();
        doc.Enthd.nZumen = 4;  // A4 landscape: 297 x 210
        doc.AddEntPre();
    }
    // A line in pen colour co on group lg, layer ly.
    void Line(int32_t co, double x1, double y1, double x2, double y2, int32_t lg = 0,
              int32_t ly = 0, int32_t tp = 1) {
        ASSERT_TRUE(doc.AddEntLine(0, lg, ly, co, tp, 0, 0, x1, y1, x2, y2));
    }
    RenderReport Draw(const RenderOptions& options = RenderOptions()) {
        doc.AddEntPost();
        return Render(doc, options, out);
    }

    TJwwData doc;
    RecordingBackend out;
};

TEST_F(Frontend, PaperViewIsTheSheetCentredOnTheOrigin) {
    Draw();
    EXPECT_DOUBLE_EQ(out.view.minX, -148.5);
    EXPECT_DOUBLE_EQ(out.view.maxY, 105);
    EXPECT_EQ(out.background, 0xFFFFFFu);
    EXPECT_TRUE(out.ended);
}

TEST_F(Frontend, ColourAndWidthComeFromThePenTables) {
    doc.EntColS[5].aPenColor = 0x00336699;  // red 0x99, green 0x66, blue 0x33
    doc.EntColS[5].anPenWidth = 7;
    Line(105, 0, 0, 10, 0);
    Draw();
    ASSERT_EQ(out.lines.size(), 1u);
    EXPECT_EQ(out.lines[0].stroke.rgb, 0x996633u);
    EXPECT_DOUBLE_EQ(out.lines[0].stroke.width,
                     7 * rules::WidthUnit(doc, rules::PenTable::Extended, rules::Medium::Screen));
}

// A pen in the background's colour would vanish: it is drawn in the other.
TEST_F(Frontend, WhiteIsBlackOnWhiteAndWhiteOnBlack) {
    doc.EntColS[1].aPenColor = kWhiteRef;
    doc.EntColS[2].aPenColor = 0;
    Line(101, 0, 0, 10, 0);
    Line(102, 0, 5, 10, 5);
    Draw();
    EXPECT_EQ(out.lines[0].stroke.rgb, 0x000000u);
    EXPECT_EQ(out.lines[1].stroke.rgb, 0x000000u);
    RecordingBackend black;
    RenderOptions options;
    options.blackBackground = true;
    Render(doc, options, black);
    EXPECT_EQ(black.background, 0x000000u);
    EXPECT_EQ(black.lines[0].stroke.rgb, 0xFFFFFFu);
    EXPECT_EQ(black.lines[1].stroke.rgb, 0xFFFFFFu);
}

TEST_F(Frontend, PrintTakesThePrintColours) {
    doc.EntCol[2].aPenColor = 0x0000FF;
    doc.EntCol[2].aPrtPenColor = 0x00FF00;
    Line(2, 0, 0, 10, 0);
    RenderOptions options;
    options.print = true;
    Draw(options);
    EXPECT_EQ(out.lines[0].stroke.rgb, 0x00FF00u);
}

TEST_F(Frontend, HiddenGroupsAndLayersAreSkippedAndCounted) {
    doc.EntLgrp[2].anGLay = 0;
    doc.EntLay[1 * 16 + 3].aanLay = 0;
    Line(1, 0, 0, 10, 0, 2, 5);  // group hidden
    Line(1, 0, 0, 10, 0, 1, 3);  // layer hidden
    Line(1, 0, 0, 10, 0, 1, 4);  // shown
    const RenderReport report = Draw();
    EXPECT_EQ(report.visited, 3);
    EXPECT_EQ(report.hidden, 2);
    EXPECT_EQ(report.drawn, 1);
    EXPECT_EQ(out.lines.size(), 1u);
}

TEST_F(Frontend, OutsideTheViewIsCulledAcrossItIsClipped) {
    Line(1, 1000, 1000, 1010, 1000);  // far outside
    Line(1, -1000, 0, 1000, 0);       // across the sheet
    const RenderReport report = Draw();
    EXPECT_EQ(report.culled, 1);
    EXPECT_EQ(report.drawn, 1);
    ASSERT_EQ(out.lines.size(), 1u);
    for (const Point& p : out.lines[0].points)
        EXPECT_LT(std::fabs(p.x), 200);
}

// A coordinate that is not a finite number makes its entity undrawable,
// said why; a line whose box meets the view but which misses it is culled.
TEST_F(Frontend, NonFiniteCoordinatesAreNotDrawableAndMissesAreCulled) {
    struct Case {
        const char* name;
        double x1, y1, x2, y2;
        int drawn, culled, undrawable;
    };
    const double nan = std::nan(""), inf = INFINITY;
    const Case cases[] = {
        {"NaN start", nan, 0, 10, 0, 0, 0, 1},
        {"NaN end", 0, 0, 10, nan, 0, 0, 1},
        {"infinite", -inf, 0, 10, 0, 0, 0, 1},
        {"box meets the view, line misses it", -1000, 400, 400, -1000, 0, 1, 0},
        {"across", -1000, 0, 1000, 0, 1, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TJwwData one;
        one.DataDefaultSet();
        one.Enthd.nZumen = 4;
        one.AddEntPre();
        ASSERT_TRUE(one.AddEntLine(0, 0, 0, 1, 1, 0, 0, c.x1, c.y1, c.x2, c.y2));
        one.AddEntPost();
        RecordingBackend out;
        const RenderReport report = Render(one, RenderOptions(), out);
        EXPECT_EQ(report.drawn, c.drawn);
        EXPECT_EQ(report.culled, c.culled);
        EXPECT_EQ(report.undrawable, c.undrawable);
        EXPECT_EQ(report.reasons.count("coordinates that are not finite numbers"),
                  static_cast<size_t>(c.undrawable));
        EXPECT_EQ(out.lines.size(), static_cast<size_t>(c.drawn));
    }
}

TEST_F(Frontend, AColourWithoutEntryIsReportedNotDrawn) {
    Line(1, 0, 0, 10, 0);
    doc.EntLine[0].att.nPenColor = 77;
    const RenderReport report = Draw();
    EXPECT_EQ(report.undrawable, 1);
    EXPECT_EQ(report.reasons.begin()->second, 1);
    EXPECT_TRUE(out.lines.empty());
}

TEST_F(Frontend, InsertedMembersArePlacedByTheInsertion) {
    ASSERT_TRUE(doc.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 0, u"part"));
    ASSERT_TRUE(doc.AddBlkLine(0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 10, 0));
    // Doubled and turned a quarter anticlockwise, at (20, 30).
    ASSERT_TRUE(doc.AddEntBlock(0, 0, 0, 1, 1, 0, 0, 0, 20, 30, 2, 2, 90));
    const RenderReport report = Draw();
    EXPECT_EQ(report.drawn, 1);
    ASSERT_EQ(out.lines.size(), 1u);
    EXPECT_NEAR(out.lines[0].points[1].x, 20, 1e-9);
    EXPECT_NEAR(out.lines[0].points[1].y, 50, 1e-9);
}

TEST_F(Frontend, EveryKindReachesTheBackend) {
    Line(1, 0, 0, 10, 0);
    ASSERT_TRUE(doc.AddEntArc(0, 0, 0, 1, 1, 0, 0, 0, 0, 20, 1, 0, 360, 0));
    ASSERT_TRUE(doc.AddEntTen(0, 0, 0, 1, 1, 0, 0, 5, 5, 0, 0));
    ASSERT_TRUE(
        doc.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 1, -50, 0, 5, 5, 0, 0, u"ＭＳ ゴシック", u"文字 text"));
    ASSERT_TRUE(doc.AddEntSolid(0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 10, 0, 10, 10, 0, 10));
    ASSERT_TRUE(doc.AddEntSolidA(0, 0, 0, 1, 0, 0, 0, 30, 30, 5, 1, 0));
    const RenderReport report = Draw();
    EXPECT_EQ(report.visited, 6);
    EXPECT_EQ(report.drawn, 6);
    EXPECT_EQ(out.lines.size(), 2u);
    EXPECT_EQ(out.dots.size(), 1u);
    ASSERT_EQ(out.texts.size(), 1u);
    EXPECT_EQ(out.texts[0].text, "文字 text");
    EXPECT_DOUBLE_EQ(out.texts[0].height, doc.EntMoji[0].dSizeY);
    EXPECT_EQ(out.fills.size(), 2u);
    EXPECT_GT(out.fills[1].points.size(), 8u);  // the curved solid's outline
}

TEST_F(Frontend, ImagesArePlacedFromTheirBoundFiles) {
    TempDir folder;
    std::ofstream(folder.path() / "plan.png", std::ios::binary) << "picture";
    doc.BindImageFolder = folder.folder();
    ASSERT_TRUE(doc.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 1, 10, 20, 5, 5, 0, 0, u"MS Gothic",
                               u"^@BMplan.png,40,30"));
    ASSERT_TRUE(doc.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 1, 10, 20, 5, 5, 0, 0, u"MS Gothic",
                               u"^@BMgone.png,40,30"));
    const RenderReport report = Draw();
    ASSERT_EQ(out.images.size(), 1u);
    EXPECT_EQ(out.images[0].bytes(), "picture");
    EXPECT_DOUBLE_EQ(out.images[0].at.x, 10);
    EXPECT_DOUBLE_EQ(out.images[0].width, 40);
    EXPECT_DOUBLE_EQ(out.images[0].height, 30);
    EXPECT_EQ(report.undrawable, 1);  // the image whose file is not there
    EXPECT_EQ(report.reasons.count("image file not at hand"), 1u);
}

// Half-width characters take half a cell and half a spacing, so a text of a
// fixed-pitch face fills its stored length.
TEST_F(Frontend, TextCharactersSitInJwCadsCells) {
    struct Case {
        std::u16string font, text;
        std::vector<double> offsets;
        std::string face, generic;
    };
    const Case cases[] = {
        {u"ＭＳ ゴシック", u"ab漢", {0, 2.5, 5}, "IPAGothic", "sans-serif"},
        {u"ＭＳ 明朝", u"漢 a", {0, 5, 7.5}, "IPAMincho", "serif"},
        {u"ＭＳ Ｐゴシック", u"\u3000\x01ｱ", {0, 6}, "IPAPGothic", "sans-serif"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(doc.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 4, 3, 1, 0, c.font, c.text));
    }
    Draw();
    ASSERT_EQ(out.texts.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const TextRun& t = out.texts[i];
        SCOPED_TRACE(cases[i].face);
        EXPECT_DOUBLE_EQ(t.cellWidth, 4);
        EXPECT_DOUBLE_EQ(t.height, 3);
        ASSERT_EQ(t.offsets.size(), cases[i].offsets.size());
        for (size_t k = 0; k < t.offsets.size(); ++k)
            EXPECT_NEAR(t.offsets[k], cases[i].offsets[k], 1e-9) << k;
        ASSERT_EQ(t.families.size(), 3u);
        EXPECT_EQ(t.families.front(), cases[i].face);
        EXPECT_EQ(t.families.back(), cases[i].generic);
    }
    EXPECT_NEAR(out.texts[0].length, 9, 1e-9);  // 2 + 0.5 + 2 + 0.5 + 4
}

// Jw_cad's setting texts, in its auxiliary pen or in pen 2, are drawn in
// no medium and hold no place in the extents; a text beside them is drawn.
TEST_F(Frontend, SettingTextsAreNeitherDrawnNorCounted) {
    for (const int32_t pen : {9, 2}) {
        ASSERT_TRUE(doc.AddEntMoji(0, 0, 0, pen, pen == 9 ? 9 : 1, 0, 0, 0, 0, -1000, 0, -1000, 3,
                                   3, 0.5, 0, u"ＭＳ ゴシック", u"Printer_Orientation = 0"));
    }
    ASSERT_TRUE(
        doc.AddEntMoji(0, 0, 0, 2, 1, 0, 0, 0, 10, 20, 3, 3, 0, 0, u"ＭＳ ゴシック", u"drawn"));
    doc.AddEntPost();
    for (const bool print : {false, true}) {
        SCOPED_TRACE(print);
        RecordingBackend backend;
        RenderOptions options;
        options.print = print;
        options.fit = Fit::Extents;
        Render(doc, options, backend);
        ASSERT_EQ(backend.texts.size(), 1u);
        EXPECT_EQ(backend.texts[0].text, "drawn");
        EXPECT_GT(backend.view.minY, 0);
    }
}

// Glyphs stand on their base line, kBaselineInCell of the height above the
// box's lower edge, across the box whichever way it turns.
TEST_F(Frontend, TextsStandOnTheirBaseLineInTheCell) {
    struct Case {
        double degrees;
        double x, y;  // the base line's start
    };
    const double rise = fonts::kBaselineInCell * 10;
    const Case cases[] = {{0, 5, 7 + rise}, {90, 5 - rise, 7}, {180, 5, 7 - rise}};
    for (const Case& c : cases) {
        ASSERT_TRUE(doc.AddEntMoji(0, 0, 0, 2, 1, 0, 0, 0, 5, 7, 10, 10, 0, c.degrees,
                                   u"ＭＳ ゴシック", u"Hx"));
    }
    Draw();
    ASSERT_EQ(out.texts.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].degrees);
        EXPECT_NEAR(out.texts[i].at.x, cases[i].x, 1e-9);
        EXPECT_NEAR(out.texts[i].at.y, cases[i].y, 1e-9);
        EXPECT_DOUBLE_EQ(out.texts[i].height, 10);
    }
}

// Jw_cad's ^u and ^d: the marked character in a run of its own, half as high
// and half as wide, at the top or the bottom of its cell; the code drawn
// nowhere, its place kept.
TEST_F(Frontend, RaisedAndLoweredCharactersAreHalfSizeAtTheTopOrBottom) {
    struct Case {
        std::u16string text;
        std::string plain, scripted;
        double along;  // the scripted character's cell along the base line
        double above;  // its box's lower edge above the text's
    };
    // Height 10, width 4 (half-width cells 2), no spacing.
    const Case cases[] = {{u"m^u2", "m", "2", 6, 5}, {u"H^d2O", "HO", "2", 6, 0}};
    for (size_t i = 0; i < std::size(cases); ++i) {
        ASSERT_TRUE(doc.AddEntMoji(0, 0, 0, 2, 1, 0, 0, 0, 0, 20.0 * i, 4, 10, 0, 0,
                                   u"ＭＳ ゴシック", cases[i].text));
    }
    Draw();
    ASSERT_EQ(out.texts.size(), 2 * std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.plain);
        const TextRun& plain = out.texts[2 * i];
        const TextRun& scripted = out.texts[2 * i + 1];
        EXPECT_EQ(plain.text, c.plain);
        EXPECT_EQ(scripted.text, c.scripted);
        EXPECT_DOUBLE_EQ(scripted.height, 5);
        EXPECT_DOUBLE_EQ(scripted.cellWidth, 2);
        EXPECT_NEAR(scripted.at.x, c.along, 1e-9);
        EXPECT_NEAR(scripted.at.y, 20.0 * i + c.above + fonts::kBaselineInCell * 5, 1e-9);
    }
}

}  // namespace
}  // namespace tw::render
