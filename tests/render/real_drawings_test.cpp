// The shared drawings saved by Jw_cad render, and every entity they show,
// insertions expanded, is accounted for: the counts the renderer reports are
// checked against the counts read independently of this library. The SVG
// written for each is accepted by rsvg-convert.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>

#include <tintwright/jww/Reader.h>
#include <tintwright/render/Frontend.h>
#include <tintwright/render/SvgBackend.h>
#include "support/RunCommand.h"
#include "support/TempDir.h"

namespace tw::render {
namespace {

namespace fs = std::filesystem;

const fs::path kShared = TW_SHARED_TESTDATA;

nlohmann::json Load(const fs::path& file) {
    std::ifstream in(file);
    return nlohmann::json::parse(in);
}

// Listed records that `counts`, insertions replaced by their definitions'
// members, from the independent listings.
template <class Counts>
int64_t ListedCount(const std::string& name, Counts counts) {
    const nlohmann::json facts = Load(kShared / "expected.json")[name];
    const nlohmann::json entities =
        Load(kShared / "entities" / (fs::path(name).stem().string() + ".json"))["entities"];
    int64_t count = 0;
    for (const auto& e : entities) {
        if (!counts(e)) continue;
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

int64_t ExpandedCount(const std::string& name) {
    return ListedCount(name, [](const nlohmann::json&) { return true; });
}

// What Jw_cad prints: on a shown layer, neither in the auxiliary colour 9 nor
// the auxiliary line type 9, not a temporary point.
int64_t PrintedCount(const std::string& name, const rules::LayerStates& layers) {
    return ListedCount(name, [&](const nlohmann::json& e) {
        const nlohmann::json& a = e["a"];
        const int32_t index =
            rules::LayerIndex(a["glayer"].get<int32_t>(), a["layer"].get<int32_t>());
        return layers.Shows(index) && a["colour"] != 9 && a["style"] != 9 &&
               e.value("kariten", 0) == 0;
    });
}

class RealDrawings : public testing::TestWithParam<std::string> {
  protected:
    void SetUp() override {
        const fs::path file = kShared / GetParam();
        ASSERT_TRUE(fs::exists(file)) << "the shared drawings are missing: " << file;
        ASSERT_TRUE(jwwin::ReadDrawingFile(doc, file.u16string(), {}).ok);
    }
    // Fitted to the extents of what the medium draws.
    RenderReport Draw(bool print) {
        SvgBackend backend(svg, 0.1);
        RenderOptions options;
        options.fit = Fit::Extents;
        options.print = print;
        return Render(doc, options, backend);
    }

    TJwwData doc;
    std::string svg;
};

// A print fitted to its extents draws exactly what prints, all of it inside.
TEST_P(RealDrawings, PrintDrawsWhatPrints) {
    const RenderReport report = Draw(true);
    EXPECT_EQ(report.drawn, PrintedCount(GetParam(), rules::LayerStates::Of(doc)));
    EXPECT_EQ(report.culled, 0);
    EXPECT_EQ(report.undrawable, 0);
}

TEST_P(RealDrawings, EveryEntityIsDrawnOrAccountedFor) {
    const RenderReport report = Draw(false);
    EXPECT_EQ(report.visited, ExpandedCount(GetParam()));
    EXPECT_EQ(report.drawn + report.hidden + report.leftOut + report.culled + report.undrawable,
              report.visited);
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
