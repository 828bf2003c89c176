// Texts with character spacing keep their length: read back by ezdxf, a
// spaced text is fitted (horizontal alignment 5) between its start and the
// end of its stored length, where our renders end it; a text without
// spacing is not.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include <tintwright/document/Fonts.h>
#include <tintwright/dxf/DxfExport.h>
#include "support/DxfCheck.h"
#include "support/TempDir.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kPen = 2, kLayer = 3;
constexpr int kFit = 5;

struct Spaced {
    std::u16string text;
    double x, y, width, spacing, degrees;
    double length;  // the stored length, by hand: cells and spacing
};

// Half-width cells and spacing are half the full ones.
const Spaced kCases[] = {
    {u"ABCD", 10, 20, 3, 1, 0, 4 * 1.5 + 3 * 0.5},
    {u"日本語", -5, 7, 4, 2, 30, 3 * 4 + 2 * 2},
    {u"A日B", 0, 0, 2, 3, 90, 1 + 2 + 1 + 1.5 + 3},
    {u"plain", 0, 40, 3, 0, 0, 5 * 1.5},
};

struct Ends {
    double x, y;
};

// The glyphs' base line stands above the box's lower edge, across it.
constexpr double kHeight = 4;
constexpr double kRise = fonts::kBaselineInCell * kHeight;

Ends BaselinePoint(const Spaced& c, double along) {
    const double angle = c.degrees * std::numbers::pi / 180;
    return {c.x + along * std::cos(angle) - kRise * std::sin(angle),
            c.y + along * std::sin(angle) + kRise * std::cos(angle)};
}

TEST(DxfSpacedTexts, AreFittedBetweenTheirStartAndTheirStoredLength) {
    TempDir dir;
    TJwwData doc;
    doc.DataDefaultSet();
    for (const Spaced& c : kCases)
        ASSERT_TRUE(doc.AddEntMoji(0, 0, kLayer, kPen, 1, 0, 0, 0, c.x, c.y, c.width, kHeight,
                                   c.spacing, c.degrees, u"ＭＳ ゴシック", c.text));
    // A text placed between two points keeps the points it was given.
    ASSERT_TRUE(doc.AddEntMoji(0, 0, kLayer, kPen, 1, 0, 0, 0, 0, -20, 50, -20, 3, kHeight, 1, 0,
                               u"ＭＳ ゴシック", u"between"));
    ForEachCheckedExport(
        doc, dir.path(), "spaced", [](const std::string&, const nlohmann::json& r) {
            const nlohmann::json& places = r["text_places"];
            ASSERT_EQ(places.size(), std::size(kCases) + 1);
            for (size_t i = 0; i < std::size(kCases); ++i) {
                const Spaced& c = kCases[i];
                const nlohmann::json& p = places[i];
                const Ends start = BaselinePoint(c, 0);
                EXPECT_NEAR(p["insert"][0].get<double>(), start.x, 1e-9) << i;
                EXPECT_NEAR(p["insert"][1].get<double>(), start.y, 1e-9) << i;
                if (c.spacing == 0) {
                    EXPECT_EQ(p["halign"], 0) << i;
                    continue;
                }
                EXPECT_EQ(p["halign"], kFit) << i;
                const Ends end = BaselinePoint(c, c.length);
                EXPECT_NEAR(p["align_point"][0].get<double>(), end.x, 1e-9) << i;
                EXPECT_NEAR(p["align_point"][1].get<double>(), end.y, 1e-9) << i;
            }
            const nlohmann::json& between = places[std::size(kCases)];
            EXPECT_EQ(between["halign"], kFit);
            EXPECT_NEAR(between["align_point"][0].get<double>(), 50, 1e-9);
            EXPECT_NEAR(between["align_point"][1].get<double>(), -20 + kRise, 1e-9);
        });
}

// A long spaced text in R12 is cut into pieces; each is fitted between its
// own cells, and the last ends where the whole text does.
TEST(DxfSpacedTexts, LongTextPiecesInR12EndWhereTheTextDoes) {
    TempDir dir;
    TJwwData doc;
    doc.DataDefaultSet();
    const std::u16string text(600, u'A');
    ASSERT_TRUE(
        doc.AddEntMoji(0, 0, kLayer, kPen, 1, 0, 0, 0, 0, 0, 2, 4, 1, 0, u"ＭＳ ゴシック", text));
    const fs::path file = dir.path() / "long.dxf";
    ASSERT_TRUE(dxf::ExportDxf(doc, file, {.version = dxf::kR12}).ok);
    const nlohmann::json r = CheckDxfFiles({file})[file.string()];
    ASSERT_TRUE(r["read"].get<bool>()) << r["errors"];
    const nlohmann::json& places = r["text_places"];
    ASSERT_GT(places.size(), 1U);
    // A cell of 1 and a spacing of 0.5 after each but the last.
    double start = 0;
    for (size_t i = 0; i < places.size(); ++i) {
        const double characters = static_cast<double>(r["texts"][i].get<std::string>().size());
        const double end = start + characters + (characters - 1) * 0.5;
        EXPECT_EQ(places[i]["halign"], kFit) << i;
        EXPECT_NEAR(places[i]["insert"][0].get<double>(), start, 1e-9) << i;
        EXPECT_NEAR(places[i]["align_point"][0].get<double>(), end, 1e-9) << i;
        start = end + 0.5;
    }
    EXPECT_NEAR(start - 0.5, 600 + 599 * 0.5, 1e-9);
}

}  // namespace
}  // namespace tw
