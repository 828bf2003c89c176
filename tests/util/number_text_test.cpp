// The number writers without std::to_chars print what std::to_chars prints,
// so that DXF and SVG files are the same from the page and the command line.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "util/NumberText.h"

namespace tw {
namespace {

std::string Shortest(double v) {
    char text[64];
    return std::string(text, WriteShortestPortable(text, text + sizeof text, v));
}

std::string Fixed3(double v) {
    char text[400];
    return std::string(text, WriteFixedPortable(text, text + sizeof text, v, 3));
}

template <class... Args>
std::string Library(double v, Args... args) {
    char text[400];
    return std::string(text, std::to_chars(text, text + sizeof text, v, args...).ptr);
}

TEST(NumberText, PortableWritersMatchToCharsOnChosenValues) {
    const double values[] = {0.0,
                             -0.0,
                             1.0,
                             -1.0,
                             0.1,
                             1e-5,
                             1e5,
                             123456.0,
                             1e16,
                             1e22,
                             0.30000000000000004,
                             297.0,
                             210.0 / 3,
                             std::acos(-1.0),
                             5e-324,
                             std::numeric_limits<double>::max(),
                             1e21,
                             1234567890123456789.0,
                             0.0005,
                             -0.0004999,
                             2.5e-3,
                             1e-7};
    for (double v : values) {
        EXPECT_EQ(Shortest(v), Library(v)) << v;
        EXPECT_EQ(Fixed3(v), Library(v, std::chars_format::fixed, 3)) << v;
    }
}

TEST(NumberText, PortableShortestMatchesToCharsOnRandomValues) {
    std::mt19937_64 random(24);
    std::uniform_real_distribution<double> coordinate(-1e5, 1e5);
    std::uniform_int_distribution<int> scale(-30, 30);
    for (int i = 0; i < 100000; ++i) {
        const double v = coordinate(random) * std::pow(10.0, scale(random));
        ASSERT_EQ(Shortest(v), Library(v)) << v;
    }
}

}  // namespace
}  // namespace tw
