// Long texts through all three versions, read back by ezdxf strictly: no
// value passes what readers accept, the characters shown are the typed ones
// (MTEXT's own specials escaped, characters outside code page 932 kept),
// and R12's pieces sit along the base line where the typed text has them.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include <tintwright/document/Fonts.h>
#include <tintwright/dxf/DxfExport.h>
#include <tintwright/util/Func_2.h>
#include "support/DxfCheck.h"
#include "support/TempDir.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kPen = 2, kLayer = 3;
constexpr double kX = 10, kY = 20, kWidth = 3, kHeight = 4, kDegrees = 30;

// `pattern` repeated to `size` code units, never ending inside a pair.
std::u16string Repeated(std::u16string_view pattern, size_t size) {
    std::u16string text;
    while (text.size() < size)
        text += pattern;
    text.resize(size);
    if (text.back() >= 0xD800 && text.back() <= 0xDBFF) text.back() = u'x';
    return text;
}

struct Case {
    std::string name;
    std::u16string text;
};

std::vector<Case> Cases() {
    // MTEXT's specials and what looks like its codes; characters code page
    // 932 cannot hold (ü, €, a pair beyond the basic plane) beside ones it
    // holds in two bytes and half-width katakana in one.
    const std::u16string_view ascii = u"Plain {braces} \\P back\\slash ^J caret 0123456789 ";
    const std::u16string_view japanese = u"日本語の文字𠮷野家ü€☃ｶﾅ表示";
    std::vector<Case> cases;
    for (const size_t size : {300U, 3000U, 60000U}) {
        cases.push_back({"ascii" + std::to_string(size), Repeated(ascii, size)});
        cases.push_back({"japanese" + std::to_string(size), Repeated(japanese, size)});
    }
    return cases;
}

struct Export {
    const Case* c;
    int32_t version;
    fs::path file;
};

TEST(DxfLongTexts, ShowTheTypedTextWithNoValueLongerThanReadersAccept) {
    TempDir dir;
    const std::vector<Case> cases = Cases();
    std::vector<Export> exports;
    std::vector<fs::path> files;
    for (const Case& c : cases) {
        TJwwData doc;
        doc.DataDefaultSet();
        ASSERT_TRUE(doc.AddEntMoji(0, 0, kLayer, kPen, 1, 0, 0, 0, kX, kY, kWidth, kHeight, 0,
                                   kDegrees, u"ＭＳ ゴシック", c.text));
        for (const int32_t version : {dxf::kR12, dxf::kR2000, dxf::kR2007}) {
            const fs::path file = dir.path() / (c.name + "-" + std::to_string(version) + ".dxf");
            const dxf::ExportReport report = dxf::ExportDxf(doc, file, {.version = version});
            ASSERT_TRUE(report.ok) << report.reason;
            exports.push_back({&c, version, file});
            files.push_back(file);
        }
    }
    const nlohmann::json report = CheckDxfFiles(files);
    ASSERT_TRUE(report.is_object()) << "the ezdxf checker did not run";
    const double angle = kDegrees * std::numbers::pi / 180;
    for (const Export& e : exports) {
        SCOPED_TRACE(e.file.filename().string());
        const nlohmann::json& r = report[e.file.string()];
        ASSERT_TRUE(r["read"].get<bool>()) << r["errors"];
        EXPECT_TRUE(r["errors"].empty()) << r["errors"];
        EXPECT_LE(r["longest_value"].get<size_t>(), e.version == dxf::kR12 ? 255U : 2049U);

        std::u16string shown;
        for (const auto& text : r["texts"])
            shown += FromUtf8(text.get<std::string>());
        EXPECT_TRUE(shown == e.c->text) << "the text differs from the typed one";

        const nlohmann::json& places = r["text_places"];
        if (e.version != dxf::kR12) {
            ASSERT_EQ(places.size(), 1U);
            EXPECT_EQ(places[0]["type"], "MTEXT");
            EXPECT_NEAR(places[0]["insert"][0].get<double>(), kX, 1e-9);
            EXPECT_NEAR(places[0]["insert"][1].get<double>(), kY, 1e-9);
            EXPECT_NEAR(places[0]["height"].get<double>(), kHeight, 1e-9);
            EXPECT_NEAR(places[0]["direction"][0].get<double>(), std::cos(angle), 1e-9);
            EXPECT_NEAR(places[0]["direction"][1].get<double>(), std::sin(angle), 1e-9);
            continue;
        }
        // Each piece starts where the typed text has its first character.
        ASSERT_GT(places.size(), 1U);
        const fonts::TextLayout layout = fonts::LayOut(e.c->text, 0, kWidth);
        size_t first = 0;
        for (size_t i = 0; i < places.size(); ++i) {
            EXPECT_EQ(places[i]["type"], "TEXT");
            const double offset = layout.offsets[first];
            const double tolerance = 1e-9 * (1 + offset);
            // On the glyphs' base line, above the box's lower edge.
            const double rise = fonts::kBaselineInCell * kHeight;
            EXPECT_NEAR(places[i]["insert"][0].get<double>(),
                        kX + offset * std::cos(angle) - rise * std::sin(angle), tolerance)
                << "piece " << i;
            EXPECT_NEAR(places[i]["insert"][1].get<double>(),
                        kY + offset * std::sin(angle) + rise * std::cos(angle), tolerance)
                << "piece " << i;
            first += FromUtf8(r["texts"][i].get<std::string>()).size();
        }
    }
}

}  // namespace
}  // namespace tw
