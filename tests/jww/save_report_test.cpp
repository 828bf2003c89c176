// What a save reports as dropped or replaced, by kind, for small drawings
// that each lose one thing in a version or text code; and a strict save,
// which writes nothing when anything would be lost.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>

#include <tintwright/document/JwwUnit.h>
#include "support/SavedAgain.h"
#include "support/TempDir.h"

namespace tw::test {
namespace {

const std::u16string kFont = u"MS Gothic";

void Line(TJwwData& d, int32_t color, int32_t type, int32_t width) {
    ASSERT_TRUE(d.AddEntLine(0, 0, 0, color, type, width, 0, 0, 0, 10, 0));
}

void Text(TJwwData& d, const std::u16string& s) {
    ASSERT_TRUE(d.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 3, 3, 0, 0, kFont, s));
}

void SxfDimension(TJwwData& d) {
    ASSERT_TRUE(d.AddEntSunpo(0, 0, 4, 1, 1, 0, 0, 0, -30, 100, -30, 2, 2, 0, 0, 0, 48, -29, 52,
                              -29, 2, 2, 0, 0, kFont, u"100",      //
                              1, 3, 2, 0, 0, 0, -31, 0, -40,       // Ho1
                              1, 3, 2, 0, 0, 100, -31, 100, -40,   // Ho2
                              1, 4, 3, 0, 0, 1, 2, 5, 0, 0, 0, 1,  // Te1, Te2
                              1, 5, -1, 0, 0, 0, -40, 1, 1, 5, -1, 0, 0, 100, -40, 1));
}

void UnusedDefinition(TJwwData& d) {
    ASSERT_TRUE(d.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 1, u"unused"));
    ASSERT_TRUE(d.AddBlkLine(0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 10, 0));
    d.AddBlkDefPost(0);
}

void ListedImage(TJwwData& d) {
    d.BindImage.push_back({u"plan.png", 10});
    d.BindImageN = 1;
}

struct LossCase {
    const char* name;
    std::function<void(TJwwData&)> build;
    int32_t version;
    bool utf16;
    std::map<SaveLoss, int64_t> expected;  // kinds not named: 0
};

const LossCase kCases[] = {
    {"a plain line in 7.00", [](TJwwData& d) { Line(d, 2, 1, 0); }, 700, false, {}},
    {"tables and settings in 2.20",
     [](TJwwData& d) { Line(d, 2, 1, 0); },
     220,
     false,
     {{SaveLoss::SxfTables, 1}, {SaveLoss::Settings, 6}}},
    {"the SXF tables in 3.51",
     [](TJwwData&) {},
     351,
     false,
     {{SaveLoss::SxfTables, 1}, {SaveLoss::Settings, 1}}},
    {"an SXF colour in 3.51",
     [](TJwwData& d) { Line(d, 120, 1, 0); },
     351,
     false,
     {{SaveLoss::SxfTables, 1}, {SaveLoss::Settings, 1}, {SaveLoss::PenColors, 1}}},
    {"an SXF colour in 4.20",
     [](TJwwData& d) { Line(d, 120, 1, 0); },
     420,
     false,
     {{SaveLoss::Settings, 1}}},
    {"an SXF line type in 3.51",
     [](TJwwData& d) { Line(d, 2, 35, 0); },
     351,
     false,
     {{SaveLoss::SxfTables, 1}, {SaveLoss::Settings, 1}, {SaveLoss::LineTypes, 1}}},
    {"an own width in 3.00",
     [](TJwwData& d) { Line(d, 2, 1, 50); },
     300,
     false,
     {{SaveLoss::SxfTables, 1}, {SaveLoss::Settings, 1}, {SaveLoss::PenWidths, 1}}},
    {"an own width in 3.51",
     [](TJwwData& d) { Line(d, 2, 1, 50); },
     351,
     false,
     {{SaveLoss::SxfTables, 1}, {SaveLoss::Settings, 1}}},
    {"a layer out of range",
     [](TJwwData& d) {
         Line(d, 2, 1, 0);
         d.EntLine[0].att.nLayer = 20;
     },
     700,
     false,
     {{SaveLoss::Layers, 1}}},
    {"an SXF dimension in 3.51",
     SxfDimension,
     351,
     false,
     {{SaveLoss::SxfTables, 1}, {SaveLoss::Settings, 1}, {SaveLoss::SxfDimensions, 1}}},
    {"an SXF dimension in 6.00", SxfDimension, 600, false, {}},
    {"an unused definition", UnusedDefinition, 700, false, {{SaveLoss::Definitions, 1}}},
    {"a listed image in 6.00", ListedImage, 600, false, {{SaveLoss::Images, 1}}},
    {"an image no text names in 7.00", ListedImage, 700, false, {{SaveLoss::Images, 1}}},
    {"characters code page 932 lacks",
     [](TJwwData& d) { Text(d, u"\u2603 \u65E5\u672C \U0001F600"); },  // snowman, 日本, a face
     700,
     false,
     {{SaveLoss::Characters, 2}}},
    {"the same characters in UTF-16",
     [](TJwwData& d) { Text(d, u"\u2603 \u65E5\u672C \U0001F600"); },
     700,
     true,
     {}},
    {"a line width setting 4.20 holds",
     [](TJwwData& d) { d.Enthd.nMaxDrawWid = 100; },
     420,
     false,
     {}},
    {"a print resolution in 4.20",
     [](TJwwData& d) {
         d.Enthd.nMaxDrawWid = 100;
         d.Enthd.nPrtDpi = 3;
     },
     420,
     false,
     {{SaveLoss::Settings, 1}}},
    {"a print resolution in 6.00", [](TJwwData& d) { d.Enthd.nPrtDpi = 3; }, 600, false, {}},
};

TEST(SaveReport, EachLossIsCountedByKind) {
    TempDir dir;
    for (const LossCase& c : kCases) {
        SCOPED_TRACE(c.name);
        TJwwData d;
        d.DataDefaultSet();
        ASSERT_NO_FATAL_FAILURE(c.build(d));
        SaveReport report;
        report[SaveLoss::Images] = 99;  // a report starts empty
        ASSERT_TRUE(SaveAs(d, dir.path() / "out.jww", c.version, c.utf16, report))
            << d.FileOutError;
        for (size_t i = 0; i < kSaveLossKinds; ++i) {
            const auto kind = static_cast<SaveLoss>(i);
            const auto found = c.expected.find(kind);
            EXPECT_EQ(report[kind], found == c.expected.end() ? 0 : found->second)
                << SaveLossName(kind);
        }
    }
}

TEST(SaveReport, DescribesEveryKindCounted) {
    SaveReport report;
    EXPECT_EQ(DescribeLosses(report), "");
    report[SaveLoss::PenColors] = 3;
    report[SaveLoss::Characters] = 1;
    EXPECT_EQ(DescribeLosses(report), "pen colours replaced: 3, characters code page 932 lacks: 1");
}

TEST(SaveReport, StrictSaveThatWouldLoseWritesNothing) {
    TempDir dir;
    const auto file = dir.path() / "kept.jww";
    { std::ofstream(file) << "before"; }
    TJwwData d;
    d.DataDefaultSet();
    ASSERT_NO_FATAL_FAILURE(Line(d, 120, 1, 0));
    SaveReport report;
    EXPECT_FALSE(SaveAs(d, file, 351, false, report, /*strict=*/true));
    EXPECT_EQ(report[SaveLoss::PenColors], 1);
    EXPECT_NE(d.FileOutError.find("pen colours replaced: 1"), std::string::npos) << d.FileOutError;
    EXPECT_EQ(FileBytes(file), (std::vector<uint8_t>{'b', 'e', 'f', 'o', 'r', 'e'}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);

    EXPECT_TRUE(SaveAs(d, file, 600, false, report, /*strict=*/true)) << d.FileOutError;
    EXPECT_TRUE(report.Lossless());
    EXPECT_NE(FileBytes(file).size(), 6u);
}

}  // namespace
}  // namespace tw::test
