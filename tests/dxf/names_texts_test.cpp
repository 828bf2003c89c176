// Texts and table names through all three versions, read back by ezdxf:
// before 2007 a character code page 932 cannot hold is written in a text as
// DXF's \U+XXXX escape and must read back as itself, in a name as U+XXXX
// (ezdxf refuses "\" in names), and names stay unique after they are made
// valid and encoded.
#include <gtest/gtest.h>

#include <set>

#include <tintwright/dxf/DxfExport.h>
#include <tintwright/util/Func_2.h>
#include "support/DxfCheck.h"
#include "support/TempDir.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kPen = 2, kSolid = 1, kLayer = 3;

struct NamedText {
    std::u16string blockName;
    std::u16string text;
    std::u16string font;
};

// Outside code page 932 (a Latin letter, a symbol, a character beyond the
// basic plane), forbidden characters, names that meet once renamed or once
// encoded (U+2212 and U+FF0D are one code in code page 932), names that
// differ only in case (readers fold it).
const NamedText kCases[] = {
    {u"部品😀", u"𠮷野家 ü € ☃", u"ＭＳ ゴシック"},
    {u"部品😁", u"ǅ \\ back", u"Font😀"},
    {u"a<b>c", u"ASCII only", u"Font😁"},
    {u"P/Q~2", u"plain 日本語", u"ＭＳ 明朝"},
    {u"P/Q", u"x", u"ＭＳ ゴシック"},
    {u"P\\Q", u"y", u"ＭＳ ゴシック"},
    {u"A−", u"minus −", u"ＭＳ ゴシック"},
    {u"A－", u"minus －", u"ＭＳ ゴシック"},
    {u"door", u"d", u"face"},
    {u"DOOR", u"D", u"FACE"},
};
const std::u16string kGroupName = u"Ünï";
const std::u16string kLayerName = u"層😀";

// A name as 2007 writes it and as earlier versions do (upper-cased).
struct WrittenName {
    const char* utf8;
    const char* cp932;
};

// One definition and one text per case; the group and layer named.
void Build(TJwwData& doc) {
    doc.DataDefaultSet();
    doc.EntLgrp[0].aStrGLayName = kGroupName;
    doc.EntLay[kLayer].aStrLayName = kLayerName;
    double y = 0;
    for (const NamedText& c : kCases) {
        ASSERT_TRUE(doc.AddBlkDef(0, 0, kLayer, kPen, kSolid, 0, 0, 0, c.blockName));
        const int32_t def = doc.EntBlockDefN - 1;
        doc.AddBlkLine(def, 0, 0, kLayer, kPen, kSolid, 0, 0, 0, 0, 10, 0);
        doc.AddBlkDefPost(def);
        doc.AddEntMoji(0, 0, kLayer, kPen, 1, 0, 0, 0, 0, y, 3, 3, 0, 0, c.font, c.text);
        y += 5;
    }
}

std::string Upper(const std::string& utf8) {
    return ToUtf8(UpperText(FromUtf8(utf8)));
}

TEST(DxfNamesAndTexts, EveryCharacterReadsBackAndNamesStayUnique) {
    TempDir dir;
    TJwwData doc;
    Build(doc);
    std::vector<fs::path> files;
    for (const int32_t version : {dxf::kR12, dxf::kR2000, dxf::kR2007}) {
        files.push_back(dir.path() / ("names-" + std::to_string(version) + ".dxf"));
        const dxf::ExportReport report = dxf::ExportDxf(doc, files.back(), {.version = version});
        ASSERT_TRUE(report.ok) << report.reason;
    }
    const nlohmann::json report = CheckDxfFiles(files);
    ASSERT_TRUE(report.is_object()) << "the ezdxf checker did not run";
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const nlohmann::json& r = report[file.string()];
        if (!r["read"].get<bool>()) {
            ADD_FAILURE() << r["errors"];
            continue;
        }
        EXPECT_TRUE(r["errors"].empty()) << r["errors"];

        std::vector<std::string> texts;
        for (const NamedText& c : kCases)
            texts.push_back(ToUtf8(c.text));
        EXPECT_EQ(r["texts"].get<std::vector<std::string>>(), texts);

        const bool utf8 = file.filename() == "names-1021.dxf";
        const std::string layer = utf8 ? "0-3_" + ToUtf8(kGroupName) + "_" + ToUtf8(kLayerName)
                                       : "0-3_U+00DCnU+00EF_層U+D83DU+DE00";
        const auto layers = r["layers"].get<std::vector<std::string>>();
        EXPECT_NE(std::find(layers.begin(), layers.end(), layer), layers.end()) << r["layers"];

        std::set<std::string> blocks;
        for (const auto& [name, counts] : r["blocks"].items())
            blocks.insert(Upper(name));
        EXPECT_EQ(blocks.size(), std::size(kCases)) << r["blocks"];
        const WrittenName keptBlocks[] = {{"部品😀", "部品U+D83DU+DE00"},
                                          {"部品😁", "部品U+D83DU+DE01"},
                                          {"A_B_C", "A_B_C"},
                                          {"P_Q~2", "P_Q~2"},
                                          {"P_Q", "P_Q"},
                                          {"A−", "AU+2212"},
                                          {"A－", "A－"}};
        for (const WrittenName& kept : keptBlocks) {
            const char* name = utf8 ? kept.utf8 : kept.cp932;
            EXPECT_TRUE(blocks.contains(name)) << name << " in " << r["blocks"];
        }

        std::set<std::string> styles;
        for (const auto& [name, font] : r["styles"].items())
            styles.insert(Upper(name));
        EXPECT_EQ(styles.size(), r["styles"].size()) << r["styles"];
        // A font file readers map, so that Japanese texts show.
        // LibreCAD's font by the name, the face after "#".
        EXPECT_EQ(r["styles"]["unicode#ＭＳ ゴシック"], "msgothic.ttc");
        EXPECT_EQ(r["styles"]["unicode#ＭＳ 明朝"], "msmincho.ttc");
        const WrittenName keptStyles[] = {{"UNICODE#ＭＳ ゴシック", "UNICODE#ＭＳ ゴシック"},
                                          {"UNICODE#FONT😀", "UNICODE#FONTU+D83DU+DE00"},
                                          {"UNICODE#FONT😁", "UNICODE#FONTU+D83DU+DE01"}};
        for (const WrittenName& kept : keptStyles) {
            const char* name = utf8 ? kept.utf8 : kept.cp932;
            EXPECT_TRUE(styles.contains(name)) << name << " in " << r["styles"];
        }
    }
}

}  // namespace
}  // namespace tw
