// What the Qt and the Windows viewer share: the recent-files rule, the
// status line's numbers, the layer panel's rows and the scroll bars' maths.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <tintwright/document/LayerUsage.h>
#include "app/LayerRows.h"
#include "app/RecentFiles.h"
#include "app/ShownDrawing.h"
#include "app/ViewScroll.h"
#include "app/ViewTransform.h"
#include "app/ViewerStatus.h"

namespace tw {
namespace {

using Files = std::vector<std::u16string>;

TEST(RecentFiles, TheFileGoesFirstOnceAndTheListKeepsEight) {
    struct Case {
        Files before;
        std::u16string file;
        Files after;
    };
    const Case cases[] = {
        {{}, u"a", {u"a"}},
        {{u"a", u"b", u"c"}, u"c", {u"c", u"a", u"b"}},
        {{u"a", u"b"}, u"a", {u"a", u"b"}},
        {{u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8"},
         u"9",
         {u"9", u"1", u"2", u"3", u"4", u"5", u"6", u"7"}},
        {{u"1", u"2", u"3", u"4", u"5", u"6", u"7", u"8"},
         u"8",
         {u"8", u"1", u"2", u"3", u"4", u"5", u"6", u"7"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WithRecent(c.before, c.file), c.after);
}

const std::filesystem::path kTest1 = std::filesystem::path(TW_SHARED_TESTDATA) / "Test1.jww";

TEST(ViewerStatus, PaperRealAndZoomOfAKnownPoint) {
    // Test1.jww's group 0 is drawn at 1:100.
    const ShownDrawing drawing(kTest1);
    EXPECT_EQ(ViewerStatus({-96.324, -150.1}, &drawing.Doc(), 2.5),
              "-96.32, -150.10 mm on paper    -9632.4, -15010.0 mm real (1:100)    zoom 2.5 px/mm");
    EXPECT_EQ(ViewerStatus({1.005, 0}, nullptr, 1.0 / 3),
              "1.00, 0.00 mm on paper    1.0, 0.0 mm real (1:1)    zoom 0.3333 px/mm");
}

TEST(ViewerStatus, AScaleThatIsNoScaleCountsAsOne) {
    TJwwData doc;
    doc.DataDefaultSet();
    doc.Enthd.nWriteGLay = 3;
    for (const double scale : {0.0, -50.0, std::nan("")}) {
        doc.EntLgrp[3].adScale = scale;
        EXPECT_EQ(WriteGroupScale(doc), 1.0) << scale;
    }
    doc.EntLgrp[3].adScale = 50;
    EXPECT_EQ(WriteGroupScale(doc), 50.0);
}

TEST(LayerRows, CountsNamesAndChecksAsTheDrawingHasThem) {
    const ShownDrawing drawing(kTest1);
    const TJwwData& doc = drawing.Doc();
    const LayerUsageTable usage = CountLayerUsage(doc);
    render::Visibility shown = render::Visibility::Of(doc);
    shown.groups[2] = false;
    shown.layers[0x31] = false;
    const LayerPanelRows rows = LayerRowsOf(doc, shown);
    int64_t all = 0;
    for (int g = 0; g < 16; ++g) {
        int64_t group = 0;
        for (int l = 0; l < 16; ++l) {
            const int64_t count = usage[g * 16 + l].entities;
            group += count;
            const std::string end = " (" + std::to_string(count) + ")";
            const std::u16string& label = rows[g].layers[l].label;
            EXPECT_TRUE(label.ends_with(std::u16string(end.begin(), end.end())))
                << g << " " << l << " " << count;
            EXPECT_EQ(rows[g].layers[l].shown, shown.layers[g * 16 + l]);
        }
        const std::string end = " (" + std::to_string(group) + ")";
        EXPECT_TRUE(rows[g].group.label.ends_with(std::u16string(end.begin(), end.end()))) << g;
        EXPECT_EQ(rows[g].group.shown, shown.groups[g]);
        all += group;
    }
    EXPECT_GT(all, 0);
    EXPECT_FALSE(rows[2].group.shown);
    EXPECT_FALSE(rows[3].layers[1].shown);
}

TEST(LayerRows, LabelIsHexNumberNameAndCount) {
    TJwwData doc;
    doc.DataDefaultSet();
    doc.EntLgrp[0xA].aStrGLayName = u"平面";
    doc.EntLay[0xA * 16 + 0xC].aStrLayName = u"壁";
    doc.EntLay[0xA * 16 + 0xD].aStrLayName = u"";
    ASSERT_TRUE(doc.AddEntLine(0, 0xA, 0xC, 1, 1, 0, 0, 0, 0, 10, 0));
    ASSERT_TRUE(doc.AddEntLine(0, 0xA, 0xC, 1, 1, 0, 0, 0, 5, 10, 5));
    const LayerPanelRows rows = LayerRowsOf(doc, render::Visibility::Of(doc));
    EXPECT_EQ(rows[0xA].group.label, u"A 平面 (2)");
    EXPECT_EQ(rows[0xA].layers[0xC].label, u"C 壁 (2)");
    EXPECT_EQ(rows[0xA].layers[0xD].label, u"D (0)");
}

TEST(ViewScroll, BarsSpanTheAreaAndMovingOnePansTheViewThere) {
    constexpr AreaSize kArea{400, 200};
    const render::Box area{-200, -100, 200, 100};
    ViewTransform t;
    t.Fit({-50, -25, 50, 25}, kArea);  // 4 px/mm; the view 100 x 50 mm
    const ViewScroll bars = ScrollOf(t.View(kArea), area, t.Zoom());
    EXPECT_EQ(bars.horizontal.maximum, 1200);
    EXPECT_EQ(bars.horizontal.page, 400);
    EXPECT_EQ(bars.horizontal.step, 20);
    EXPECT_EQ(bars.horizontal.value, 600);
    EXPECT_EQ(bars.vertical.maximum, 600);
    EXPECT_EQ(bars.vertical.value, 300);
    for (const auto& [h, v] : {std::pair{0, 0}, {1200, 600}, {37, 511}}) {
        const render::Point pan = PanToScroll(h, v, t.View(kArea), area, t.Zoom());
        t.PanBy(pan.x, pan.y);
        const ViewScroll moved = ScrollOf(t.View(kArea), area, t.Zoom());
        EXPECT_EQ(moved.horizontal.value, h);
        EXPECT_EQ(moved.vertical.value, v);
    }
    // A view larger than the area leaves nothing to scroll, never a negative range.
    EXPECT_EQ(ScrollOf({-500, -500, 500, 500}, area, 1).horizontal.maximum, 0);
}

}  // namespace
}  // namespace tw
