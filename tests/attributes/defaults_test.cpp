// The state of a new attribute set and of the defaults for either background.
#include <gtest/gtest.h>

#include <cstdint>

#include <tintwright/attributes/UnitGraAtt.h>

namespace tw {
namespace {

TEST(GraAttDefaults, CreateStartsOnWhiteWithEverythingOff) {
    TgraAttribute att;
    EXPECT_FALSE(att.GetDisplayMode());
    int32_t sk0 = 0, sk1 = 0, sk2 = 0;
    EXPECT_FALSE(att.GetPrintMode(sk0, sk1, sk2));
    EXPECT_EQ(sk0, -1);
    EXPECT_EQ(sk1, -1);
    EXPECT_EQ(sk2, -1);
    EXPECT_EQ(att.GetBackColorNo(), 0);
    EXPECT_EQ(att.GetBackColor(), 0xFFFFFFFFu);
    EXPECT_EQ(att.GetForeColor(), 0xFF000000u);
    EXPECT_EQ(att.GetGrayColor(), 0xFF808080u);
    EXPECT_EQ(att.GetDispHojo(), 0);
    EXPECT_EQ(att.GetDispKijun(), 0);
    EXPECT_FALSE(att.GetAll1ColorState());
    EXPECT_EQ(att.GetAll1Color(), 0xFFFFFFFFu);
}

TEST(GraAttDefaults, DataInitLeavesTheAuxiliarySwitches) {
    TgraAttribute att;
    att.SetDispHojo(1);
    att.SetDispKijun(7);
    att.SetBackColor(1);
    att.SetPrintMode(true, 1, 2, 3);
    att.DataInit();
    EXPECT_EQ(att.GetDispHojo(), 1);
    EXPECT_EQ(att.GetDispKijun(), 1);
    EXPECT_EQ(att.GetBackColorNo(), 0);
    int32_t sk0 = 0, sk1 = 0, sk2 = 0;
    EXPECT_FALSE(att.GetPrintMode(sk0, sk1, sk2));
    EXPECT_EQ(sk0, -1);
}

struct PenColour {
    int32_t number;
    uint32_t onWhite;
    uint32_t onBlack;
};

constexpr PenColour kPenColours[] = {
    {1, 0xFF00C0C0, 0xFF00FFFF},
    {2, 0xFF000000, 0xFFFFFFFF},
    {5, 0xFFC000C0, 0xFFC000C0},
    {6, 0xFF0000FF, 0xFF2020FF},
    {8, 0xFFFF0080, 0xFFA00000},
    {9, 0xFFFF80FF, 0xFFC08080},
    {101, 0xFF000000, 0xFFFFFFFF},
    {102, 0xFFFF0000, 0xFFFF0000},
    {108, 0xFF000000, 0xFFFFFFFF},
    {110, 0xFFC08040, 0xFFC08040},
    {116, 0xFF808080, 0xFF808080},
    // From 117 on every colour is the foreground colour.
    {117, 0xFF000000, 0xFFFFFFFF},
    {200, 0xFF000000, 0xFFFFFFFF},
    {356, 0xFF000000, 0xFFFFFFFF},
};

TEST(GraAttDefaults, PenColoursOnWhite) {
    TgraAttribute att;
    for (const auto& p : kPenColours)
        EXPECT_EQ(att.GetAttrColcol(p.number), p.onWhite) << p.number;
}

TEST(GraAttDefaults, SwitchingToBlackChangesThePensOnlyWithSetDefaultColor) {
    TgraAttribute att;
    att.SetBackColor(1);
    EXPECT_EQ(att.GetBackColorNo(), 1);
    EXPECT_EQ(att.GetBackColor(), 0xFF000000u);
    EXPECT_EQ(att.GetForeColor(), 0xFFFFFFFFu);
    EXPECT_EQ(att.GetAttrColcol(2), 0xFF000000u);

    att.SetDefaultColor();
    for (const auto& p : kPenColours)
        EXPECT_EQ(att.GetAttrColcol(p.number), p.onBlack) << p.number;
}

TEST(GraAttDefaults, UnknownBackgroundNumberChangesNothing) {
    TgraAttribute att;
    att.SetBackColor(2);
    att.SetBackColor(-1);
    EXPECT_EQ(att.GetBackColorNo(), 0);
    EXPECT_EQ(att.GetBackColor(), 0xFFFFFFFFu);
    EXPECT_EQ(att.GetForeColor(), 0xFF000000u);
}

TEST(GraAttDefaults, WidthsAndPointRadii) {
    struct Pen {
        int32_t number;
        double width;
        double tenR;
    };
    const Pen pens[] = {{1, 0.1, 0.2},  {2, 0.15, 0.3},   {4, 0.25, 0.5},  {8, 0.5, 0.5},
                        {9, 0.01, 0.2}, {101, 0.18, 0.2}, {356, 0.18, 0.2}};
    TgraAttribute att;
    att.SetAttrCol(4, 3.0, 3.0);
    att.SetDefaultWidth();
    att.SetDefaultTenR();
    for (const auto& p : pens) {
        EXPECT_EQ(att.GetAttrColwid(p.number), p.width) << p.number;
        EXPECT_EQ(att.GetAttrColten(p.number), p.tenR) << p.number;
    }
}

TEST(GraAttDefaults, DisplaySwitchesAreReadBackAsOneOrZero) {
    TgraAttribute att;
    att.SetDispHojo(5);
    att.SetDispKijun(-2);
    EXPECT_EQ(att.GetDispHojo(), 1);
    EXPECT_EQ(att.GetDispKijun(), 1);
    att.SetDispHojo(0);
    EXPECT_EQ(att.GetDispHojo(), 0);
    att.SetAll1Color(true, 0xFF112233u);
    att.SetAll1Color(false);
    EXPECT_FALSE(att.GetAll1ColorState());
    EXPECT_EQ(att.GetAll1Color(), 0xFF112233u);
}

}  // namespace
}  // namespace tw
