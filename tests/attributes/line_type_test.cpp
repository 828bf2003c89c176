// Default dash patterns, scaling, and the limits on segment counts and on
// the caller's arrays.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <span>
#include <vector>

#include <tintwright/attributes/UnitGraAtt.h>

namespace tw {
namespace {

constexpr int32_t kAllTypes[] = {1,  2,  3,  4,  5,  6,  7,  8,  9,  11, 12, 13, 14, 15, 16, 17, 18,
                                 19, 31, 32, 33, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45, 46,
                                 47, 48, 49, 50, 51, 52, 53, 54, 55, 56, 57, 58, 59, 60, 61, 62};

std::vector<double> PatternOf(const TgraAttribute& att, int32_t type) {
    std::vector<double> pat(32);
    pat.resize(att.GetAttrTyppat(type, pat));
    return pat;
}

TEST(GraAttLineType, DefaultPatterns) {
    TgraAttribute att;
    EXPECT_NEAR(att.GetAttrTyppit(2), 1.44, 1e-12);
    EXPECT_NEAR(att.GetAttrTyppit(11), 19.2, 1e-12);
    EXPECT_EQ(att.GetAttrTypseg(2), 3);
    EXPECT_NEAR(att.GetAttrTyppa1(9, 1), -3 * 0.36, 1e-15);
    EXPECT_EQ(PatternOf(att, 19), (std::vector<double>{22, -3, 22}));
    EXPECT_EQ(att.GetAttrTypseg(45), 10);
    EXPECT_EQ(att.GetAttrTyppit(45), 6 + 1.5 + 6 + 1.5 + 0.25 + 1.5 + 0.25 + 1.5 + 0.25 + 1.5);

    const std::vector<double> random12 = PatternOf(att, 12);
    ASSERT_EQ(random12.size(), 32u);
    EXPECT_EQ(random12[0], 1.2);
    EXPECT_EQ(random12[2], -1.2);
    EXPECT_EQ(random12[31], -1.2);
    EXPECT_EQ(att.GetAttrTypamp(12), 0.3);
    EXPECT_EQ(att.GetAttrTypamp(13), 0.6);
    EXPECT_EQ(att.GetAttrTypamp(2), 0.0);

    for (int32_t continuous : {1, 31, 46, 62}) {
        EXPECT_EQ(att.GetAttrTypseg(continuous), 0) << continuous;
        EXPECT_EQ(att.GetAttrTyppit(continuous), 0.0) << continuous;
    }
    for (int32_t type : kAllTypes) {
        double pit = 0;
        for (double length : PatternOf(att, type))
            pit += std::fabs(length);
        EXPECT_NEAR(att.GetAttrTyppit(type), pit, 1e-12) << type;
    }
}

TEST(GraAttLineType, ScaleMultipliesLengthsAndPitchButNotAmplitude) {
    TgraAttribute att;
    TgraAttribute original;
    att.SetAttrTypScale(2.0);
    for (int32_t type : kAllTypes) {
        EXPECT_EQ(att.GetAttrTyppit(type), 2.0 * original.GetAttrTyppit(type)) << type;
        EXPECT_EQ(att.GetAttrTypamp(type), original.GetAttrTypamp(type)) << type;
        const std::vector<double> scaled = PatternOf(att, type);
        const std::vector<double> plain = PatternOf(original, type);
        ASSERT_EQ(scaled.size(), plain.size()) << type;
        for (size_t i = 0; i < plain.size(); ++i)
            EXPECT_EQ(scaled[i], 2.0 * plain[i]) << type;
    }
}

TEST(GraAttLineType, SetPatternAndPitch) {
    TgraAttribute att;
    att.SetAttrTypseg(40, 3);
    const double pat[] = {4.0, -1.0, 2.0, 99.0};
    att.SetAttrTyppat(40, pat);
    EXPECT_EQ(PatternOf(att, 40), (std::vector<double>{4.0, -1.0, 2.0}));
    att.SetAttrTyppa1(40, 1, -3.0);
    att.SetAttrTyppa1(40, 3, 50.0);  // beyond seg: ignored
    att.SetAttrTypPit(40);
    EXPECT_EQ(att.GetAttrTyppit(40), 9.0);
    EXPECT_EQ(att.GetAttrTyppa1(40, 3), 0.0);
    EXPECT_EQ(att.GetAttrTyppa1(40, -1), 0.0);
    att.SetAttrTypseg(40, 4);  // the old fourth length was cleared by SetAttrTyppat
    EXPECT_EQ(att.GetAttrTyppa1(40, 3), 0.0);
}

TEST(GraAttLineType, SegmentCountIsLimitedToThe32Lengths) {
    TgraAttribute att;
    att.SetAttrTypseg(5, 1000);
    EXPECT_EQ(att.GetAttrTypseg(5), 32);
    std::vector<double> many(40, 1.5);
    att.SetAttrTyppat(5, many);
    att.SetAttrTypPit(5);
    EXPECT_EQ(att.GetAttrTyppit(5), 32 * 1.5);
    att.SetAttrTyppa1(5, 32, 7.0);
    EXPECT_EQ(att.GetAttrTyppa1(5, 32), 0.0);

    std::vector<double> out(40, -9.0);
    EXPECT_EQ(att.GetAttrTyppat(5, out), 32);
    EXPECT_EQ(out[31], 1.5);
    EXPECT_EQ(out[32], -9.0);

    att.SetAttrTypseg_(4, -5);
    EXPECT_EQ(att.GetAttrTypseg(5), 0);
}

TEST(GraAttLineType, ShorterCallerArrayLimitsTheCopy) {
    TgraAttribute att;
    ASSERT_EQ(att.GetAttrTypseg(7), 7);
    std::array<double, 5> out{-9, -9, -9, -9, -9};
    EXPECT_EQ(att.GetAttrTyppat(7, std::span<double>(out).first(2)), 2);
    EXPECT_NEAR(out[0], 4 * 0.36, 1e-15);
    EXPECT_NEAR(out[1], -2 * 0.36, 1e-15);
    EXPECT_EQ(out[2], -9.0);

    const double shortPattern[] = {5.0, -5.0};
    att.SetAttrTyppat(7, shortPattern);
    EXPECT_EQ(att.GetAttrTypseg(7), 7);
    std::vector<double> full(32, -9.0);
    EXPECT_EQ(att.GetAttrTyppat(7, full), 7);
    EXPECT_EQ(std::vector<double>(full.begin(), full.begin() + 7),
              (std::vector<double>{5.0, -5.0, 0, 0, 0, 0, 0}));
}

}  // namespace
}  // namespace tw
