// What shows and prints, as the DXF export carries it, read back by ezdxf:
// extended pens weigh their hundredths of a millimetre, a text whose width
// field holds flags weighs what its pen does, Jw_cad's setting texts are
// left out (no layer is made for them), texts stand on their glyphs' base
// line, and raised and lowered characters show in their Unicode forms.
#include <gtest/gtest.h>

#include <tintwright/document/Fonts.h>
#include <tintwright/dxf/DxfExport.h>
#include "support/DxfCheck.h"
#include "support/TempDir.h"

namespace tw {
namespace {

constexpr int32_t kPen = 2, kExtPen = 101, kLayer = 3;
constexpr int32_t kTextFlags = 8259;  // what a real drawing's dimension texts hold
constexpr double kX = 10, kY = 20, kHeight = 4;

// In drawing order: a line in pen 2, a line in an extended pen, a text in pen
// 2 with flags in its width field, a text with ^u and ^d, then Jw_cad's
// setting texts in both pens.
// The header counts basic pens in printer dots (its width flag clear).
void Build(TJwwData& doc) {
    doc.DataDefaultSet();
    doc.Enthd.bSenHaba100 = false;
    doc.EntColS[1].anPrtPenWidth = 18;
    doc.AddEntLine(0, 0, kLayer, kPen, 1, 0, 0, 0, 0, 50, 0);
    doc.AddEntLine(0, 0, kLayer, kExtPen, 1, 0, 0, 0, 10, 50, 10);
    doc.AddEntMoji(0, 0, kLayer, kPen, 1, kTextFlags, 0, 0, kX, kY, 3, kHeight, 0, 0,
                   u"ＭＳ ゴシック", u"1,820");
    doc.AddEntMoji(0, 0, kLayer, kPen, 1, 0, 0, 0, 0, 40, 3, kHeight, 0, 0, u"ＭＳ ゴシック",
                   u"m^u2 H^d2O");
    for (const int32_t pen : {9, 2}) {
        doc.AddEntMoji(0, 0, 0, pen, pen == 9 ? 9 : 1, 0, 0, 0, 0, -1000, 0, -1000, 3, 3, 0.5, 0,
                       u"ＭＳ ゴシック", u"Printer_Orientation = 0");
    }
}

TEST(DxfOutputRules, WeightsSettingTextsAndBaseLines) {
    TJwwData doc;
    Build(doc);
    TempDir dir;
    ForEachCheckedExport(doc, dir.path(), "rules", [](const std::string&, const nlohmann::json& r) {
        EXPECT_EQ(r["entity_types"], nlohmann::json({"LINE", "LINE", "TEXT", "TEXT"}));
        EXPECT_EQ(r["texts"], nlohmann::json({"1,820", "m² H₂O"}));
        for (const auto& [layer, state] : r["layer_states"].items())
            EXPECT_EQ(layer.find("_noplot"), std::string::npos) << "for setting texts";
        const nlohmann::json& place = r["text_places"][0];
        EXPECT_NEAR(place["insert"][0].get<double>(), kX, 1e-9);
        EXPECT_NEAR(place["insert"][1].get<double>(), kY + fonts::kBaselineInCell * kHeight, 1e-9);
        if (r["version"] == "AC1009") return;  // R12 has no line weights
        const nlohmann::json& weights = r["lineweights"];
        EXPECT_EQ(weights[1], 18) << "the extended pen's 18/100 mm";
        EXPECT_EQ(weights[2], weights[0]) << "the text weighs what its pen does";
    });
}

}  // namespace
}  // namespace tw
