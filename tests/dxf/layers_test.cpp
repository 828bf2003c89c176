// Layers as readers honour them: a hidden layer is off and frozen (LibreCAD
// draws layers that are only off), and records that do not print (auxiliary
// colour or line type) sit on a twin layer that is not plotted (2000/2007).
#include <gtest/gtest.h>

#include <fstream>

#include <tintwright/document/OutputRules.h>
#include <tintwright/dxf/DxfExport.h>
#include "support/DxfCheck.h"
#include "support/TempDir.h"

namespace tw {
namespace {

constexpr int32_t kPen = 2, kSolid = 1, kShownLayer = 1, kHiddenLayer = 2;

TEST(DxfLayers, HiddenLayersAreFrozenAndAuxiliaryRecordsDoNotPlot) {
    TJwwData doc;
    doc.DataDefaultSet();
    doc.EntLay[kHiddenLayer].aanLay = 0;
    doc.AddEntLine(0, 0, kShownLayer, kPen, kSolid, 0, 0, 0, 0, 10, 0);
    doc.AddEntLine(0, 0, kShownLayer, rules::kAuxiliaryPen, kSolid, 0, 0, 0, 0, 10, 10);
    doc.AddEntLine(0, 0, kShownLayer, kPen, rules::kAuxiliaryLineType, 0, 0, 0, 0, 10, 20);
    doc.AddEntLine(0, 0, kHiddenLayer, kPen, kSolid, 0, 0, 0, 0, 10, 30);
    TempDir dir;
    ForEachCheckedExport(
        doc, dir.path(), "layers", [](const std::string& name, const nlohmann::json& r) {
            const bool hasPlotFlag = name != "layers-1009.dxf";
            EXPECT_EQ(r["entity_layers"],
                      nlohmann::json({"0-1", "0-1_noplot", "0-1_noplot", "0-2"}));
            const nlohmann::json& states = r["layer_states"];
            EXPECT_EQ(states["0-1"],
                      nlohmann::json({{"off", false}, {"frozen", false}, {"plot", true}}));
            EXPECT_EQ(states["0-1_noplot"],
                      nlohmann::json({{"off", false}, {"frozen", false}, {"plot", !hasPlotFlag}}));
            EXPECT_EQ(states["0-2"],
                      nlohmann::json({{"off", true}, {"frozen", true}, {"plot", true}}));
            EXPECT_FALSE(states.contains("0-2_noplot")) << "twins only where records use them";
        });
}

// The LAYER table's count (group 70) and the LAYER records of a file.
std::pair<int, int> LayerTableCountAndRecords(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line.substr(0, line.find_last_not_of('\r') + 1));
    int count = -1, records = 0;
    bool inLayers = false;
    for (size_t i = 0; i + 1 < lines.size(); i += 2) {
        const std::string& code = lines[i];
        const std::string& value = lines[i + 1];
        if (code == "2" && value == "LAYER" && i > 0 && lines[i - 1] == "TABLE") inLayers = true;
        if (!inLayers) continue;
        if (code == "70" && count < 0) count = std::stoi(value);
        if (code == "0" && value == "LAYER") ++records;
        if (code == "0" && value == "ENDTAB") break;
    }
    return {count, records};
}

// Layer "0", the 256 layers and a twin for each layer whose records do not
// print, in the drawing or in a definition.
TEST(DxfLayers, TheLayerTableCountsItsTwins) {
    TJwwData doc;
    doc.DataDefaultSet();
    doc.AddEntLine(0, 0, kShownLayer, rules::kAuxiliaryPen, kSolid, 0, 0, 0, 0, 10, 10);
    doc.AddBlkDef(0, 0, 0, kPen, kSolid, 0, 0, 0, u"def");
    doc.AddBlkLine(doc.EntBlockDefN - 1, 0, 0, kHiddenLayer, kPen, rules::kAuxiliaryLineType, 0, 0,
                   0, 0, 1, 1);
    doc.AddBlkDefPost(doc.EntBlockDefN - 1);
    TempDir dir;
    const std::vector<std::filesystem::path> files = ExportEveryVersion(doc, dir.path(), "twins");
    ASSERT_FALSE(files.empty()) << "an export failed";
    for (const std::filesystem::path& file : files) {
        const auto [count, records] = LayerTableCountAndRecords(file);
        EXPECT_EQ(records, 1 + 256 + 2) << file.filename();
        EXPECT_EQ(count, records) << file.filename();
    }
}

}  // namespace
}  // namespace tw
