// Layers as readers honour them: a hidden layer is off and frozen (LibreCAD
// draws layers that are only off), and records that do not print (auxiliary
// colour or line type) sit on a twin layer that is not plotted (2000/2007).
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tw
