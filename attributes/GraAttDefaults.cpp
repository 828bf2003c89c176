#include <tintwright/attributes/GraAttDefaults.h>

#include <array>
#include <string_view>

namespace tw {

namespace {

constexpr std::array<TPenDefault, 25> kPenColors{{
    {{0, 192, 192}, {0, 255, 255}},      // pen 1
    {{0, 0, 0}, {255, 255, 255}},        // pen 2
    {{0, 192, 0}, {0, 255, 0}},          // pen 3
    {{192, 192, 0}, {255, 255, 0}},      // pen 4
    {{192, 0, 192}, {192, 0, 192}},      // pen 5
    {{0, 0, 255}, {32, 32, 255}},        // pen 6
    {{0, 128, 128}, {0, 128, 128}},      // pen 7
    {{255, 0, 128}, {160, 0, 0}},        // pen 8
    {{255, 128, 255}, {192, 128, 128}},  // pen 9
    {{0, 0, 0}, {255, 255, 255}},        // colour 101
    {{255, 0, 0}, {255, 0, 0}},          // 102
    {{0, 255, 0}, {0, 255, 0}},          // 103
    {{0, 0, 255}, {0, 0, 255}},          // 104
    {{255, 255, 0}, {255, 255, 0}},      // 105
    {{255, 0, 255}, {255, 0, 255}},      // 106
    {{0, 255, 255}, {0, 255, 255}},      // 107
    {{0, 0, 0}, {255, 255, 255}},        // 108
    {{192, 0, 128}, {192, 0, 128}},      // 109
    {{192, 128, 64}, {192, 128, 64}},    // 110
    {{255, 128, 0}, {255, 128, 0}},      // 111
    {{128, 192, 128}, {128, 192, 128}},  // 112
    {{0, 128, 255}, {0, 128, 255}},      // 113
    {{128, 64, 255}, {128, 64, 255}},    // 114
    {{192, 192, 192}, {192, 192, 192}},  // 115
    {{128, 128, 128}, {128, 128, 128}},  // 116
}};

constexpr std::array<double, 9> kBasicWidths{0.1, 0.15, 0.2, 0.25, 0.3, 0.35, 0.4, 0.5, 0.01};
constexpr std::array<double, 9> kBasicTenR{0.2, 0.3, 0.4, 0.5, 0.5, 0.5, 0.5, 0.5, 0.2};

// The random line types share one pattern: digit 2 is a dash of one unit,
// digit 0 a gap of one unit.
std::vector<double> RandomPattern() {
    constexpr std::string_view digits = "22002200202200202022002200202020";
    std::vector<double> lengths;
    for (char d : digits)
        lengths.push_back(d - '1');
    return lengths;
}

std::vector<TLtypeDefault> MakeDefaultLtypes() {
    constexpr double u = 0.36;
    const std::vector<double> random = RandomPattern();
    return {
        {2, u, 0.0, {1, -2, 1}},
        {3, u, 0.0, {2, -4, 2}},
        {4, u, 0.0, {3, -2, 3}},
        {5, u, 0.0, {5, -2, 2, -2, 5}},
        {6, u, 0.0, {13, -2, 2, -2, 13}},
        {7, u, 0.0, {4, -2, 1, -2, 1, -2, 4}},
        {8, u, 0.0, {12, -2, 1, -2, 1, -2, 12}},
        {9, u, 0.0, {0.5, -3, 0.5}},
        {11, 0.6, 0.3, random},
        {12, 1.2, 0.3, random},
        {13, 1.8, 0.6, random},
        {14, 2.4, 0.6, random},
        {15, 3.0, 0.6, random},
        {16, 1.0, 0.0, {8.4, -1.2, 1.6, -1.2, 8.4}},
        {17, 1.0, 0.0, {10.6, -1.6, 1.2, -1.6, 1.2, -1.6, 10.6}},
        {18, 1.0, 0.0, {13.6, -1.6, 13.6}},
        {19, 1.0, 0.0, {22, -3, 22}},
        {32, 1.0, 0.0, {6, -1.5}},
        {33, 1.0, 0.0, {6, -6}},
        {34, 1.0, 0.0, {12, -1.5, 0.25, -1.5}},
        {35, 1.0, 0.0, {12, -1.5, 0.25, -1.5, 0.25, -1.5}},
        {36, 1.0, 0.0, {12, -1.5, 0.25, -1.5, 0.25, -1.5, 0.25, -1.5}},
        {37, 1.0, 0.0, {0.25, -1.5}},
        {38, 1.0, 0.0, {12, -1.5, 3.5, -1.5}},
        {39, 1.0, 0.0, {12, -1.5, 3.5, -1.5, 3.5, -1.5}},
        {40, 1.0, 0.0, {6, -1.5, 0.25, -1.5}},
        {41, 1.0, 0.0, {6, -1.5, 6, -1.5, 0.25, -1.5}},
        {42, 1.0, 0.0, {6, -1.5, 0.25, -1.5, 0.25, -1.5}},
        {43, 1.0, 0.0, {6, -1.5, 6, -1.5, 0.25, -1.5, 0.25, -1.5}},
        {44, 1.0, 0.0, {6, -1.5, 0.25, -1.5, 0.25, -1.5, 0.25, -1.5}},
        {45, 1.0, 0.0, {6, -1.5, 6, -1.5, 0.25, -1.5, 0.25, -1.5, 0.25, -1.5}},
    };
}

}  // namespace

std::span<const TPenDefault> DefaultPenColors() {
    return kPenColors;
}
std::span<const double> DefaultBasicWidths() {
    return kBasicWidths;
}
std::span<const double> DefaultBasicTenR() {
    return kBasicTenR;
}

const std::vector<TLtypeDefault>& DefaultLtypes() {
    static const std::vector<TLtypeDefault> ltypes = MakeDefaultLtypes();
    return ltypes;
}

}  // namespace tw
