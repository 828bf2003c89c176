// The header section: sizes and item thresholds by version, and the values
// the writer corrects on the way out.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "jww/WriterSupport.h"

namespace tw {
namespace {

using test::Ascii;
using test::Bytes;
using test::Concat;
using test::F64At;
using test::Find;
using test::I32At;
using test::Le32;
using test::Le64;

ByteBuffer Header(TJwwData& d, int32_t version, bool utf16 = false) {
    return test::Written(version, utf16,
                         [&](ArchiveWriter& ar) { jwwout::WriteHeaderSection(ar, d); });
}

class WriterHeader : public ::testing::Test {
  protected:
    void SetUp() override {
        test::SizeTables(d);
        d.Enthd.jwVer = 600;
    }
    TJwwData d;
};

// With every name empty and no entity: the extended colours and line types
// get their generated names (Color_0 .. Color_256, LType_0 .. LType_32).
TEST_F(WriterHeader, TotalSizeByVersion) {
    const struct {
        int32_t version;
        size_t size;
    } cases[] = {
        {220, 4039}, {223, 4099},  {225, 4131},  {230, 4139},  {300, 4339},
        {351, 4339}, {420, 16554}, {600, 16554}, {700, 16554},
    };
    for (const auto& c : cases) {
        const ByteBuffer h = Header(d, c.version);
        EXPECT_EQ(h.size(), c.size) << c.version;
        EXPECT_EQ(test::Slice(h, 0, 8), Ascii("JwwData.")) << c.version;
        EXPECT_EQ(I32At(h, 8), c.version) << "the output version, not jwVer";
        EXPECT_EQ(test::Slice(h, h.size() - 2, 2), Bytes({0, 0})) << "no entity";
    }
    EXPECT_EQ(Header(d, 700, true).size(), 20700u);
    EXPECT_EQ(d.Enthd.jwID, u"JwwData.");
}

TEST_F(WriterHeader, SixAndSevenDifferOnlyInTheVersionField) {
    ByteBuffer six = Header(d, 600);
    const ByteBuffer seven = Header(d, 700);
    ASSERT_EQ(six.size(), seven.size());
    six[8] = seven[8];
    six[9] = seven[9];
    EXPECT_EQ(six, seven);
}

// Offsets are fixed up to item 12 once the memo is known.
constexpr size_t kAfterEmptyMemo = 13;
constexpr size_t kFiller56 = kAfterEmptyMemo + 8 + 2368;
constexpr size_t kFiller4 = kFiller56 + 56 + 20;
constexpr size_t kItem9 = kFiller4 + 4;

TEST_F(WriterHeader, MemoLayersAndFillers) {
    d.Enthd.strMemo = u"x\r\ny";
    d.Enthd.nZumen = 4;
    d.EntLgrp[0].anGLay = 3;
    d.EntLay[1].aanLayProtect = 7;
    d.Enthd.lnSunpou1 = 2001112;
    const ByteBuffer h = Header(d, 600);
    EXPECT_EQ(test::Slice(h, 12, 5), Bytes({4, 'x', 0x0D, 0x0A, 'y'}));
    const size_t shift = 4;  // the memo's four bytes
    EXPECT_EQ(I32At(h, kAfterEmptyMemo + shift), 4);
    EXPECT_EQ(I32At(h, kAfterEmptyMemo + shift + 8), 3);
    // group 0: anGLay, anWriteLay, adScale, anGLayProtect, then layer 0 and 1
    EXPECT_EQ(I32At(h, kAfterEmptyMemo + shift + 8 + 20 + 8 + 4), 7);
    EXPECT_EQ(test::Slice(h, kFiller56 + shift, 56), ByteBuffer(56, 0x20));
    EXPECT_EQ(I32At(h, kFiller56 + shift + 56), 2001112);
    EXPECT_EQ(test::Slice(h, kFiller4 + shift, 4), ByteBuffer(4, 0x00));
}

TEST_F(WriterHeader, MaxDrawWidthIsClampedUpTo420) {
    const struct {
        int32_t stored;
        int32_t version;
        int32_t written;
    } cases[] = {
        {-150, 420, -101}, {-150, 351, -101}, {-150, 600, -150},
        {-100, 420, -100}, {-101, 220, -101},
    };
    for (const auto& c : cases) {
        d.Enthd.nMaxDrawWid = c.stored;
        EXPECT_EQ(I32At(Header(d, c.version), kItem9), c.written)
            << c.stored << " at " << c.version;
        EXPECT_EQ(d.Enthd.nMaxDrawWid, c.stored);
    }
}

// Item 27 follows nPrtKyoutsuuGray, used here as a landmark.
TEST_F(WriterHeader, PrintDpiIsFoldedIntoItem27From600) {
    const uint32_t landmark = 0x5A5A5A5Au;
    d.Enthd.nPrtKyoutsuuGray = static_cast<int32_t>(landmark);
    const struct {
        int32_t dpi;
        int32_t version;
        int32_t written;
    } cases[] = {{0, 600, 11}, {0, 700, 11}, {0, 420, 1}, {3, 600, 31}, {3, 420, 1}, {-2, 700, 11}};
    for (const auto& c : cases) {
        d.Enthd.nPrtDispOnlyNonDraw = 1;
        d.Enthd.nPrtDpi = c.dpi;
        const ByteBuffer h = Header(d, c.version);
        const size_t at = Find(h, Le32(landmark));
        ASSERT_NE(at, std::string::npos);
        EXPECT_EQ(I32At(h, at + 4), c.written) << c.dpi << " at " << c.version;
    }
    EXPECT_EQ(d.Enthd.nPrtDispOnlyNonDraw, 1);
}

// Pens follow item 20, whose last value serves as a landmark.
TEST_F(WriterHeader, PensAreClampedInTheCopy) {
    const double landmark = 98765.4321;
    d.Enthd.dRyougawaFukusenTomeDe = landmark;
    d.EntCol[0] = {0x102030, 4, 0x000000, 10, 0.5};
    d.EntCol[1] = {-1, 0, -5, 0, 0.05};
    d.EntCol[2] = {0x1000000, 17, 0x1000000, 501, 11.0};
    d.EntCol[3] = {0xFFFFFF, 16, 0xFFFFFF, 500, std::numeric_limits<double>::quiet_NaN()};
    const ByteBuffer h = Header(d, 700);
    const size_t screen = Find(h, Le64(landmark)) + 8;
    const size_t printer = screen + 80;
    const struct {
        int32_t color, width, prtColor, prtWidth;
        double radius;
    } expected[] = {
        {0x102030, 4, 0xFFFFFF, 10, 0.5},  // pen 0 always prints white
        {0, 1, 0, 1, 0.1},
        {0, 16, 0, 500, 10.0},
        {0xFFFFFF, 16, 0xFFFFFF, 500, 0.0},
    };
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(I32At(h, screen + 8 * i), expected[i].color) << i;
        EXPECT_EQ(I32At(h, screen + 8 * i + 4), expected[i].width) << i;
        EXPECT_EQ(I32At(h, printer + 16 * i), expected[i].prtColor) << i;
        EXPECT_EQ(I32At(h, printer + 16 * i + 4), expected[i].prtWidth) << i;
        if (i < 3) {
            EXPECT_EQ(F64At(h, printer + 16 * i + 8), expected[i].radius) << i;
        }
    }
    EXPECT_TRUE(std::isnan(F64At(h, printer + 16 * 3 + 8)));
    EXPECT_EQ(d.EntCol[1].anPenWidth, 0) << "the document keeps its values";
    EXPECT_EQ(d.EntCol[0].aPrtPenColor, 0);
}

TEST_F(WriterHeader, TableNamesLoseLineCodes) {
    d.EntLay[0].aStrLayName = u"\t";
    d.EntLay[1].aStrLayName = u"wall^m";
    d.EntLgrp[15].aStrGLayName = u"a\\nb";
    const ByteBuffer h = Header(d, 600);
    const size_t names = Find(h, Bytes({1, ' ', 4, 'w', 'a', 'l', 'l', 0}));
    ASSERT_NE(names, std::string::npos) << "layer 0 as one space, layer 1 stripped, layer 2 empty";
    EXPECT_NE(Find(h, Bytes({0, 0, 2, 'a', 'b'})), std::string::npos);
    EXPECT_EQ(d.EntLay[1].aStrLayName, u"wall^m");
}

TEST_F(WriterHeader, ExtendedColourNamesAndPrintColours) {
    d.EntColS[5] = {0x050505, 1, u" \t\u3000", 0x222222, 2, 0.3};
    d.EntColS[16] = {0x161616, 1, u"sixteen", 0x333333, 2, 0.3};
    d.EntColS[17] = {0x171717, 1, u"a b", 0x444444, 2, 0.3};
    d.EntColS[20] = {0xABCDEF, 1, u"  ", 0x111111, 2, 0.3};
    const ByteBuffer h = Header(d, 420);
    auto entry = [](const std::string& name, uint32_t prtColor) {
        return Concat({Bytes({static_cast<int>(name.size())}), Ascii(name), Le32(prtColor)});
    };
    EXPECT_NE(Find(h, entry("Color_5", 0x222222)), std::string::npos);
    EXPECT_NE(Find(h, entry("sixteen", 0x333333)), std::string::npos);
    EXPECT_NE(Find(h, entry("a b", 0x171717)), std::string::npos) << "above 16: the screen colour";
    EXPECT_NE(Find(h, entry("Color_20", 0xABCDEF)), std::string::npos);
    EXPECT_EQ(Find(Header(d, 351), Ascii("Color_")), std::string::npos) << "absent below 4.20";
}

TEST_F(WriterHeader, UnusableUserLineTypesBecomePlaceholders) {
    d.EntLtpS[0].astrUDLTypeName = u"first";
    d.EntLtpS[1] = {0, 4, 2, 3, u"one", 2, {5.0, 1.0}};
    d.EntLtpS[10] = {0x0F0F, 16, 2, 3, u"ten", 3, {1.0, 2.0, 3.0}};
    d.EntLtpS[20] = {0x1234, 4, 5, 6, u"mine", 3, {7.0, 7.0, 7.0}};
    d.EntLtpS[21] = {0x00FF, 16, 2, 3, u"", 4, {1.0, 1.0, 2.0, 2.0}};
    const ByteBuffer h = Header(d, 700);
    const size_t names = Find(h, Concat({Bytes({5}), Ascii("first")}));
    ASSERT_NE(names, std::string::npos);
    const size_t patterns = names - 33 * 16;
    auto pattern = [&](int i) {
        return std::vector<int32_t>{I32At(h, patterns + 16 * i), I32At(h, patterns + 16 * i + 4),
                                    I32At(h, patterns + 16 * i + 8),
                                    I32At(h, patterns + 16 * i + 12)};
    };
    EXPECT_EQ(pattern(1), (std::vector<int32_t>{-1, 4, 2, 3})) << "pattern 0 is continuous";
    EXPECT_EQ(pattern(10), (std::vector<int32_t>{0x0F0F, 16, 2, 3})) << "entries to 16 as stored";
    EXPECT_EQ(pattern(20), (std::vector<int32_t>{static_cast<int32_t>(0xC3C3C3C3), 8, 1, 8}));
    EXPECT_EQ(pattern(21), (std::vector<int32_t>{0x00FF, 16, 2, 3}));

    const ByteBuffer placeholder =
        Concat({Bytes({8}), Ascii("LType_20"), Le32(2), Le64(1.0), Le64(1.0), ByteBuffer(64, 0)});
    EXPECT_NE(Find(h, placeholder), std::string::npos);
    EXPECT_EQ(Find(h, Ascii("mine")), std::string::npos);
    EXPECT_NE(Find(h, Concat({Bytes({3}), Ascii("ten"), Le32(3), Le64(1.0), Le64(2.0)})),
              std::string::npos);
    EXPECT_NE(Find(h, Concat({Bytes({8}), Ascii("LType_21"), Le32(4)})), std::string::npos);
    EXPECT_EQ(d.EntLtpS[20].astrUDLTypeName, u"mine");
}

// Items 35 to 38 and the count are the last 382 bytes.
TEST_F(WriterHeader, TextSizesAreMagnitudesWithinLimits) {
    d.EntMoj[0].adMojiX = -2.5;
    d.EntMoj[0].adMojiY = 0.0;
    d.EntMoj[0].adMojiD = -1.0;
    d.EntMoj[1].adMojiX = std::numeric_limits<double>::infinity();
    d.EntMoj[1].adMojiY = -std::numeric_limits<double>::quiet_NaN();
    d.Enthd.dMojiSizeX = 1.0e12;
    d.Enthd.dMojiSizeY = 1.0e-11;
    d.Enthd.dMojiKankaku = -3.0;
    const ByteBuffer h = Header(d, 220);
    const size_t styles = h.size() - 382;
    EXPECT_EQ(F64At(h, styles), 2.5);
    EXPECT_EQ(F64At(h, styles + 8), 1.0e-10);
    EXPECT_EQ(F64At(h, styles + 16), -1.0) << "spacing as stored";
    EXPECT_EQ(F64At(h, styles + 28), 1.0e10);
    const double nan = F64At(h, styles + 36);
    EXPECT_TRUE(std::isnan(nan));
    EXPECT_FALSE(std::signbit(nan));
    EXPECT_EQ(F64At(h, styles + 280), 1.0e10);
    EXPECT_EQ(F64At(h, styles + 288), 1.0e-10);
    EXPECT_EQ(F64At(h, styles + 296), -3.0);
    EXPECT_EQ(d.EntMoj[0].adMojiX, -2.5);
}

TEST_F(WriterHeader, ShortTablesAreRefused) {
    d.EntColS.resize(256);
    EXPECT_THROW(Header(d, 700), WriteError);
}

}  // namespace
}  // namespace tw
