// Every entity record and a block definition's head, byte for byte, against
// an encoder written here from the file layout alone. It shares nothing with
// the record descriptions or the archives, so a slip in a layout that the
// writer and the reader would share (two fields swapped, a version guard
// moved) shows here: the writer's file must equal the encoded bytes, and
// what the reader makes of the encoded bytes must encode to them again.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include <tintwright/document/Counted.h>
#include <tintwright/document/EntityTarget.h>
#include <tintwright/document/JwwUnit.h>
#include "jww/EntityList.h"
#include "jww/ReaderSupport.h"
#include "support/ByteDiff.h"
#include "support/TempDir.h"

namespace tw::test {
namespace {


// ---- Byte stream ------------------------------------------------------------

class Encoder {
  public:
    Encoder(int32_t version, bool utf16) : v_(version), utf16_(utf16) {}

    int32_t V() const { return v_; }
    const ByteBuffer& Bytes() const { return out_; }

    void U8(uint32_t x) { out_.push_back(static_cast<uint8_t>(x)); }
    void U16(uint32_t x) {
        U8(x);
        U8(x >> 8);
    }
    void U32(uint32_t x) {
        U16(x);
        U16(x >> 16);
    }
    void F64(double d) {
        const auto u = std::bit_cast<uint64_t>(d);
        U32(static_cast<uint32_t>(u));
        U32(static_cast<uint32_t>(u >> 32));
    }
    void Raw(const std::string& s) { out_.insert(out_.end(), s.begin(), s.end()); }

    // A length below 255 in one byte, else 0xFF and a word.
    void Length(size_t n) {
        if (n < 255) {
            U8(n);
        } else {
            U8(0xFF);
            U16(n);
        }
    }
    // UTF-16: 0xFF, the marker 0xFFFE, the length in code units and the
    // units; else the length and the code page 932 bytes.
    void Text(const std::u16string& s) {
        if (utf16_) {
            U8(0xFF);
            U16(0xFFFE);
            Length(s.size());
            for (char16_t c : s)
                U16(c);
        } else {
            const std::string bytes = Sjis(s);
            Length(bytes.size());
            Raw(bytes);
        }
    }
    // The counts of these drawings are all small.
    void Count(size_t n) { U16(n); }

    // Opens an object record: the class definition (0xFFFF, schema, name)
    // the first time, which takes the running object index; 0x8000 plus
    // that index afterwards.
    void Begin(const std::string& cls) {
        const auto found = classes_.find(cls);
        if (found != classes_.end()) {
            U16(0x8000 + found->second);
            return;
        }
        U16(0xFFFF);
        U16(v_);
        U16(cls.size());
        Raw(cls);
        classes_[cls] = running_++;
    }
    // One object complete.
    void Object() { ++running_; }

  private:
    // The few characters these tests use beyond ASCII.
    static std::string Sjis(const std::u16string& s) {
        static const std::map<char16_t, std::string> kWide{
            {u'\u56F3', "\x90\x7D"}, {u'\u9762', "\x96\xCA"}, {u'\uFF2D', "\x82\x6C"},
            {u'\uFF33', "\x82\x72"}, {u'\u30B4', "\x83\x53"}, {u'\u30B7', "\x83\x56"},
            {u'\u30C3', "\x83\x62"}, {u'\u30AF', "\x83\x4E"}};
        std::string out;
        for (char16_t c : s) {
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else if (kWide.contains(c)) {
                out += kWide.at(c);
            } else {
                ADD_FAILURE() << "no code page 932 bytes for U+" << std::hex << int(c);
            }
        }
        return out;
    }

    int32_t v_;
    bool utf16_;
    ByteBuffer out_;
    std::map<std::string, int> classes_;
    int running_ = 1;
};

// ---- The records, from the layout -----------------------------------------

// 15 bytes; nPenWidth only from 3.51.
void Put(Encoder& e, const TEntJwwAttr& a) {
    e.U32(a.lGroup);
    e.U8(a.nPenStyle);
    e.U16(a.nPenColor);
    if (e.V() >= 351) e.U16(a.nPenWidth);
    e.U16(a.nLayer);
    e.U16(a.nGLayer);
    e.U16(a.sFlg);
}

void Put(Encoder& e, const TEntJwwLine& r) {
    Put(e, r.att);
    for (double d : {r.start_x, r.start_y, r.end_x, r.end_y})
        e.F64(d);
}

void Put(Encoder& e, const TEntJwwEnko& r) {
    Put(e, r.att);
    for (double d : {r.start_x, r.start_y, r.dHankei, r.radKaishiKaku, r.radEnkoKaku,
                     r.radKatamukiKaku, r.dHenpeiRitsu})
        e.F64(d);
    e.U32(r.bZenEnFlg);
}

// A marker point (style 100) carries its code, angle and scale.
void Put(Encoder& e, const TEntJwwTen& r) {
    Put(e, r.att);
    e.F64(r.start_x);
    e.F64(r.start_y);
    e.U32(r.bKariten);
    if (r.att.nPenStyle != 100) return;
    e.U32(r.nCode);
    e.F64(r.radKaitenKaku);
    e.F64(r.dBairitsu);
}

void Put(Encoder& e, const TEntJwwMoji& r) {
    Put(e, r.att);
    for (double d : {r.start_x, r.start_y, r.end_x, r.end_y})
        e.F64(d);
    e.U32(r.nMojiShu);
    for (double d : {r.dSizeX, r.dSizeY, r.dKankaku, r.degKakudo})
        e.F64(d);
    e.Text(r.strFontName);
    e.Text(r.str);
}

// From 4.20 the SXF switch and the six parts follow inside the record.
void Put(Encoder& e, const TEntJwwSunpo& r) {
    Put(e, r.att);
    Put(e, r.Sen);
    Put(e, r.Moji);
    if (e.V() < 420) return;
    e.U16(r.bSxfMode);
    Put(e, r.Ho1);
    Put(e, r.Ho2);
    for (const TEntJwwTen* p : {&r.Te1, &r.Te2, &r.Kt1, &r.Kt2})
        Put(e, *p);
}

// Pen colour 10: the solid's own colour follows.
void Put(Encoder& e, const TEntJwwSolid& r) {
    Put(e, r.att);
    for (double d : {r.start_x, r.start_y, r.end_x, r.end_y, r.DPoint2_x, r.DPoint2_y, r.DPoint3_x,
                     r.DPoint3_y})
        e.F64(d);
    if (r.att.nPenColor == 10) e.U32(r.Color);
}

void Put(Encoder& e, const TEntJwwBlock& r) {
    Put(e, r.att);
    for (double d : {r.DPKijunTen_x, r.DPKijunTen_y, r.dBairitsuX, r.dBairitsuY, r.radKaitenKaku})
        e.F64(d);
    e.U32(r.nNumber);
}

// Below 4.20 an SXF dimension (of a 4.20 or newer drawing) is followed by
// its parts as records of their own, the measured points temporary.
bool SeparateParts(const Entity& x, int32_t version) {
    const auto* dim = std::get_if<TEntJwwSunpo>(&x);
    return version < 420 && dim && dim->bSxfMode != 0;
}

template <class R>
void PutObject(Encoder& e, const R& r) {
    e.Begin(ClassOf(r));
    Put(e, r);
    e.Object();
}

void PutObject(Encoder& e, const Entity& x) {
    std::visit([&](const auto& r) { PutObject(e, r); }, x);
    if (!SeparateParts(x, e.V())) return;
    const TEntJwwSunpo& dim = std::get<TEntJwwSunpo>(x);
    PutObject(e, dim.Ho1);
    PutObject(e, dim.Ho2);
    PutObject(e, dim.Te1);
    PutObject(e, dim.Te2);
    for (TEntJwwTen measured : {dim.Kt1, dim.Kt2}) {
        measured.bKariten = 1;
        PutObject(e, measured);
    }
}

// An order list: the number of records, then the records.
void PutList(Encoder& e, const std::vector<Entity>& list) {
    size_t records = 0;
    for (const Entity& x : list)
        records += SeparateParts(x, e.V()) ? 7 : 1;
    e.Count(records);
    for (const Entity& x : list)
        PutObject(e, x);
}

// ---- Drawings ---------------------------------------------------------------

struct Definition {
    TEntJwwBlockDef head;  // att, nNumber, bRefferd, dtime, strName
    std::vector<Entity> members;
};

struct Drawing {
    std::vector<Entity> entities;
    std::vector<Definition> definitions;
};

// Everything after the header: the entities, the block definitions (a list
// record each: head, name, member count, the list's own object, members)
// and, from 7.00, an empty image section.
ByteBuffer Encoded(const Drawing& d, int32_t version, bool utf16) {
    Encoder e(version, utf16);
    PutList(e, d.entities);
    e.Count(d.definitions.size());
    for (const Definition& def : d.definitions) {
        e.Begin("CDataList");
        Put(e, def.head.att);
        e.U32(def.head.nNumber);
        e.U32(def.head.bRefferd);
        e.U32(def.head.dtime);
        e.Text(def.head.strName);
        e.Count(def.members.size());
        e.Object();
        for (const Entity& x : def.members)
            PutObject(e, x);
    }
    if (version >= 700) e.U32(0);
    return e.Bytes();
}

void AddAll(const EntityTarget& target, const std::vector<Entity>& list) {
    for (const Entity& x : list)
        std::visit([&](const auto& r) { ASSERT_TRUE(Append(target, r)); }, x);
}

// A document of default settings holding the drawing; every definition is
// in use, so each is written under its own place, which its number is.
void Fill(TJwwData& doc, const Drawing& d, bool utf16) {
    doc.DataDefaultSet();
    doc.SetFileOutOption(utf16 ? kOutUtf16 : 0);
    AddAll(DrawingTarget(doc), d.entities);
    for (const Definition& def : d.definitions) {
        TEntJwwBlockDef& made = doc.EntBlockDef.emplace_back(def.head);
        AddAll(DefinitionTarget(made), def.members);
    }
    doc.EntBlockDefN = doc.Enthd.n2 = static_cast<int32_t>(d.definitions.size());
    doc.MakeBlockTree();
}

Drawing DrawingOf(TJwwData& doc) {
    Drawing d{ListOf(EntityView::Of(doc)), {}};
    for (TEntJwwBlockDef& def : Counted(doc.EntBlockDef, doc.EntBlockDefN))
        d.definitions.push_back({def, ListOf(EntityView::Of(def))});
    return d;
}

// ---- The cases ----------------------------------------------------------------

// Every field different from the others, so that a swap shows.
TEntJwwAttr Attr(uint8_t style, uint16_t color, uint16_t seed) {
    TEntJwwAttr a;
    a.lGroup = 0x01020300u + seed;
    a.nPenStyle = style;
    a.nPenColor = color;
    a.nPenWidth = static_cast<uint16_t>(250 + seed);
    a.nLayer = static_cast<uint16_t>(3 + seed % 8);
    a.nGLayer = static_cast<uint16_t>(12 - seed % 8);
    a.sFlg = static_cast<uint16_t>(0x0100 + seed);
    return a;
}

TEntJwwLine SomeLine(uint16_t seed) {
    return Line(1.5 + seed, -2.25, 3.125, 4.0625 * seed, Attr(2, 3, seed));
}

TEntJwwEnko Arc(double flattening, uint32_t full) {
    TEntJwwEnko r;
    r.att = Attr(3, 4, 1);
    r.start_x = 10.5;
    r.start_y = -20.25;
    r.dHankei = 7.75;
    r.radKaishiKaku = full ? 0.0 : 0.375;
    r.radEnkoKaku = full ? 6.283185307179586 : 1.625;
    r.radKatamukiKaku = 0.1875;
    r.dHenpeiRitsu = flattening;
    r.bZenEnFlg = full;
    return r;
}

TEntJwwTen Point(uint8_t style, uint32_t temporary, uint16_t seed) {
    TEntJwwTen r;
    r.att = Attr(style, 5, seed);
    r.start_x = 30.5 + seed;
    r.start_y = -40.75;
    r.bKariten = temporary;
    if (style == 100) {
        r.nCode = 7;
        r.radKaitenKaku = 0.625;
        r.dBairitsu = 2.5;
    }
    return r;
}

TEntJwwMoji Text(const std::u16string& str, uint16_t seed) {
    TEntJwwMoji r;
    r.att = Attr(4, 6, seed);
    r.start_x = 1.25;
    r.start_y = 2.5;
    r.end_x = 33.75;
    r.end_y = 4.5;
    r.nMojiShu = 10002;
    r.dSizeX = 3.5;
    r.dSizeY = 4.25;
    r.dKankaku = 0.75;
    r.degKakudo = 30;
    r.strFontName = u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF";  // ＭＳ ゴシック
    r.str = str;
    return r;
}

TEntJwwSunpo Dimension(uint16_t sxf) {
    TEntJwwSunpo r;
    r.att = Attr(5, 7, 2);
    r.Sen = SomeLine(3);
    r.Moji = Text(u"1500", 4);
    r.bSxfMode = sxf;
    r.Ho1 = SomeLine(5);
    r.Ho2 = SomeLine(6);
    r.Te1 = Point(100, 0, 7);
    r.Te2 = Point(1, 0, 8);
    r.Kt1 = Point(1, 1, 9);
    r.Kt2 = Point(100, 1, 10);
    return r;
}

TEntJwwSolid Solid(uint8_t style, uint16_t color) {
    TEntJwwSolid r;
    r.att = Attr(style, color, 11);
    r.start_x = 1.5;
    r.start_y = 2.5;
    r.end_x = 3.5;
    r.end_y = 4.5;
    r.DPoint2_x = 5.5;
    r.DPoint2_y = 6.5;
    r.DPoint3_x = 7.5;
    r.DPoint3_y = 8.5;
    r.Color = color == 10 ? 0x00123456u : 0;
    return r;
}

TEntJwwBlock Insertion(uint32_t number, uint16_t seed) {
    TEntJwwBlock r;
    r.att = Attr(1, 8, seed);
    r.DPKijunTen_x = 100.5;
    r.DPKijunTen_y = -200.25;
    r.dBairitsuX = 2.5;
    r.dBairitsuY = 0.75;
    r.radKaitenKaku = 0.5;
    r.nNumber = number;
    return r;
}

TEntJwwBlockDef Head(uint32_t number, uint32_t referred, uint32_t time,
                     const std::u16string& name) {
    TEntJwwBlockDef r;
    r.att = Attr(9, 2, 12 + static_cast<uint16_t>(number));
    r.nNumber = number;
    r.bRefferd = referred;
    r.dtime = time;
    r.strName = name;
    return r;
}

struct Case {
    const char* name;
    Drawing drawing;
};

std::vector<Case> Cases() {
    const std::u16string drawingText = u"\u56F3\u9762 A-1";  // 図面
    return {
        {"line", {{SomeLine(1)}, {}}},
        {"arc", {{Arc(1.0, 0)}, {}}},
        {"circle", {{Arc(1.0, 1)}, {}}},
        {"ellipse", {{Arc(0.5, 1)}, {}}},
        {"point", {{Point(1, 0, 1)}, {}}},
        {"temporary point", {{Point(1, 1, 2)}, {}}},
        {"marker point", {{Point(100, 0, 3)}, {}}},
        {"text", {{Text(drawingText, 1)}, {}}},
        {"text of 254", {{Text(std::u16string(254, u'x'), 1)}, {}}},
        {"text of 255", {{Text(std::u16string(255, u'x'), 1)}, {}}},
        {"text of 256", {{Text(std::u16string(256, u'x'), 1)}, {}}},
        {"text of 300", {{Text(std::u16string(300, u'x'), 1)}, {}}},
        {"dimension", {{Dimension(0)}, {}}},
        {"SXF dimension", {{Dimension(1), SomeLine(13)}, {}}},
        {"solid", {{Solid(1, 3)}, {}}},
        {"curved solid", {{Solid(101, 3)}, {}}},
        {"solid of its own colour", {{Solid(1, 10)}, {}}},
        {"insertions and definitions",
         {{Insertion(0, 1), SomeLine(2), Insertion(1, 3)},
          {{Head(0, 1, 0x01020304, u"unit@@SfigorgFlag@@4"),
            {SomeLine(4), Insertion(1, 5), Point(100, 0, 6)}},
           {Head(1, 0, 77, drawingText), {Arc(0.5, 0), Text(drawingText, 7)}}}}},
    };
}

class RecordBytes : public ::testing::Test {
  protected:
    // The file FileOut writes for the drawing.
    ByteBuffer Saved(const Drawing& d, int32_t version, bool utf16) {
        TJwwData doc;
        Fill(doc, d, utf16);
        const auto file = dir.path() / "saved.jww";
        EXPECT_TRUE(doc.FileOut(file.u16string(), version));
        return LoadBytes(file);
    }
    // Header items 1 to 38 of a document of default settings.
    const ByteBuffer& Header(int32_t version, bool utf16) {
        ByteBuffer& header = headers[{version, utf16}];
        if (header.empty()) {
            const ByteBuffer empty = Saved({}, version, utf16);
            const size_t tail = Encoded({}, version, utf16).size();
            header.assign(empty.begin(), empty.end() - static_cast<ptrdiff_t>(tail));
        }
        return header;
    }
    // What FileIn makes of the bytes.
    Drawing Read(const ByteBuffer& bytes) {
        const auto file = SaveBytes(dir.path() / "read.jww", bytes);
        TJwwData doc;
        EXPECT_TRUE(doc.FileIn(file));
        return DrawingOf(doc);
    }

    TempDir dir;
    std::map<std::pair<int32_t, bool>, ByteBuffer> headers;
};

// Versions on either side of 3.51 (pen width) and 4.20 (long dimension),
// and 7.00 (image section), in both text codes.
TEST_F(RecordBytes, WrittenAndReadAsTheLayoutSays) {
    for (const Case& c : Cases()) {
        for (int32_t version : {300, 351, 420, 700}) {
            for (bool utf16 : {false, true}) {
                SCOPED_TRACE(std::string(c.name) + " v" + std::to_string(version) +
                             (utf16 ? " utf16" : " ansi"));
                const ByteBuffer header = Header(version, utf16);
                const ByteBuffer want = Concat({header, Encoded(c.drawing, version, utf16)});
                const ByteBuffer got = Saved(c.drawing, version, utf16);
                EXPECT_TRUE(got == want) << FirstDifference(got, want);

                const ByteBuffer reread = Concat({header, Encoded(Read(want), version, utf16)});
                EXPECT_TRUE(reread == want) << FirstDifference(reread, want);
            }
        }
    }
}

}  // namespace
}  // namespace tw::test
