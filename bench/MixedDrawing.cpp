#include "bench/MixedDrawing.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string>

#include "util/Func_2.h"

namespace tw::bench {
namespace {

TEntJwwAttr Attr(int32_t i) {
    TEntJwwAttr a;
    a.nPenStyle = 1;
    a.nPenColor = static_cast<uint16_t>(1 + i % 9);
    a.nLayer = static_cast<uint16_t>(i % 16);
    a.nGLayer = static_cast<uint16_t>((i / 16) % 16);
    return a;
}

TEntJwwLine Line(int32_t i) {
    TEntJwwLine r;
    r.att = Attr(i);
    r.start_x = i * 0.5;
    r.start_y = i * 0.25;
    r.end_x = r.start_x + 10.0;
    r.end_y = r.start_y - 5.0;
    return r;
}

TEntJwwEnko Arc(int32_t i) {
    TEntJwwEnko r;
    r.att = Attr(i);
    r.start_x = i * 0.5;
    r.start_y = -i * 0.5;
    r.dHankei = 3.0 + i % 7;
    r.radEnkoKaku = 1.5;
    r.dHenpeiRitsu = 1.0;
    return r;
}

// Japanese room labels, as texts of a floor plan look.
const std::array<std::u16string, 4> kLabels = {u"居間", u"寝室 ", u"台所・食堂 ", u"通り芯 X"};

TEntJwwMoji Text(int32_t i) {
    TEntJwwMoji r;
    r.att = Attr(i);
    r.start_x = i * 0.5;
    r.start_y = i * 0.75;
    r.end_x = r.start_x + 20.0;
    r.end_y = r.start_y;
    r.nMojiShu = 3;
    r.dSizeX = r.dSizeY = 3.0;
    r.dKankaku = 0.5;
    r.strFontName = u"ＭＳ ゴシック";
    r.str = kLabels[i % kLabels.size()] + IntToText(i);
    return r;
}

TEntJwwTen Point(int32_t i) {
    TEntJwwTen r;
    r.att = Attr(i);
    r.start_x = i * 0.1;
    r.start_y = i * 0.2;
    r.dBairitsu = 1.0;
    return r;
}

TEntJwwSolid Solid(int32_t i) {
    TEntJwwSolid r;
    r.att = Attr(i);
    r.att.nPenColor = 10;
    r.Color = 0x00C0C0;
    r.end_x = 5.0;
    r.DPoint2_x = r.DPoint2_y = 5.0;
    r.DPoint3_y = 5.0;
    return r;
}

// The insertion at entity i, of the definitions in turn.
TEntJwwBlock Insertion(int32_t i, int32_t definitions) {
    TEntJwwBlock r;
    r.att = Attr(i);
    r.DPKijunTen_x = i * 0.5;
    r.DPKijunTen_y = i * 0.5;
    r.dBairitsuX = r.dBairitsuY = 1.0;
    r.nNumber = static_cast<uint32_t>((i / 100) % definitions);
    return r;
}

template <class Record>
void Append(TJwwData& doc, std::vector<Record>& array, int32_t& count, int32_t kind,
            Record record) {
    array.push_back(std::move(record));
    doc.EntNo.push_back({kind, count++});
}

void AddDefinitions(TJwwData& doc, int32_t definitions) {
    for (int d = 0; d < definitions; ++d) {
        TEntJwwBlockDef def;
        def.nNumber = static_cast<uint32_t>(d);
        def.strName = u"部品" + IntToText(d) + u"@@SfigorgFlag@@4";
        for (int m = 0; m < 4; ++m) {
            def.mLine.push_back(Line(m));
            def.mNo.push_back({kEntLine, def.mLineN++});
        }
        def.mMoji.push_back(Text(d));
        def.mNo.push_back({kEntText, def.mMojiN++});
        def.N = static_cast<int32_t>(def.mNo.size());
        doc.EntBlockDef.push_back(std::move(def));
    }
    doc.EntBlockDefN = definitions;
    doc.Enthd.n2 = definitions;
}

}  // namespace

void MakeMixedDrawing(TJwwData& doc, int32_t n, int32_t definitions) {
    definitions = std::max(definitions, 1);
    doc.DataFree();
    doc.DataDefaultSet();
    AddDefinitions(doc, definitions);
    doc.EntNo.reserve(n);
    for (int32_t i = 0; i < n; ++i) {
        const int32_t slot = i % 100;
        if (slot < 70) {
            Append(doc, doc.EntLine, doc.EntLineN, kEntLine, Line(i));
        } else if (slot < 80) {
            Append(doc, doc.EntEnko, doc.EntEnkoN, kEntArc, Arc(i));
        } else if (slot < 90) {
            Append(doc, doc.EntMoji, doc.EntMojiN, kEntText, Text(i));
        } else if (slot < 95) {
            Append(doc, doc.EntTen, doc.EntTenN, kEntPoint, Point(i));
        } else if (slot < 99) {
            Append(doc, doc.EntSolid, doc.EntSolidN, kEntSolid, Solid(i));
        } else {
            Append(doc, doc.EntBlock, doc.EntBlockN, kEntBlock, Insertion(i, definitions));
        }
    }
    doc.Enthd.n1 = n;
    doc.MakeBlockTree();
}

const TJwwData& MixedDrawingOf(int64_t n) {
    static std::map<int64_t, std::unique_ptr<TJwwData>> drawings;
    auto& doc = drawings[n];
    if (!doc) {
        doc = std::make_unique<TJwwData>();
        MakeMixedDrawing(*doc, static_cast<int32_t>(n));
    }
    return *doc;
}

}  // namespace tw::bench
