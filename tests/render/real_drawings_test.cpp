// The shared drawings saved by Jw_cad render, and every entity they show,
// insertions expanded, is accounted for: the counts the renderer reports are
// checked against the counts read independently of this library. The SVG
// written for each is accepted by rsvg-convert.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include "jww/Reader.h"
#include "render/Frontend.h"
#include "render/SvgBackend.h"
#include "support/TempDir.h"
#include "tests/render/CliRun.h"

namespace tw::render {
namespace {

namespace fs = std::filesystem;

const fs::path kShared = TW_SHARED_TESTDATA;

nlohmann::json Load(const fs::path& file) {
    std::ifstream in(file);
    return nlohmann::json::parse(in);
}

// Entities the drawing shows with its insertions replaced by their
// definitions' members, from the independent listings.
int64_t ExpandedCount(const std::string& name) {
    const nlohmann::json facts = Load(kShared / "expected.json")[name];
    const nlohmann::json entities =
        Load(kShared / "entities" / (fs::path(name).stem().string() + ".json"))["entities"];
    int64_t count = 0;
    for (const auto& e : entities) {
        if (e["kind"] != "CDataBlock") {
            ++count;
            continue;
        }
        for (const auto& def : facts["blocks"]) {
            if (def["number"] != e["number"]) continue;
            EXPECT_FALSE(def["counts"].contains("CDataBlock")) << "nested definitions not listed";
            count += def["members"].get<int64_t>();
        }
    }
    return count;
}

class RealDrawings : public testing::TestWithParam<std::string> {};

TEST_P(RealDrawings, EveryEntityIsDrawnOrAccountedFor) {
    const fs::path file = kShared / GetParam();
    if (!fs::exists(file)) GTEST_SKIP() << "no shared drawings here";
    TJwwData doc;
    ASSERT_TRUE(jwwin::ReadDrawingFile(doc, file.u16string(), {}).ok);
    std::string svg;
    SvgBackend backend(svg, 0.1);
    RenderOptions options;
    options.fit = Fit::Extents;
    const RenderReport report = Render(doc, options, backend);
    EXPECT_EQ(report.visited, ExpandedCount(GetParam()));
    EXPECT_EQ(report.drawn + report.hidden + report.culled + report.undrawable, report.visited);
    EXPECT_EQ(report.culled, 0);  // the extents hold everything
    EXPECT_EQ(report.undrawable, 0);
    EXPECT_TRUE(report.expansion.Complete());
    EXPECT_GT(report.drawn, 0);

    TempDir dir;
    std::ofstream(dir.path() / "drawing.svg", std::ios::binary) << svg;
    EXPECT_EQ(RunIn(dir.path(), "rsvg-convert -d 20 -p 20 -o drawing.png drawing.svg").code, 0);
}

INSTANTIATE_TEST_SUITE_P(Shared, RealDrawings,
                         testing::Values("2blocks.jww", "3blocks.jww", "Test1.jww", "Test2.jww",
                                         "Test3.jww", "copy-block.jww", "non_block.jww"),
                         [](const auto& info) {
                             std::string name = fs::path(info.param).stem().string();
                             std::replace(name.begin(), name.end(), '-', '_');
                             return name;
                         });

}  // namespace
}  // namespace tw::render
