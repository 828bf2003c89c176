// Pen colour and line type numbers reach their entries (and only those), by
// number and by index.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <tintwright/attributes/UnitGraAtt.h>

namespace tw {
namespace {

struct NumberEntry {
    int32_t number;
    int32_t entry;
};

TEST(GraAttMapping, PenColourNumbersReachTheirEntries) {
    const NumberEntry cases[] = {{1, 0}, {9, 8}, {101, 9}, {102, 10}, {355, 263}, {356, 264}};
    for (const auto& c : cases) {
        TgraAttribute att;
        att.SetAttrCol(c.number, 0xFF123456u, 7.5, 2.5);
        EXPECT_EQ(att.GetAttrColcol_(c.entry), 0xFF123456u) << c.number;
        EXPECT_EQ(att.GetAttrColwid_(c.entry), 7.5) << c.number;
        EXPECT_EQ(att.GetAttrColten_(c.entry), 2.5) << c.number;
        EXPECT_EQ(att.GetAttrColcol(c.number), 0xFF123456u) << c.number;
    }
}

TEST(GraAttMapping, PenColourNumbersWithoutEntryChangeNothingAndGiveFallbacks) {
    const int32_t numbers[] = {-1, 0, 10, 100, 357, 1000};
    TgraAttribute att;
    TgraAttribute untouched;
    for (int32_t jn : numbers) {
        att.SetAttrCol(jn, 0xFF123456u, 7.5, 2.5);
        att.SetAttrCol(jn, 9.5);
        EXPECT_EQ(att.GetAttrColcol(jn), att.GetBackColor()) << jn;
        EXPECT_EQ(att.GetAttrColwid(jn), 0.0) << jn;
        EXPECT_EQ(att.GetAttrColten(jn), 0.1) << jn;
    }
    for (int32_t n = 0; n < TgraAttribute::ColorCount; ++n) {
        EXPECT_EQ(att.GetAttrColcol_(n), untouched.GetAttrColcol_(n)) << n;
        EXPECT_EQ(att.GetAttrColwid_(n), untouched.GetAttrColwid_(n)) << n;
        EXPECT_EQ(att.GetAttrColten_(n), untouched.GetAttrColten_(n)) << n;
    }
    const int32_t badIndexes[] = {-1, TgraAttribute::ColorCount};
    for (int32_t n : badIndexes) {
        att.SetAttrCol_(n, 0xFF123456u);
        EXPECT_EQ(att.GetAttrColcol_(n), att.GetBackColor());
        EXPECT_EQ(att.GetAttrColwid_(n), 0.0);
        EXPECT_EQ(att.GetAttrColten_(n), 0.1);
    }
}

TEST(GraAttMapping, PenOverloadsSetOnlyTheirFields) {
    TgraAttribute att;
    att.SetAttrCol(3, 0xFF010203u, 1.5, 2.5);
    att.SetAttrCol(3, 0xFF040506u, 3.5);
    EXPECT_EQ(att.GetAttrColten(3), 2.5);
    att.SetAttrCol(3, 0xFF070809u);
    EXPECT_EQ(att.GetAttrColwid(3), 3.5);
    att.SetAttrCol(3, 4.5, 5.5);
    EXPECT_EQ(att.GetAttrColcol(3), 0xFF070809u);
    att.SetAttrCol(3, 6.5);
    EXPECT_EQ(att.GetAttrColwid(3), 6.5);
    EXPECT_EQ(att.GetAttrColten(3), 5.5);
    EXPECT_EQ(att.GetAttrColcol(3), 0xFF070809u);
}

TEST(GraAttMapping, LineTypeNumbersReachTheirEntries) {
    const NumberEntry cases[] = {{1, 0},   {9, 8},   {11, 9},  {15, 13},
                                 {19, 17}, {31, 18}, {45, 32}, {62, 49}};
    for (const auto& c : cases) {
        TgraAttribute att;
        att.SetAttrTypamp(c.number, 4.25);
        EXPECT_EQ(att.GetAttrTypamp_(c.entry), 4.25) << c.number;
        EXPECT_EQ(att.GetAttrTypamp(c.number), 4.25) << c.number;
    }
}

TEST(GraAttMapping, LineTypeNumbersWithoutEntryChangeNothingAndGiveFallbacks) {
    const int32_t numbers[] = {-1, 0, 10, 20, 30, 63};
    TgraAttribute att;
    TgraAttribute untouched;
    const std::vector<double> pattern(32, 9.0);
    for (int32_t jn : numbers) {
        att.SetAttrTypseg(jn, 32);
        att.SetAttrTypamp(jn, 4.25);
        att.SetAttrTyppat(jn, pattern);
        EXPECT_EQ(att.GetAttrTypseg(jn), 0) << jn;
        EXPECT_EQ(att.GetAttrTypamp(jn), 0.0) << jn;
        EXPECT_EQ(att.GetAttrTyppit(jn), 0.0) << jn;
        EXPECT_EQ(att.GetAttrTyppa1(jn, 0), 0.0) << jn;
        std::vector<double> out(32, -7.0);
        EXPECT_EQ(att.GetAttrTyppat(jn, out), 0) << jn;
        EXPECT_EQ(out[0], -7.0) << jn;
    }
    for (int32_t n = 0; n < TgraAttribute::LtypeCount; ++n) {
        EXPECT_EQ(att.GetAttrTypseg_(n), untouched.GetAttrTypseg_(n)) << n;
        EXPECT_EQ(att.GetAttrTypamp_(n), untouched.GetAttrTypamp_(n)) << n;
        EXPECT_EQ(att.GetAttrTyppit_(n), untouched.GetAttrTyppit_(n)) << n;
    }
    EXPECT_EQ(att.GetAttrTypseg_(TgraAttribute::LtypeCount), 0);
    EXPECT_EQ(att.GetAttrTypseg_(-1), 0);
}

}  // namespace
}  // namespace tw
