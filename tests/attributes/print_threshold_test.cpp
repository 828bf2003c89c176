// Colours after the print thresholds of GetAttrColcol.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>

#include <tintwright/attributes/UnitGraAtt.h>

namespace tw {
namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

struct ThresholdCase {
    const char* what;
    bool printMode;
    int32_t sk0, sk1, sk2;
    int32_t pen;  // colour number
    uint32_t colour;
    uint32_t printed;
};

constexpr ThresholdCase kCases[] = {
    {"print mode off ignores thresholds", false, 0, 0, 0, 3, 0xFF123456, 0xFF123456},
    {"all thresholds off", true, -1, -1, -1, 3, 0xFF123456, 0xFF123456},
    {"sikii0: white stays white", true, 0, -1, -1, 3, kWhite, kWhite},
    {"sikii0: grey becomes black", true, 0, -1, -1, 3, 0xFF808080, kBlack},
    {"sikii0: almost white becomes black", true, 0, -1, -1, 200, 0xFFFFFFFE, kBlack},
    {"sikii0: needs more than 255", true, 1, -1, -1, 3, 0xFFFEFEFE, kBlack},
    {"sikii0: light enough turns white", true, 2, -1, -1, 3, 0xFFFEFEFE, kWhite},
    {"sikii0: alpha is not a channel", true, 0, -1, -1, 3, 0x00FFFFFF, kWhite},
    {"sikii1: white basic pen prints black", true, -1, 0, -1, 9, kWhite, kBlack},
    {"sikii1: other basic pen keeps its colour", true, -1, 0, -1, 1, 0xFF00C0C0, 0xFF00C0C0},
    {"sikii1: not for extended colours", true, -1, 0, -1, 101, kWhite, kWhite},
    {"sikii1: every channel must reach 255", true, -1, 10, -1, 2, 0xFFF5F5F4, 0xFFF5F5F4},
    {"sikii1: exactly 255 is enough", true, -1, 10, -1, 2, 0xFFF5F5F5, kBlack},
    {"sikii2: white extended colour prints black", true, -1, -1, 0, 101, kWhite, kBlack},
    {"sikii2: not for basic pens", true, -1, -1, 0, 9, kWhite, kWhite},
    {"sikii2: last colour", true, -1, -1, 0, 356, kWhite, kBlack},
    {"sikii0 then sikii1: white ends black", true, 0, 0, -1, 2, kWhite, kBlack},
    {"sikii0 then sikii1: dark ends black", true, 0, 0, -1, 2, 0xFF102030, kBlack},
    {"sikii0 then sikii2: black stays black", true, 0, -1, 300, 101, 0xFF102030, kBlack},
    {"huge sikii0 does not overflow", true, INT_MAX, -1, -1, 3, 0xFF000000, kWhite},
    {"huge sikii1 does not overflow", true, -1, INT_MAX, -1, 3, 0xFF000000, kBlack},
};

TEST(GraAttPrintThreshold, ColourAfterThresholds) {
    for (const auto& c : kCases) {
        TgraAttribute att;
        att.SetAttrCol(c.pen, c.colour);
        att.SetPrintMode(c.printMode, c.sk0, c.sk1, c.sk2);
        EXPECT_EQ(att.GetAttrColcol(c.pen), c.printed) << c.what;
    }
}

TEST(GraAttPrintThreshold, IndexFormSplitsBasicAndExtendedAtEntryNine) {
    TgraAttribute att;
    att.SetAttrCol_(8, kWhite);
    att.SetAttrCol_(9, kWhite);
    att.SetPrintMode(true, -1, 0, -1);
    EXPECT_EQ(att.GetAttrColcol_(8), kBlack);
    EXPECT_EQ(att.GetAttrColcol_(9), kWhite);
    att.SetPrintMode(true, -1, -1, 0);
    EXPECT_EQ(att.GetAttrColcol_(8), kWhite);
    EXPECT_EQ(att.GetAttrColcol_(9), kBlack);
}

TEST(GraAttPrintThreshold, NoEntryGivesTheBackgroundEvenWhenPrinting) {
    TgraAttribute att;
    att.SetBackColor(1);
    att.SetPrintMode(true, 0, 0, 0);
    EXPECT_EQ(att.GetAttrColcol(10), kBlack);
    EXPECT_EQ(att.GetAttrColcol(357), kBlack);
}

}  // namespace
}  // namespace tw
