// LibreCAD as a second real reader of the exported line types: it draws a
// line patterned only when the line type's name is one it knows, whatever
// pattern the file defines. The exported DXF is printed by LibreCAD to PDF
// and rasterised (support/LibreCad.h).
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/document/OutputRules.h>
#include <tintwright/dxf/DxfExport.h>
#include <tintwright/dxf/LineTypes.h>
#include "support/LibreCad.h"
#include "support/TempDir.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

// A grey PGM ("P5", 8 bits) as rows of pixels.
std::vector<std::string> ReadPgm(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maximum = 0;
    in >> magic >> width >> height >> maximum;
    in.get();
    if (magic != "P5" || maximum != 255 || width <= 0 || height <= 0) return {};
    std::vector<std::string> rows(static_cast<size_t>(height),
                                  std::string(static_cast<size_t>(width), '\0'));
    for (std::string& row : rows)
        in.read(row.data(), width);
    return in ? rows : std::vector<std::string>{};
}

struct InkRow {
    size_t inked = 0;  // dark pixels
    size_t runs = 0;   // separate dark runs: 1 for a solid line
};

// The rows holding ink, one per drawn line (the lines lie one pixel thick
// and far apart, so neighbouring inked rows belong to one line).
std::vector<InkRow> InkRows(const std::vector<std::string>& pixels) {
    std::vector<InkRow> rows;
    bool previousInked = false;
    for (const std::string& row : pixels) {
        InkRow ink;
        bool dark = false;
        for (const char pixel : row) {
            const bool now = static_cast<unsigned char>(pixel) < 200;
            ink.inked += now;
            ink.runs += now && !dark;
            dark = now;
        }
        const bool inked = ink.inked > 3;
        if (inked && !previousInked) rows.push_back(ink);
        if (inked && previousInked && ink.inked > rows.back().inked) rows.back() = ink;
        previousInked = inked;
    }
    return rows;
}

// Jw_cad's default patterns: dashes of three lengths, two dash-dots, two
// dash-dot-dots, and the auxiliary dots; the smaller variants for the
// shorter patterns; every name once.
TEST(LibreCadLineTypes, BasicTypesTakeTheirFamiliesNames) {
    TJwwData doc;
    doc.DataDefaultSet();
    const std::array<std::string, 256> names =
        dxf::LineTypeNames(rules::Appearance(doc, rules::Medium::Print));
    const std::map<int32_t, std::string> expected = {
        {1, ""},         {2, "DASHED2"}, {3, "DASHED"},  {4, "DASHEDX2"},
        {5, "DASHDOT2"}, {6, "DASHDOT"}, {7, "DIVIDE2"}, {8, "DIVIDE"},
        {9, "DOT2"},     {10, ""},       {11, "JW11"},  // a random line's pattern is of no family
    };
    for (const auto& [style, name] : expected)
        EXPECT_EQ(names[static_cast<size_t>(style)], name) << "line type " << style;
    std::set<std::string> seen;
    for (const std::string& name : names)
        EXPECT_TRUE(name.empty() || seen.insert(name).second) << name << " twice";
}

// A dash at most half another reads as a dot beside it: patterns at that
// boundary and just past it, as extended line type 31's own segments (a
// short period, so that it takes a name of its family before the others).
TEST(LibreCadLineTypes, AFamilyIsDecidedByDashesAtMostHalfAnother) {
    const std::set<std::string> dots{"DOT2", "DOT", "DOTX2", "ACAD_ISO07W100"};
    const std::set<std::string> dashes{"DASHED2", "DASHED",   "DASHEDX2",       "HIDDEN2",
                                       "HIDDEN",  "HIDDENX2", "ACAD_ISO02W100", "ACAD_ISO03W100"};
    const std::set<std::string> dashDots{"DASHDOT2",       "DASHDOT",       "DASHDOTX2",
                                         "CENTER2",        "CENTER",        "CENTERX2",
                                         "ACAD_ISO10W100", "ACAD_ISO04W100"};
    const std::set<std::string> dashDotDots{"DIVIDE2", "DIVIDE", "DIVIDEX2", "ACAD_ISO12W100",
                                            "ACAD_ISO05W100"};
    const std::set<std::string> dashDashDots{"BORDER2", "BORDER", "BORDERX2"};
    struct Case {
        std::vector<double> runs;  // dash, gap, dash, gap, ...
        const std::set<std::string>* family;
    };
    const Case cases[] = {
        {{0.01, 0.02}, &dots},
        {{0.0101, 0.02}, &dashes},
        {{0.01, 0.01, 0.02, 0.01}, &dashDots},
        {{0.0101, 0.01, 0.02, 0.01}, &dashes},
        {{0.01, 0.01, 0.01, 0.01, 0.02, 0.01}, &dashDotDots},
        {{0.0101, 0.01, 0.0101, 0.01, 0.02, 0.01}, &dashes},
        {{0.01, 0.01, 0.02, 0.01, 0.02, 0.01}, &dashDashDots},
        {{0.0101, 0.01, 0.02, 0.01, 0.02, 0.01}, &dashes},
    };
    constexpr int32_t kStyle = rules::kFirstExtLineType;
    for (const Case& c : cases) {
        TJwwData doc;
        doc.DataDefaultSet();
        TEntJwwLineTypeExNo& type = doc.EntLtpS.at(kStyle - 30);
        type.anUDLTypeSegment = static_cast<int32_t>(c.runs.size());
        std::copy(c.runs.begin(), c.runs.end(), type.aadUDLTypePitch.begin());
        const std::string name =
            dxf::LineTypeNames(rules::Appearance(doc, rules::Medium::Print))[kStyle];
        EXPECT_TRUE(c.family->contains(name))
            << name << " for " << ::testing::PrintToString(c.runs);
    }
}

TEST(LibreCadLineTypes, EveryPrintingLineTypeIsDrawnPatterned) {
    TempDir dir;
    TJwwData doc;
    doc.DataDefaultSet();
    // Line types 1 (continuous) to 8, one line each from top to bottom; 9
    // is the auxiliary type, which does not print.
    constexpr int32_t kPen = 2;
    for (int32_t type = 1; type <= 8; ++type)
        ASSERT_TRUE(doc.AddEnt(
            LineArgs{.a = {.cn = 0, .lg = 0, .ly = 0, .co = kPen, .tp = type, .wd = 0, .fl = 0},
                     .p1 = {-150, 100.0 - 20 * type},
                     .p2 = {150, 100.0 - 20 * type}}));
    for (const int32_t version : {dxf::kR2000, dxf::kR2007}) {
        SCOPED_TRACE(version);
        const fs::path dxf = dir.path() / "types.dxf";
        const dxf::ExportReport report =
            dxf::ExportDxf(doc, dxf, {.version = version, .realSize = false});
        ASSERT_TRUE(report.ok) << report.reason;
        ASSERT_TRUE(PrintWithLibreCad(dir.path(), "types", {.gray = true}))
            << "LibreCAD or pdftoppm failed";
        const std::vector<InkRow> rows = InkRows(ReadPgm(dir.path() / "types.pgm"));
        ASSERT_EQ(rows.size(), 8u);
        EXPECT_EQ(rows[0].runs, 1u);  // continuous
        for (size_t type = 2; type <= 8; ++type)
            EXPECT_GE(rows[type - 1].runs, 6u) << "line type " << type << " drawn solid";
        fs::remove(dxf);
        fs::remove(dir.path() / "types.pdf");
    }
}

}  // namespace
}  // namespace tw
