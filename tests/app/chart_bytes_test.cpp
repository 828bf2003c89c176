// The chart file, byte for byte, for every palette, format version and text
// code, against an encoder written here straight from the file layout. It
// shares nothing with the program's writer (no record descriptions, no
// archive code, no document) and nothing with its palettes and tables: the
// expected bytes come from the layout and the values of the chart alone.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "tests/app/FormFixture.h"
#include "tests/support/ByteDiff.h"

namespace tw {
namespace {

// ---- Byte stream ---------------------------------------------------------

class Encoder {
  public:
    Encoder(int version, bool utf16) : v_(version), utf16_(utf16) {}

    int V() const { return v_; }
    const std::vector<uint8_t>& Bytes() const { return out_; }

    void U8(uint32_t x) { out_.push_back(static_cast<uint8_t>(x)); }
    void U16(uint32_t x) {
        U8(x);
        U8(x >> 8);
    }
    void I32(int64_t x) {
        const auto u = static_cast<uint32_t>(x);
        U16(u);
        U16(u >> 16);
    }
    void F64(double d) {
        const auto u = std::bit_cast<uint64_t>(d);
        I32(static_cast<uint32_t>(u));
        I32(static_cast<uint32_t>(u >> 32));
    }
    void Fill(uint8_t value, int n) { out_.insert(out_.end(), n, value); }
    void Raw(const std::string& s) { out_.insert(out_.end(), s.begin(), s.end()); }

    // A text given as its code page 932 bytes and its UTF-16 code units.
    // Every text of the chart is shorter than 255 in both forms.
    void Text(const std::vector<uint8_t>& sjis, const std::u16string& wide) {
        if (utf16_) {
            Fill(0xFF, 1);
            U16(0xFFFE);
            U8(wide.size());
            for (char16_t c : wide)
                U16(c);
        } else {
            U8(sjis.size());
            out_.insert(out_.end(), sjis.begin(), sjis.end());
        }
    }
    void Ascii(const std::string& s) {
        Text(std::vector<uint8_t>(s.begin(), s.end()), std::u16string(s.begin(), s.end()));
    }

  private:
    int v_;
    bool utf16_;
    std::vector<uint8_t> out_;
};

// ---- The palettes, from their definitions ---------------------------------

struct Colour {
    int r, g, b;
    int32_t Packed() const { return r | g << 8 | b << 16; }
};

const std::array<Colour, 16> kSixteen{{{0, 0, 0},
                                       {255, 0, 0},
                                       {0, 255, 0},
                                       {0, 0, 255},
                                       {255, 255, 0},
                                       {255, 0, 255},
                                       {0, 255, 255},
                                       {255, 255, 255},
                                       {192, 0, 128},
                                       {192, 128, 64},
                                       {255, 128, 0},
                                       {128, 192, 128},
                                       {0, 128, 255},
                                       {128, 64, 255},
                                       {192, 192, 192},
                                       {128, 128, 128}}};

std::vector<Colour> DxfPalette() {
    std::vector<Colour> p{{0, 0, 0},       {255, 0, 0},    {255, 255, 0}, {0, 255, 0},
                          {0, 255, 255},   {0, 0, 255},    {255, 0, 255}, {255, 255, 255},
                          {128, 128, 128}, {192, 192, 192}};
    // Channel value by level, one column per brightness step.
    const std::map<int, std::array<int, 5>> byLevel{
        {0, {0, 0, 0, 0, 0}},          {63, {63, 41, 31, 19, 9}},
        {127, {127, 82, 63, 38, 19}},  {159, {159, 103, 79, 47, 23}},
        {191, {191, 124, 95, 57, 28}}, {223, {223, 145, 111, 66, 33}},
        {255, {255, 165, 127, 76, 38}}};
    // The hue circle: red up to 255 rising green, then falling red, ...
    const int ramp[] = {0, 63, 127, 191, 255};
    std::vector<Colour> hues;
    for (int s : ramp)
        hues.push_back({255, s, 0});  // 0-4
    for (int s : {191, 127, 63, 0})
        hues.push_back({s, 255, 0});  // 5-8
    for (int s : {63, 127, 191, 255})
        hues.push_back({0, 255, s});  // 9-12
    for (int s : {191, 127, 63, 0})
        hues.push_back({0, s, 255});  // 13-16
    for (int s : {63, 127, 191, 255})
        hues.push_back({s, 0, 255});  // 17-20
    for (int s : {191, 127, 63})
        hues.push_back({255, 0, s});  // 21-23
    EXPECT_EQ(hues.size(), 24u);
    for (const Colour& base : hues) {
        for (int k = 0; k < 5; ++k) {
            p.push_back({byLevel.at(base.r)[k], byLevel.at(base.g)[k], byLevel.at(base.b)[k]});
            auto pale = [&](int level) { return byLevel.at((255 + level) / 2)[k]; };
            p.push_back({pale(base.r), pale(base.g), pale(base.b)});
        }
    }
    for (int grey : {0, 45, 91, 137, 183, 179})
        p.push_back({grey, grey, grey});
    return p;
}

std::vector<Colour> MixPalette() {
    std::vector<Colour> p(kSixteen.begin(), kSixteen.end());
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                p.push_back({23 + 42 * r, 23 + 42 * g, 23 + 42 * b});
    for (int v = 12; v <= 242; v += 10)
        p.push_back({v, v, v});
    return p;
}

std::vector<Colour> GradPalette() {
    std::vector<Colour> p(kSixteen.begin(), kSixteen.end());
    p.resize(256);
    for (int i = 0; i < 16; ++i) {
        const int a = 8 + 16 * i, A = 248 - 16 * i, B = 248 - 14 * i, C = 124 - 8 * i;
        const Colour ramps[15] = {{a, a, a},   {A, 0, 0},   {0, A, 0},   {0, 0, A},   {A, A, 0},
                                  {A, 0, A},   {0, A, A},   {B, C, 160}, {B, 160, C}, {B, C, C},
                                  {C, B, 160}, {160, B, C}, {C, B, C},   {C, 160, B}, {160, C, B}};
        for (int ramp = 0; ramp < 15; ++ramp)
            p[16 + 16 * ramp + i] = ramps[ramp];
    }
    return p;
}

std::vector<Colour> PaletteOf(TPalette palette) {
    switch (palette) {
        case TPalette::Dxf:
            return DxfPalette();
        case TPalette::Mix:
            return MixPalette();
        case TPalette::Grad:
            return GradPalette();
    }
    return {};
}

// ---- The chart file ---------------------------------------------------------

const std::vector<uint8_t> kMemoSjis{0x90, 0x46, 0x90, 0xDD, 0x92, 0xE8, 0x83, 0x65, 0x83,
                                     0x58, 0x83, 0x67, 0x83, 0x66, 0x81, 0x5B, 0x83, 0x5E};
const std::u16string kMemoWide = u"\u8272\u8a2d\u5b9a\u30c6\u30b9\u30c8\u30c7\u30fc\u30bf";

void Header(Encoder& e, const std::vector<Colour>& palette) {
    const int V = e.V();
    e.Raw("JwwData.");
    e.I32(V);
    e.Text(kMemoSjis, kMemoWide);
    e.I32(4);  // A4
    e.I32(0);
    for (int g = 0; g < 16; ++g) {
        e.I32(g == 0 ? 3 : 2);
        e.I32(0);
        e.F64(1.0);
        e.I32(0);
        for (int l = 0; l < 16; ++l) {
            e.I32(l == 0 ? 3 : 2);
            e.I32(0);
        }
    }
    e.Fill(0x20, 56);
    for (int32_t x : {2001112, 5, 50150030, 10000000, 4100})
        e.I32(x);
    e.Fill(0x00, 4);
    e.I32(V <= 420 ? -101 : -300);
    for (double d : {0.0, 0.0, 1.0})
        e.F64(d);
    e.I32(0);
    e.I32(0);
    for (double d : {15.0, 5.0, 5.0, 0.0, 0.0})
        e.F64(d);
    for (int i = 0; i < 256 + 16; ++i)
        e.Ascii("");  // layer and group names
    e.F64(1.5);
    e.F64(36.0);
    e.I32(0);
    e.F64(0.0);
    if (V >= 300) {
        e.F64(0.0);
        e.F64(100.0);
    }
    e.I32(0);
    for (double d : {1.0, 0.0, 0.0, 1.0, 0.0, 0.0})
        e.F64(d);
    if (V > 230) {
        for (int i = 0; i < 8; ++i) {
            e.F64(1.0);
            e.F64(0.0);
            e.F64(0.0);
            e.I32(-1);
        }
        for (double d : {0.0, 0.0, 0.0})
            e.F64(d);
        e.I32(0);
        for (double d : {0.0, 0.0, 0.0})
            e.F64(d);
        e.I32(1);
    } else {
        for (int i = 0; i < 4; ++i) {
            e.F64(1.0);
            e.F64(0.0);
            e.F64(0.0);
        }
    }
    for (int i = 1; i <= 10; ++i)
        e.F64(50.0 * i);
    e.F64(0.0);

    struct Pen {
        Colour screen;
        int width;
        Colour print;
        int printWidth;
        double radius;
    };
    const Pen pens[10] = {{{255, 255, 255}, 1, {255, 255, 255}, 1, 1.0},
                          {{0, 192, 192}, 1, {0, 255, 255}, 8, 0.2},
                          {{0, 0, 0}, 1, {0, 0, 0}, 17, 0.3},
                          {{0, 192, 0}, 1, {0, 255, 0}, 25, 0.4},
                          {{192, 192, 0}, 1, {255, 255, 0}, 34, 0.5},
                          {{192, 0, 192}, 1, {255, 0, 255}, 42, 0.5},
                          {{0, 0, 255}, 2, {0, 0, 255}, 51, 0.5},
                          {{0, 128, 128}, 3, {0, 128, 128}, 59, 0.5},
                          {{255, 0, 128}, 5, {255, 0, 0}, 68, 0.5},
                          {{192, 192, 192}, 1, {128, 128, 128}, 1, 1.0}};
    for (const Pen& p : pens) {
        e.I32(p.screen.Packed());
        e.I32(p.width);
    }
    for (const Pen& p : pens) {
        e.I32(p.print.Packed());
        e.I32(p.printWidth);
        e.F64(p.radius);
    }
    for (uint32_t pattern : {0x99999999u, 0xC3C3C3C3u, 0xE7E7E7E7u, 0xF99FF99Fu, 0xFFF99FFFu,
                             0xF24FF24Fu, 0xFFF24FFFu, 0x22222222u}) {
        const int dot = pattern == 0x99999999u || pattern == 0x22222222u   ? 4
                        : pattern == 0xC3C3C3C3u || pattern == 0xE7E7E7E7u ? 8
                        : pattern == 0xF99FF99Fu || pattern == 0xF24FF24Fu ? 16
                                                                           : 32;
        e.I32(pattern);
        e.I32(dot);
        e.I32(1);
        e.I32(10);
    }
    for (int i = 0; i < 5; ++i) {
        e.I32(0xCCB2B32A);
        e.I32(i < 2 ? 1 : 2);
        e.I32(3 + i);
        e.I32(i < 2 ? 1 : 2);
        e.I32(5 + 5 * i);
    }
    for (uint32_t pattern : {0xFFF99FFFu, 0xFFF24FFFu, 0xFFFE7FFFu}) {
        e.I32(pattern);
        e.I32(32);
        e.I32(2);
        e.I32(20);
    }
    e.I32(0xFFFE7FFF);
    e.I32(32);
    e.I32(4);
    e.I32(40);
    // Screen and printer point drawing on, reverse drawing and searching
    // off, colour, layer-order and colour-order printing on.
    for (int32_t x : {1, 1, 0, 0, 0, 1, 1, 1, 0, 0})
        e.I32(x);
    e.I32(V >= 600 ? 10 : 0);  // printer resolution 1 carried in tens
    if (V >= 223) {
        for (int32_t x : {0, 0, -4500, -4500, -4500})
            e.I32(x);
        e.F64(2000.0);
        e.F64(1000000.0);
        e.F64(1000000.0);
        e.F64(1000000.0);
        e.F64(std::bit_cast<double>(0x4041A1D785686A66ull));
    }
    if (V >= 225)
        for (int i = 0; i < 4; ++i)
            e.F64(0.0);
    if (V >= 230) {
        e.I32(10);
        e.I32(0xC0C0C0);
    }
    if (V >= 420) {
        // Extended colours 0 to 256: 0 and 1 both show palette entry 0,
        // white is drawn black.
        auto colourOf = [&](int i) {
            const int32_t c = palette[i == 0 ? 0 : i - 1].Packed();
            return c == 0xFFFFFF ? 0 : c;
        };
        for (int i = 0; i <= 256; ++i) {
            e.I32(colourOf(i));
            e.I32(18);
        }
        for (int i = 0; i <= 256; ++i) {
            e.Ascii("COLOR_" + std::to_string(i));
            e.I32(colourOf(i));
            e.I32(18);
            e.F64(0.18);
        }
        struct LineType {
            std::string name;
            uint32_t pattern;
            int dot, printPitch;
            std::vector<double> pitches;
        };
        const std::vector<LineType> types{
            {"Ltype_0", 0xFFFFFFFF, 32, 10, {}},
            {"continuous", 0xFFFFFFFF, 32, 10, {}},
            {"dashed", 0xFE3FFE3F, 16, 15, {6, 1.5}},
            {"dashed spaced", 0xF00FF00F, 16, 24, {6, 6}},
            {"long dashed dotted", 0xFFFBBFFF, 32, 15, {12, 1.5, 0.25, 1.5}},
            {"long dashed double-dotted", 0xFFEEEFFF, 32, 17, {12, 1.5, 0.25, 1.5, 0.25, 1.5}},
            {"long dashed triplicate-dotted",
             0xFFBBBBFF,
             32,
             19,
             {12, 1.5, 0.25, 1.5, 0.25, 1.5, 0.25, 1.5}},
            {"dotted", 0x10101010, 8, 7, {0.25, 1.5}},
            {"chain", 0xFFFDBFFF, 32, 19, {12, 1.5, 3.5, 1.5}},
            {"chain double dash", 0xFFF6DFFF, 32, 24, {12, 1.5, 3.5, 1.5, 3.5, 1.5}},
            {"dashed dotted", 0xFFE083FF, 32, 9, {6, 1.5, 0.25, 1.5}},
            {"double-dashed dotted", 0xFC7FF11F, 32, 17, {6, 1.5, 6, 1.5, 0.25, 1.5}},
            {"dashed double-dotted", 0xFF8421FF, 32, 11, {6, 1.5, 0.25, 1.5, 0.25, 1.5}},
            {"double-dashed double-dotted",
             0xF8FF888F,
             32,
             19,
             {6, 1.5, 6, 1.5, 0.25, 1.5, 0.25, 1.5}},
            {"dashed triplicate-dotted",
             0xFE10843F,
             32,
             13,
             {6, 1.5, 0.25, 1.5, 0.25, 1.5, 0.25, 1.5}},
            {"double-dashed triplicate-dotted",
             0xF9FF249F,
             32,
             20,
             {6, 1.5, 6, 1.5, 0.25, 1.5, 0.25, 1.5, 0.25, 1.5}},
            {"undefined", 0xFFFFFFFF, 32, 10, {}},
        };
        auto typeAt = [&](int i) {
            return i <= 16 ? types[i]
                           : LineType{"LType_" + std::to_string(i), 0xC3C3C3C3, 8, 48, {6, 6}};
        };
        for (int i = 0; i <= 32; ++i) {
            const LineType t = typeAt(i);
            e.I32(t.pattern);
            e.I32(t.dot);
            e.I32(1);
            e.I32(t.printPitch);
        }
        for (int i = 0; i <= 32; ++i) {
            const LineType t = typeAt(i);
            e.Ascii(t.name);
            e.I32(t.pitches.size());
            for (size_t k = 0; k < 10; ++k)
                e.F64(k < t.pitches.size() ? t.pitches[k] : 0.0);
        }
    }
    const double sizes[10] = {2, 2.5, 3, 4, 5, 6, 7, 8, 9, 10};
    for (int i = 0; i < 10; ++i) {
        e.F64(sizes[i]);
        e.F64(sizes[i]);
        e.F64(i < 2 ? 0.0 : i < 5 ? 0.5 : 1.0);
        e.I32(1 + i / 2);
    }
    e.F64(3.0);
    e.F64(3.0);
    e.F64(0.5);
    e.I32(2);
    e.I32(3);
    e.F64(0.0);
    e.F64(0.0);
    e.I32(0);
    for (double d : {-1.0, 0.0, 0.0, -1.0, 0.0, 1.0})
        e.F64(d);
    e.U16(268);
}

// Pen numbers as files older than 4.20 know them: the first sixteen extended
// colours fold onto the basic pens, the rest onto pen 1.
int OldPen(int pen) {
    static const int kFold[16] = {2, 8, 3, 6, 4, 5, 1, 2, 5, 8, 4, 3, 6, 5, 2, 2};
    if (pen < 101) return pen;
    return pen <= 116 ? kFold[pen - 101] : 1;
}

void Line(Encoder& e, bool first, int pen, int width, int layer, double x1, double y1, double x2,
          double y2) {
    const int V = e.V();
    if (first) {
        e.U16(0xFFFF);
        e.U16(V);
        e.U16(8);
        e.Raw("CDataSen");
    } else {
        e.U16(0x8001);
    }
    e.I32(0);
    e.U8(1);
    e.U16(V < 420 ? OldPen(pen) : pen);
    if (V >= 351) e.U16(width);
    e.U16(layer);
    e.U16(0);
    e.U16(0);
    e.F64(x1);
    e.F64(y1);
    e.F64(x2);
    e.F64(y2);
}

std::vector<uint8_t> ExpectedChart(TPalette palette, int version, bool utf16) {
    Encoder e(version, utf16);
    Header(e, PaletteOf(palette));
    const double corners[5][2] = {
        {-148.5, 105}, {148.5, 105}, {148.5, -105}, {-148.5, -105}, {-148.5, 105}};
    for (int i = 0; i < 4; ++i) {
        Line(e, i == 0, 6, 0, 0, corners[i][0], corners[i][1], corners[i + 1][0],
             corners[i + 1][1]);
    }
    for (int pen = 1; pen <= 8; ++pen) {
        const double y = 95 - 10 * pen;
        Line(e, false, pen, 400, 1, -60, y, -50, y);
    }
    for (int pen = 101; pen <= 356; ++pen) {
        const int column = (pen - 101) / 16, row = (pen - 101) % 16;
        const double x = -40 + 10 * column, y = 85 - 10 * row;
        Line(e, false, pen, 400, 1, x, y, x + 5, y);
    }
    e.U16(0);                      // no block definitions
    if (version >= 700) e.I32(0);  // no images
    return e.Bytes();
}

using ChartBytes = FormTest;

TEST_F(ChartBytes, EveryPaletteVersionAndTextCode) {
    ForEveryChart([](const std::filesystem::path& file, TPalette palette, int version, bool utf16) {
        const std::vector<uint8_t> got = ReadBytes(file);
        const std::vector<uint8_t> want = ExpectedChart(palette, version, utf16);
        EXPECT_TRUE(got == want) << test::FirstDifference(got, want);
    });
}

// The encoder itself against the block sizes of the layout: magic, version
// and memo 31 bytes; settings up to the scale marks 2532; 272 empty names;
// from the shadow settings on 1140 (version 3.00 and later); text settings
// 380; the entity count 2. From 4.20 on the extended colours (2056 + 6572)
// and line types (528 + 3213) join.
TEST(ChartEncoder, HeaderFollowsTheLayoutsBlockSizes) {
    for (int version : {300, 351, 420}) {
        Encoder e(version, false);
        Header(e, DxfPalette());
        const size_t base = 31 + 2532 + 272 + 1140 + 380 + 2;
        EXPECT_EQ(e.Bytes().size(), version < 420 ? base : base + 2056 + 6572 + 528 + 3213);
    }
    EXPECT_EQ(DxfPalette().size(), 256u);
    EXPECT_EQ(MixPalette().size(), 256u);
    EXPECT_EQ(GradPalette().size(), 256u);
}

}  // namespace
}  // namespace tw
