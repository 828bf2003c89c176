// What shows on the screen and what prints, and how: auxiliary marks,
// temporary points, hidden layers, widths by the header's width unit,
// monochrome print and dash patterns in each medium.
#include <tintwright/document/OutputRules.h>

#include <gtest/gtest.h>

namespace tw::rules {
namespace {

using enum Medium;

// The defaults of a new drawing.
struct Drawing : TJwwData {
    Drawing() { DataDefaultSet(); }
};

TEntJwwAttr Attr(int32_t color, int32_t style, int32_t width = 0) {
    TEntJwwAttr att;
    att.nPenColor = color;
    att.nPenStyle = style;
    att.nPenWidth = width;
    return att;
}

TEST(OutputRulesTest, AuxiliaryMarksAndTemporaryPointsShowButDoNotPrint) {
    struct Case {
        int32_t color, style;
        bool temporary;
        bool prints;
    };
    const Case cases[] = {
        {1, 1, false, true},   {9, 1, false, false}, {1, 9, false, false},
        {109, 2, false, true}, {1, 1, true, false},  {9, 9, true, false},
    };
    for (const Case& c : cases) {
        TEntJwwTen point;
        point.att = Attr(c.color, c.style);
        point.bKariten = c.temporary ? 1 : 0;
        TEntJwwLine line;
        line.att = point.att;
        SCOPED_TRACE(testing::Message() << c.color << "/" << c.style << "/" << c.temporary);
        EXPECT_TRUE(Appears(point, Screen));
        EXPECT_TRUE(Appears(line, Screen));
        EXPECT_EQ(Appears(point, Print), c.prints);
        EXPECT_EQ(Appears(line, Print), !IsAuxiliary(line.att));
    }
}

TEST(OutputRulesTest, HiddenLayersAndGroupsAreNotShown) {
    Drawing doc;
    doc.EntLay[LayerIndex(2, 3)].aanLay = 0;
    doc.EntLgrp[5].anGLay = 0;
    doc.EntLay[LayerIndex(0, 1)].aanLay = 1;  // display only: shown and printed
    const LayerStates layers = LayerStates::Of(doc);
    EXPECT_FALSE(layers.Shows(LayerIndex(2, 3)));
    EXPECT_TRUE(layers.Shows(LayerIndex(2, 4)));
    EXPECT_FALSE(layers.Shows(LayerIndex(5, 0)));
    EXPECT_TRUE(layers.Shows(LayerIndex(0, 1)));
}

TEST(OutputRulesTest, WidthsFollowTheHeadersWidthUnit) {
    struct Case {
        int32_t pen;
        bool hundredths;
        int32_t dpiStep;
        int32_t ownWidth;  // nPenWidth
        double screen, print;
    };
    const double dot = 25.4 / 360;
    const Case cases[] = {
        {2, true, 1, 0, 7 * 0.1, 25 * 0.01},  // the pen's widths: 7 pixels, 25/100 mm
        {2, false, 0, 0, 7 * 0.1, 25 * dot},  // 25 printer dots at 360 dpi
        {2, false, 2, 0, 7 * 0.1, 25 * dot / 2},
        {2, true, 1, 400, 0.4, 0.4},  // a record's own 4.0: the same paper width
        {2, false, 1, 400, 0.4, 0.4},
        // The extended (SXF) pens count 1/100 mm on the screen and on paper,
        // whatever the header's unit.
        {101, false, 1, 0, 7 * 0.01, 25 * 0.01},
        {101, false, 0, 0, 7 * 0.01, 25 * 0.01},
        {356, false, 2, 0, 7 * 0.01, 25 * 0.01},
        {101, true, 1, 0, 7 * 0.01, 25 * 0.01},
        {101, false, 1, 400, 0.4, 0.4},
    };
    for (const Case& c : cases) {
        Drawing doc;
        doc.Enthd.bSenHaba100 = c.hundredths;
        doc.Enthd.nPrtDpi = c.dpiStep;
        doc.EntCol[2].anPenWidth = doc.EntColS[1].anPenWidth = doc.EntColS[256].anPenWidth = 7;
        doc.EntCol[2].anPrtPenWidth = doc.EntColS[1].anPrtPenWidth =
            doc.EntColS[256].anPrtPenWidth = 25;
        const TEntJwwAttr att = Attr(c.pen, 1, c.ownWidth);
        SCOPED_TRACE(testing::Message()
                     << c.pen << "/" << c.hundredths << "/" << c.dpiStep << "/" << c.ownWidth);
        EXPECT_DOUBLE_EQ(Appearance(doc, Screen).WidthMillimetres(att), c.screen);
        EXPECT_DOUBLE_EQ(Appearance(doc, Print).WidthMillimetres(att), c.print);
    }
}

// A text's width field holds the text's flags: the text is as heavy as its
// pen, in either table, where a line with the same field is as wide as it says.
TEST(OutputRulesTest, ATextIsAsHeavyAsItsPen) {
    struct Case {
        int32_t pen;
        int32_t field;
        double text, line;  // printed millimetres
    };
    const Case cases[] = {
        {2, 8259, 0.25, 8.259},
        {2, 0, 0.25, 0.25},
        {101, 8259, 0.18, 8.259},
    };
    for (const Case& c : cases) {
        Drawing doc;
        doc.EntCol[2].anPrtPenWidth = 25;
        doc.EntColS[1].anPrtPenWidth = 18;
        TEntJwwMoji text;
        text.att = Attr(c.pen, 1, c.field);
        SCOPED_TRACE(testing::Message() << c.pen << "/" << c.field);
        const Appearance print(doc, Print);
        EXPECT_DOUBLE_EQ(print.WidthMillimetres(text), c.text);
        EXPECT_DOUBLE_EQ(print.WidthMillimetres(text.att), c.line);
    }
}

// Setting texts are known by their place (0, -1000), their missing length
// and their "Prefix_Name = value" content, in any pen and line type.
TEST(OutputRulesTest, SettingTextsAreNeverDrawn) {
    struct Case {
        const char* name;
        int32_t pen, style;
        double x, y, endX;
        std::u16string text;
        bool setting;
    };
    const Case cases[] = {
        {"Jw_cad's own", 9, 9, 0, -1000, 0, u"Printer_Orientation = 0", true},
        {"in pen 2", 2, 1, 0, -1000, 0, u"Printer_PaperSize = 0", true},
        {"another prefix", 2, 1, 0, -1000, 0, u"View_Direct2d = 1", true},
        {"with a length", 9, 9, 0, -1000, 60, u"Printer_Orientation = 0", false},
        {"elsewhere", 2, 1, 0, -999, 0, u"Printer_Orientation = 0", false},
        {"no setting", 2, 1, 0, -1000, 0, u"Printer orientation", false},
        {"no value", 2, 1, 0, -1000, 0, u"Printer_Orientation = ", false},
        {"no prefix", 2, 1, 0, -1000, 0, u"Orientation = 0", false},
        {"a formula", 2, 1, 0, -1000, 0, u"A_1 + B = 2", false},
    };
    for (const Case& c : cases) {
        TEntJwwMoji text;
        text.att = Attr(c.pen, c.style);
        text.start_x = c.x;
        text.start_y = c.y;
        text.end_x = c.endX;
        text.end_y = c.y;
        text.str = c.text;
        SCOPED_TRACE(c.name);
        EXPECT_EQ(IsSettingText(text), c.setting);
        EXPECT_EQ(Appears(text, Screen), !c.setting);
        EXPECT_EQ(Appears(text, Print), !c.setting && !IsAuxiliary(text.att));
    }
}

TEST(OutputRulesTest, MonochromePrintIsBlackWithGreySolids) {
    struct Case {
        int32_t colorPrint;
        std::optional<bool> colour;
        bool inColour;
    };
    const Case cases[] = {{1, {}, true}, {0, {}, false}, {0, true, true}, {1, false, false}};
    for (const Case& c : cases) {
        Drawing doc;
        doc.Enthd.nColorPrint = c.colorPrint;
        doc.EntCol[3].aPenColor = doc.EntCol[3].aPrtPenColor = 0x00336699;
        TEntJwwSolid solid;
        solid.att = Attr(kOwnColorPen, 1);
        solid.Color = 0x00FF0000;  // blue
        const Appearance print(doc, Print, {c.colour, {}});
        const Appearance screen(doc, Screen, {c.colour, {}});
        SCOPED_TRACE(testing::Message() << c.colorPrint << "/" << c.colour.value_or(-1));
        EXPECT_EQ(screen.Color(3), 0x996633u);
        EXPECT_EQ(print.Color(3), c.inColour ? 0x996633u : 0u);
        EXPECT_EQ(print.Fill(solid), c.inColour ? 0x0000FFu : 0x1D1D1Du);
    }
}

struct DashCase {
    uint32_t bits;
    std::vector<double> runs;  // in bits
};

TEST(OutputRulesTest, BitsBecomeRunsThatStartWithADash) {
    const DashCase cases[] = {
        {0xFFFFFFFFu, {}},
        {0, {}},
        {0xFFFF0000u, {16, 16}},
        {0x0000FFFFu, {16, 16}},
        {0xF0F0F0F0u, std::vector<double>(8, 4)},
        {0x80000000u, {1, 31}},
        {0xFFFFFFF0u, {28, 4}},
        {0x80000001u, {2, 30}},
        {0x99999999u, std::vector<double>(16, 2)},
    };
    for (const DashCase& c : cases) {
        Drawing doc;
        doc.EntLtp1[0].alLType = static_cast<int32_t>(c.bits);
        doc.EntLtp1[0].anTokushuSenUintDot = 32;
        doc.EntLtp1[0].anTokushuSenPich = 2;
        const std::vector<double> runs = DashPattern(doc, 2, Screen, 0.5);
        ASSERT_EQ(runs.size(), c.runs.size()) << std::hex << c.bits;
        for (size_t i = 0; i < runs.size(); ++i)
            EXPECT_DOUBLE_EQ(runs[i], c.runs[i] * 2 * 0.5) << std::hex << c.bits << " " << i;
    }
}

// The default type 2 (8 bits 0xC3: 4 on, 4 off) with pitch 1 on the screen
// keeps 4 pixels whatever the pixel's size; in print, pitch 10 printer dots
// of 1/720 inch, the same length the DXF export writes.
TEST(OutputRulesTest, ScreenPatternsArePixelsAndPrintPatternsPrinterDots) {
    const Drawing doc;
    const double printDash = 4 * 10 * kPrintPatternDot;
    EXPECT_EQ(Appearance(doc, Screen, {{}, {}, 0.25}).Dashes(3), (std::vector<double>{1.0, 1.0}));
    EXPECT_EQ(Appearance(doc, Print, {{}, {}, 0.25}).Dashes(3),
              (std::vector<double>{printDash, printDash}));
    EXPECT_TRUE(Appearance(doc, Print).Dashes(1).empty());
    EXPECT_TRUE(Appearance(doc, Print).Dashes(-5).empty());
}

TEST(OutputRulesTest, ExtendedTypesTakeTheirSegmentLengths) {
    Drawing doc;
    doc.EntLtpS[2].anUDLTypeSegment = 3;
    doc.EntLtpS[2].aadUDLTypePitch = {6, 1.5, 0.25};
    for (Medium m : {Screen, Print})
        EXPECT_EQ(DashPattern(doc, 32, m, 1), (std::vector<double>{6, 1.5, 0.25, 0}));
}

TEST(OutputRulesTest, PointRadiusIsThePensPrintRadius) {
    Drawing doc;
    doc.EntCol[4].adPrtTenHankei = 0.35;
    doc.EntCol[5].adPrtTenHankei = 0;
    const Appearance look(doc, Print);
    EXPECT_DOUBLE_EQ(look.PointRadius(4), 0.35);
    EXPECT_DOUBLE_EQ(look.PointRadius(5), 0.1);  // none set: the least Jw_cad keeps
    EXPECT_DOUBLE_EQ(look.PointRadius(77), 0.1);
}

}  // namespace
}  // namespace tw::rules
