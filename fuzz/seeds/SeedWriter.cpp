// Writes the seed drawings of the reader's fuzz targets into a folder: the
// colour chart's 268 lines and a drawing with every entity kind, nested
// blocks, SXF dimensions and a bound image, at every version and in both
// text codes. Used by scripts/fuzz-seeds.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/util/Func_2.h>
#include "tests/support/NestedBlocks.h"

namespace {

constexpr int32_t kVersions[] = {220, 223, 225, 230, 300, 351, 420, 600, 700};
constexpr char kImageName[] = "seed.png";

tw::TEntJwwAttr Attr(uint8_t style, uint16_t color) {
    tw::TEntJwwAttr a;
    a.nPenStyle = style;
    a.nPenColor = color;
    a.nPenWidth = 50;
    a.nLayer = 1;
    a.nGLayer = 2;
    return a;
}

tw::TEntJwwLine Line(double x, uint16_t color) {
    tw::TEntJwwLine l;
    l.att = Attr(1, color);
    l.start_x = l.end_x = x;
    l.end_y = 10;
    return l;
}

tw::TEntJwwMoji Text(const std::u16string& str) {
    tw::TEntJwwMoji t;
    t.att = Attr(1, 2);
    t.end_x = 20;
    t.nMojiShu = 1;
    t.dSizeX = t.dSizeY = 3;
    t.strFontName = u"ＭＳ ゴシック";
    t.str = str;
    return t;
}

tw::TEntJwwTen Point(uint8_t style) {
    tw::TEntJwwTen p;
    p.att = Attr(style, 3);
    p.start_x = 4;
    p.nCode = style == 100 ? 2 : 0;
    p.dBairitsu = 1;
    return p;
}

template <class R>
void Add(std::vector<R>& array, int32_t& count, std::vector<tw::TEntJwwNo>& order, int32_t kind,
         R record) {
    array.push_back(std::move(record));
    order.push_back({kind, count++});
}

// The chart's shape: eight basic pens and 256 extended colours as lines.
void ChartDrawing(tw::TJwwData& d) {
    d.DataDefaultSet();
    d.Enthd.strMemo = u"色設定テストデータ";
    d.Enthd.nZumen = 4;
    for (int i = 0; i < 268; ++i) {
        const auto color = static_cast<uint16_t>(i < 12 ? 1 + i % 8 : 101 + (i - 12));
        Add(d.EntLine, d.EntLineN, d.EntNo, tw::kEntLine, Line(i, color));
    }
    d.Enthd.n1 = static_cast<int32_t>(d.EntNo.size());
}

void MixedDrawing(tw::TJwwData& d) {
    d.DataDefaultSet();
    d.Enthd.strMemo = u"seed\r\n混在";
    Add(d.EntLine, d.EntLineN, d.EntNo, tw::kEntLine, Line(1, 2));
    tw::TEntJwwEnko arc;
    arc.att = Attr(2, 4);
    arc.dHankei = 5;
    arc.radEnkoKaku = 3;
    arc.dHenpeiRitsu = 1;
    Add(d.EntEnko, d.EntEnkoN, d.EntNo, tw::kEntArc, arc);
    Add(d.EntTen, d.EntTenN, d.EntNo, tw::kEntPoint, Point(1));
    Add(d.EntTen, d.EntTenN, d.EntNo, tw::kEntPoint, Point(100));
    Add(d.EntMoji, d.EntMojiN, d.EntNo, tw::kEntText, Text(u"図面"));
    Add(d.EntMoji, d.EntMojiN, d.EntNo, tw::kEntText, Text(u"^@BM%temp%seed.png,1,1"));
    for (uint16_t sxf : {0, 1}) {
        tw::TEntJwwSunpo s;
        s.att = Attr(1, 5);
        s.Sen = Line(0, 5);
        s.Moji = Text(u"10");
        s.bSxfMode = sxf;
        s.Ho1 = s.Ho2 = Line(3, 5);
        s.Te1 = s.Kt2 = Point(100);
        s.Te2 = s.Kt1 = Point(1);
        Add(d.EntSunpo, d.EntSunpoN, d.EntNo, tw::kEntDim, s);
    }
    tw::TEntJwwSolid solid;
    solid.att = Attr(1, 10);
    solid.end_x = solid.DPoint2_x = solid.DPoint2_y = 3;
    solid.Color = 0x336699;
    Add(d.EntSolid, d.EntSolidN, d.EntNo, tw::kEntSolid, solid);
    tw::TEntJwwBlock insert;
    insert.att = Attr(1, 1);
    insert.dBairitsuX = insert.dBairitsuY = 1;
    Add(d.EntBlock, d.EntBlockN, d.EntNo, tw::kEntBlock, insert);
    d.Enthd.n1 = static_cast<int32_t>(d.EntNo.size());

    tw::TEntJwwBlockDef outer, inner;
    outer.nNumber = 0;
    outer.strName = u"outer";
    Add(outer.mLine, outer.mLineN, outer.mNo, tw::kEntLine, Line(2, 3));
    insert.nNumber = 1;
    Add(outer.mBlock, outer.mBlockN, outer.mNo, tw::kEntBlock, insert);
    inner.nNumber = 1;
    inner.strName = u"部品";
    Add(inner.mTen, inner.mTenN, inner.mNo, tw::kEntPoint, Point(1));
    Add(inner.mMoji, inner.mMojiN, inner.mNo, tw::kEntText, Text(u"in"));
    outer.N = static_cast<int32_t>(outer.mNo.size());
    inner.N = static_cast<int32_t>(inner.mNo.size());
    d.EntBlockDef = {outer, inner};
    d.EntBlockDefN = d.Enthd.n2 = 2;
    d.MakeBlockTree();
}

bool WriteAll(tw::TJwwData& d, const std::filesystem::path& folder, const std::string& stem) {
    for (int32_t version : kVersions) {
        for (bool utf16 : {false, true}) {
            d.SetFileOutOption(utf16 ? tw::kOutUtf16 : 0);
            const std::string name =
                stem + "-" + std::to_string(version) + (utf16 ? "-utf16" : "-ansi") + ".jww";
            if (!d.FileOut((folder / name).u16string(), version)) return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SEED_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);

    tw::TJwwData chart;
    ChartDrawing(chart);

    // The bound image lives beside the seeds only while they are written.
    const std::filesystem::path image = folder / kImageName;
    std::ofstream(image, std::ios::binary) << "\x89PNG\r\n\x1a\nseed image";
    tw::TJwwData mixed;
    MixedDrawing(mixed);
    mixed.BindImageFolder = folder.u16string() + u"/";
    mixed.BindImageExr = true;
    mixed.BindImage = {{tw::FromUtf8(kImageName), 0, false}};
    mixed.BindImageN = 1;

    // Small block structures whose trees grow far beyond them: the reader's
    // tree must stay within its budget for the fuzzer's variations of them.
    tw::TJwwData fanOut, chain;
    bool ok = tw::BuildNesting(fanOut, {.definitions = 3, .times = 32}) &&
              tw::BuildNesting(chain, {.definitions = 64, .closed = true});
    ok = ok && WriteAll(chart, folder, "chart") && WriteAll(mixed, folder, "mixed") &&
         WriteAll(fanOut, folder, "fan-out") && WriteAll(chain, folder, "chain");
    std::filesystem::remove(image);
    if (!ok) std::fprintf(stderr, "%s: a seed could not be written\n", argv[0]);
    return ok ? 0 : 1;
}
