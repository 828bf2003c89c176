// Helpers of the reader tests: JWW bytes built from their parts (also the
// ones FileOut would never write), and readings from memory and from files.
#pragma once

#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/jww/ArchiveReader.h>
#include <tintwright/jww/ArchiveWriter.h>
#include <tintwright/jww/Reader.h>
#include <tintwright/jww/Records.h>
#include "jww/WriterSupport.h"

namespace tw::test {

// Items 1 to 38 of doc as they stand, without the writer's corrections.
inline ByteBuffer HeaderBytes(TJwwData& doc, int32_t version, bool utf16 = false) {
    SizeTables(doc);
    return Written(version, utf16, [&](ArchiveWriter& ar) {
        ar.WriteMagic();
        ar.i32(version);
        rec::describeHeader(ar, rec::HeaderRefs::Of(doc));
    });
}

// A header with every value 0 and every name empty.
inline ByteBuffer BlankHeader(int32_t version, bool utf16 = false) {
    TJwwData doc;
    return HeaderBytes(doc, version, utf16);
}

// The fields of a record as they stand.
template <class R>
void PutBody(ArchiveWriter& ar, R record) {
    rec::describe(ar, record);
}

// Writes one record of class cls and counts it, as the entity section does.
template <class R>
void PutRecord(ArchiveWriter& ar, RecordClass cls, R record) {
    ar.BeginRecord(cls);
    PutBody(ar, std::move(record));
    ar.CountObject();
}

// A drawing with every entity kind: a plain and a marker point, a text that
// names the bound image "plan.png", a plain and an SXF-mode dimension, a
// solid of its own colour and one of a pen colour, and two insertions of
// definition 0, whose members include an insertion of definition 1. Values
// are ones the writer keeps as they are.
inline void SampleDrawing(TJwwData& d) {
    d.DataDefaultSet();
    d.Enthd.strMemo = u"\u8272\u8A2D\u5B9A\r\nsecond line";  // 色設定
    auto attr = [](uint8_t style, uint16_t color, uint16_t width) {
        TEntJwwAttr a = Attr(style, color);
        a.lGroup = 3;
        a.nPenWidth = width;
        a.nLayer = 2;
        a.nGLayer = 7;
        a.sFlg = 0x20;
        return a;
    };
    auto point = [&](uint8_t style, double x, double scale) {
        TEntJwwTen p;
        p.att = attr(style, 2, 0);
        p.start_x = x;
        p.start_y = x / 2;
        if (style == rules::kMarkerPointStyle) {
            p.nCode = 4;
            p.radKaitenKaku = 0.25;
        }
        p.dBairitsu = style == rules::kMarkerPointStyle ? 1.5 : scale;
        return p;
    };
    auto text = [&](const std::u16string& str) {
        TEntJwwMoji t;
        t.att = attr(1, 3, 25);
        t.start_x = 1.5;
        t.end_x = 30;
        t.nMojiShu = 2;
        t.dSizeX = 2.5;
        t.dSizeY = 3.5;
        t.dKankaku = 0.5;
        t.degKakudo = 30;
        t.strFontName = u"\uFF2D\uFF33 \u660E\u671D";  // ＭＳ 明朝
        t.str = str;
        return t;
    };
    auto dimension = [&](uint16_t sxf, double at, double partScale) {
        TEntJwwSunpo s;
        s.att = attr(1, 4, 0);
        s.Sen = Line(0, at, 100, at, attr(1, 4, 0));
        s.Moji = text(u"100");
        s.bSxfMode = sxf;
        s.Ho1 = Line(0, 0, 0, at, attr(1, 5, 0));
        s.Ho2 = Line(100, 0, 100, at, attr(1, 5, 0));
        s.Te1 = point(1, 0, partScale);
        s.Te2 = point(100, 100, partScale);
        s.Kt1 = point(1, 10, partScale);
        s.Kt2 = point(1, 90, partScale);
        return s;
    };
    auto add = [&d]<class R>(std::vector<R>& array, int32_t& count, int32_t kind, R r) {
        array.push_back(std::move(r));
        AddEntry(d, kind, count++);
    };
    add(d.EntLine, d.EntLineN, kEntLine, Line(1, 2, 3, 4, attr(2, 6, 30000)));
    TEntJwwEnko arc;
    arc.att = attr(11, 7, 100);
    arc.start_x = 50;
    arc.dHankei = 20;
    arc.radKaishiKaku = 0.5;
    arc.radEnkoKaku = 1.25;
    arc.radKatamukiKaku = 0.125;
    arc.dHenpeiRitsu = 0.5;
    add(d.EntEnko, d.EntEnkoN, kEntArc, arc);
    add(d.EntTen, d.EntTenN, kEntPoint, point(1, 5, 1.0));
    add(d.EntTen, d.EntTenN, kEntPoint, point(100, 6, 1.0));
    add(d.EntMoji, d.EntMojiN, kEntText, text(u"\u56F3\u9762 text"));  // 図面
    add(d.EntMoji, d.EntMojiN, kEntText, text(u"^@BM%temp%plan.png,10,20"));
    add(d.EntSunpo, d.EntSunpoN, kEntDim, dimension(0, 10, 0.0));
    add(d.EntSunpo, d.EntSunpoN, kEntDim, dimension(1, 20, 0.0));
    TEntJwwSolid own;
    own.att = attr(1, 10, 0);
    own.end_x = own.DPoint2_x = own.DPoint2_y = own.DPoint3_y = 8;
    own.Color = 0x123456;
    add(d.EntSolid, d.EntSolidN, kEntSolid, own);
    TEntJwwSolid pen = own;
    pen.att.nPenColor = 9;
    pen.Color = 0;
    add(d.EntSolid, d.EntSolidN, kEntSolid, pen);
    TEntJwwBlock insert;
    insert.att = attr(1, 1, 0);
    insert.DPKijunTen_x = 200;
    insert.dBairitsuX = 2;
    insert.dBairitsuY = 0.5;
    insert.radKaitenKaku = 0.75;
    add(d.EntBlock, d.EntBlockN, kEntBlock, insert);
    insert.DPKijunTen_y = 300;
    add(d.EntBlock, d.EntBlockN, kEntBlock, insert);

    TEntJwwBlockDef outer;
    outer.att = attr(1, 1, 0);
    outer.nNumber = 0;
    outer.bRefferd = 1;
    outer.dtime = 1234;
    outer.strName = u"outer@@SfigorgFlag@@4";
    auto member = [](TEntJwwBlockDef& def, auto& array, int32_t& count, int32_t kind, auto r) {
        array.push_back(std::move(r));
        def.mNo.push_back({kind, count++});
        def.N = static_cast<int32_t>(def.mNo.size());
    };
    member(outer, outer.mLine, outer.mLineN, kEntLine, Line(0, 0, 5, 5, attr(1, 8, 0)));
    TEntJwwBlock nested = insert;
    nested.nNumber = 1;
    member(outer, outer.mBlock, outer.mBlockN, kEntBlock, nested);
    TEntJwwBlockDef inner;
    inner.att = attr(1, 1, 0);
    inner.nNumber = 1;
    inner.strName = u"\u90E8\u54C1";  // 部品
    member(inner, inner.mMoji, inner.mMojiN, kEntText, text(u"in a block"));
    member(inner, inner.mTen, inner.mTenN, kEntPoint, point(1, 1, 0.0));
    member(inner, inner.mEnko, inner.mEnkoN, kEntArc, arc);
    member(inner, inner.mSolid, inner.mSolidN, kEntSolid, own);
    member(inner, inner.mSunpo, inner.mSunpoN, kEntDim, dimension(1, 30, 0.0));
    d.EntBlockDef = {outer, inner};
    d.EntBlockDefN = d.Enthd.n2 = 2;
    d.MakeBlockTree();
}

// FileIn or FilePrevIn from memory into an emptied document.
inline jwwin::ReadReport ReadBytes(TJwwData& doc, const ByteBuffer& bytes,
                                   jwwin::ReadScope scope = {}) {
    doc.DataInit();
    ArchiveReader ar{std::span<const uint8_t>(bytes)};
    return jwwin::ReadDrawing(doc, ar, scope);
}

inline std::u16string SaveBytes(const std::filesystem::path& file, const ByteBuffer& bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return file.u16string();
}

inline ByteBuffer LoadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return ByteBuffer(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Every count of the document fits its array, so nothing reads past one.
inline bool CountsFitArrays(const TJwwData& d) {
    auto fits = [](int32_t n, size_t size) { return n >= 0 && static_cast<size_t>(n) <= size; };
    bool ok = fits(d.Enthd.n1, d.EntNo.size()) && fits(d.EntLineN, d.EntLine.size()) &&
              fits(d.EntEnkoN, d.EntEnko.size()) && fits(d.EntTenN, d.EntTen.size()) &&
              fits(d.EntMojiN, d.EntMoji.size()) && fits(d.EntSunpoN, d.EntSunpo.size()) &&
              fits(d.EntSolidN, d.EntSolid.size()) && fits(d.EntBlockN, d.EntBlock.size()) &&
              fits(d.EntBlockDefN, d.EntBlockDef.size()) && d.Enthd.n2 == d.EntBlockDefN &&
              fits(d.BindImageN, d.BindImage.size());
    for (int32_t i = 0; ok && i < d.EntBlockDefN; ++i) {
        const TEntJwwBlockDef& b = d.EntBlockDef[static_cast<size_t>(i)];
        ok = fits(b.N, b.mNo.size()) && fits(b.mLineN, b.mLine.size()) &&
             fits(b.mEnkoN, b.mEnko.size()) && fits(b.mTenN, b.mTen.size()) &&
             fits(b.mMojiN, b.mMoji.size()) && fits(b.mSunpoN, b.mSunpo.size()) &&
             fits(b.mSolidN, b.mSolid.size()) && fits(b.mBlockN, b.mBlock.size());
    }
    return ok;
}

}  // namespace tw::test
