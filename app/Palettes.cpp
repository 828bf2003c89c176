// The three 256-colour palettes of the chart. Each builder writes entries 0 to
// 255 of DXFColorMap exactly once, so no trace of an earlier palette is left.
#include <array>

#include <tintwright/util/Func_2.h>
#include "app/Unit1.h"

namespace tw {

namespace {

struct Rgb {
    int32_t r, g, b;
};

int32_t Pack(const Rgb& c) {
    return PackRGB(c.r, c.g, c.b);
}

// "AutoCAD-DXF風Color".

constexpr std::array<Rgb, 10> kDxfBasic{{{0, 0, 0},
                                         {255, 0, 0},
                                         {255, 255, 0},
                                         {0, 255, 0},
                                         {0, 255, 255},
                                         {0, 0, 255},
                                         {255, 0, 255},
                                         {255, 255, 255},
                                         {128, 128, 128},
                                         {192, 192, 192}}};

// Base levels of the 24 hue groups.
constexpr std::array<Rgb, 24> kDxfHues{
    {{255, 0, 0},   {255, 63, 0},  {255, 127, 0}, {255, 191, 0}, {255, 255, 0}, {191, 255, 0},
     {127, 255, 0}, {63, 255, 0},  {0, 255, 0},   {0, 255, 63},  {0, 255, 127}, {0, 255, 191},
     {0, 255, 255}, {0, 191, 255}, {0, 127, 255}, {0, 63, 255},  {0, 0, 255},   {63, 0, 255},
     {127, 0, 255}, {191, 0, 255}, {255, 0, 255}, {255, 0, 191}, {255, 0, 127}, {255, 0, 63}}};

// Channel value by level and brightness step. The values are the data, not a
// rounding of a formula (159 at step 4 gives 23, not 24).
struct LevelRow {
    int32_t level;
    std::array<int32_t, 5> byStep;
};
constexpr std::array<LevelRow, 7> kDxfLevels{{{0, {0, 0, 0, 0, 0}},
                                              {63, {63, 41, 31, 19, 9}},
                                              {127, {127, 82, 63, 38, 19}},
                                              {159, {159, 103, 79, 47, 23}},
                                              {191, {191, 124, 95, 57, 28}},
                                              {223, {223, 145, 111, 66, 33}},
                                              {255, {255, 165, 127, 76, 38}}}};

// The last grey is darker than the one before it.
constexpr std::array<int32_t, 6> kDxfGreys{0, 45, 91, 137, 183, 179};

int32_t DxfChannel(int32_t base, int32_t step, bool pale) {
    const int32_t level = pale ? (255 + base) / 2 : base;
    for (const LevelRow& row : kDxfLevels) {
        if (row.level == level) return row.byStep[step];
    }
    return 0;  // unreachable: every base and pale level is in the table
}

// Sixteen base colours that open "Mix Color" and "Grad Color".
constexpr std::array<Rgb, 16> kBaseColours{{{0, 0, 0},
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

void SetBaseColours(std::array<int32_t, 257>& map) {
    for (size_t i = 0; i < kBaseColours.size(); ++i)
        map[i] = Pack(kBaseColours[i]);
}

}  // namespace

void TForm1::DXFColorTableSet() {
    for (size_t i = 0; i < kDxfBasic.size(); ++i)
        DXFColorMap[i] = Pack(kDxfBasic[i]);

    for (int32_t h = 0; h < 24; ++h) {
        const Rgb& base = kDxfHues[h];
        for (int32_t k = 0; k < 5; ++k) {
            for (int32_t p = 0; p < 2; ++p) {
                const bool pale = p == 1;
                DXFColorMap[10 + 10 * h + 2 * k + p] =
                    PackRGB(DxfChannel(base.r, k, pale), DxfChannel(base.g, k, pale),
                            DxfChannel(base.b, k, pale));
            }
        }
    }

    for (size_t j = 0; j < kDxfGreys.size(); ++j) {
        const int32_t v = kDxfGreys[j];
        DXFColorMap[250 + j] = PackRGB(v, v, v);
    }
}

void TForm1::SXFColorTableSet() {
    SetBaseColours(DXFColorMap);

    // A 6 x 6 x 6 cube, red slowest, blue fastest.
    for (int32_t R = 0; R < 6; ++R) {
        for (int32_t G = 0; G < 6; ++G) {
            for (int32_t B = 0; B < 6; ++B) {
                DXFColorMap[16 + 36 * R + 6 * G + B] =
                    PackRGB(42 * R + 23, 42 * G + 23, 42 * B + 23);
            }
        }
    }

    for (int32_t j = 1; j <= 24; ++j) {
        const int32_t v = 10 * j + 2;
        DXFColorMap[231 + j] = PackRGB(v, v, v);
    }
}

void TForm1::GradColorTableSet() {
    SetBaseColours(DXFColorMap);

    for (int32_t i = 0; i < 16; ++i) {
        const int32_t a = 16 * i + 8;
        const int32_t A = 256 - a;
        const int32_t B = 248 - 14 * i;
        const int32_t C = 124 - 8 * i;
        // Ramp 0 grows lighter with i, the others darker.
        const std::array<Rgb, 15> ramps{{{a, a, a},
                                         {A, 0, 0},
                                         {0, A, 0},
                                         {0, 0, A},
                                         {A, A, 0},
                                         {A, 0, A},
                                         {0, A, A},
                                         {B, C, 160},
                                         {B, 160, C},
                                         {B, C, C},
                                         {C, B, 160},
                                         {160, B, C},
                                         {C, B, C},
                                         {C, 160, B},
                                         {160, C, B}}};
        for (size_t ramp = 0; ramp < ramps.size(); ++ramp) {
            DXFColorMap[16 * ramp + 16 + i] = Pack(ramps[ramp]);
        }
    }
}

}  // namespace tw
