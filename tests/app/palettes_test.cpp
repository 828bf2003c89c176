// The three palette builders: the sample entries, full coverage of entries 0
// to 255 and no trace of an earlier palette.
#include <gtest/gtest.h>

#include "app/Unit1.h"
#include "tests/app/FormFixture.h"

namespace tw {
namespace {

struct Sample {
    int index;
    int r, g, b;
};

int32_t Rgb(int r, int g, int b) {
    return r + g * 256 + b * 65536;
}

void Build(TForm1& form, TPalette palette) {
    switch (palette) {
        case TPalette::Dxf:
            form.DXFColorTableSet();
            break;
        case TPalette::Mix:
            form.SXFColorTableSet();
            break;
        case TPalette::Grad:
            form.GradColorTableSet();
            break;
    }
}

struct PaletteCase {
    TPalette palette;
    std::vector<Sample> samples;
};

class PaletteSamples : public ::testing::TestWithParam<PaletteCase> {};

TEST_P(PaletteSamples, EntriesHaveTheirColours) {
    FakeUi ui;
    TForm1 form(ui);
    Build(form, GetParam().palette);
    for (const Sample& s : GetParam().samples) {
        EXPECT_EQ(form.DXFColorMap[s.index], Rgb(s.r, s.g, s.b)) << "entry " << s.index;
    }
}

INSTANTIATE_TEST_SUITE_P(
    AllPalettes, PaletteSamples,
    ::testing::Values(PaletteCase{TPalette::Dxf,
                                  {{0, 0, 0, 0},
                                   {1, 255, 0, 0},
                                   {7, 255, 255, 255},
                                   {9, 192, 192, 192},
                                   {10, 255, 0, 0},
                                   {19, 38, 19, 19},
                                   {20, 255, 63, 0},
                                   {21, 255, 159, 127},
                                   {22, 165, 41, 0},
                                   {23, 165, 103, 82},
                                   {28, 38, 9, 0},
                                   {29, 38, 23,
                                    19},  // the table, not a rounding: 159 at step 4 is 23
                                   {130, 0, 255, 255},
                                   {135, 63, 127, 127},
                                   {249, 38, 19, 23},
                                   {250, 0, 0, 0},
                                   {251, 45, 45, 45},
                                   {254, 183, 183, 183},
                                   {255, 179, 179, 179}}},
                      PaletteCase{TPalette::Mix,
                                  {{0, 0, 0, 0},
                                   {8, 192, 0, 128},
                                   {15, 128, 128, 128},
                                   {16, 23, 23, 23},
                                   {17, 23, 23, 65},
                                   {22, 23, 65, 23},
                                   {52, 65, 23, 23},
                                   {67, 65, 107, 149},
                                   {231, 233, 233, 233},
                                   {232, 12, 12, 12},
                                   {255, 242, 242, 242}}},
                      PaletteCase{TPalette::Grad,
                                  {{0, 0, 0, 0},
                                   {13, 128, 64, 255},
                                   {16, 8, 8, 8},
                                   {31, 248, 248, 248},
                                   {32, 248, 0, 0},
                                   {47, 8, 0, 0},
                                   {80, 248, 248, 0},
                                   {128, 248, 124, 160},
                                   {143, 38, 4, 160},
                                   {208, 124, 248, 124},
                                   {240, 160, 124, 248},
                                   {255, 160, 4, 38}}}));

// Every builder writes all of 0 to 255 and leaves entry 256 alone, so what
// an earlier palette wrote cannot survive.
TEST(Palettes, EachBuilderWritesEveryEntryAndNothingBeyond) {
    constexpr int32_t kMarker = 0x7F7F7F7F;  // no packed colour has this value
    for (TPalette palette : {TPalette::Dxf, TPalette::Mix, TPalette::Grad}) {
        FakeUi ui;
        TForm1 form(ui);
        form.DXFColorMap.fill(kMarker);
        Build(form, palette);
        for (int i = 0; i < 256; ++i) {
            ASSERT_NE(form.DXFColorMap[i], kMarker) << "entry " << i;
            ASSERT_EQ(form.DXFColorMap[i] & ~0xFFFFFF, 0) << "entry " << i;
        }
        EXPECT_EQ(form.DXFColorMap[256], kMarker);
    }
}

TEST(Palettes, SwitchingLeavesNoTraceOfTheEarlierPalette) {
    for (TPalette first : {TPalette::Dxf, TPalette::Mix, TPalette::Grad}) {
        for (TPalette second : {TPalette::Dxf, TPalette::Mix, TPalette::Grad}) {
            FakeUi ui;
            TForm1 fresh(ui);
            Build(fresh, second);
            TForm1 reused(ui);
            Build(reused, first);
            Build(reused, second);
            EXPECT_EQ(reused.DXFColorMap, fresh.DXFColorMap);
        }
    }
}

// The DXF hue groups: full entries keep the base levels at step 0 and all
// channels fall with the brightness step; pale entries are never darker.
TEST(Palettes, DxfHueGroupsDarkenStepByStep) {
    FakeUi ui;
    TForm1 form(ui);
    form.DXFColorTableSet();
    auto channel = [&](int entry, int shift) { return (form.DXFColorMap[entry] >> shift) & 0xFF; };
    for (int h = 0; h < 24; ++h) {
        for (int k = 1; k < 5; ++k) {
            for (int p = 0; p < 2; ++p) {
                const int entry = 10 + 10 * h + 2 * k + p;
                for (int shift : {0, 8, 16}) {
                    EXPECT_LE(channel(entry, shift), channel(entry - 2, shift)) << entry;
                    if (p == 1) {
                        EXPECT_GE(channel(entry, shift), channel(entry - 1, shift));
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace tw
