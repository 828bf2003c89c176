// The tag writer's values as they reach the file, and the names made valid
// for DXF tables.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include <tintwright/dxf/Names.h>
#include <tintwright/dxf/TagWriter.h>
#include "jww/WriterSupport.h"

namespace tw::dxf {
namespace {

std::string Written(const test::MemorySink& sink) {
    return std::string(sink.bytes.begin(), sink.bytes.end());
}

struct EncodeCase {
    bool utf8;
    std::u16string text;
    std::string bytes;
};

TEST(DxfTagWriter, EncodesTextsInTheFilesCodePageKeepingEveryCharacter) {
    const EncodeCase cases[] = {
        {false, u"abc", "abc"},
        {false, u"日本", "\x93\xFA\x96\x7B"},
        {false, u"ｶ", "\xB6"},               // half-width: one byte
        {false, u"ü€", "\\U+00FC\\U+20AC"},  // not in code page 932
        {false, u"𠮷", "\\U+D842\\U+DFB7"},  // a pair: two escapes
        {false, u"−", "\\U+2212"},           // would read back as U+FF0D
        {false, u"a\nb\tc\x7F", "a b c "},   // controls would end the value
        {true, u"日本ü𠮷", "日本ü𠮷"},       // 2007: UTF-8
        {true, u"a\r\nb", "a  b"},
    };
    for (const EncodeCase& c : cases) {
        test::MemorySink sink;
        TagWriter w(sink, c.utf8);
        EXPECT_EQ(w.Encode(c.text), c.bytes) << ToUtf8(c.text);
    }
    test::MemorySink sink;
    TagWriter w(sink, false);
    EXPECT_EQ(w.EncodeName(u"層ü"), "\x91\x77U+00FC") << "names carry no backslash";
}

TEST(DxfTagWriter, WritesNumbersShortestHandlesInUpperCaseHexAndPointsWithZ) {
    test::MemorySink sink;
    TagWriter w(sink, false);
    w.Real(40, 0.1);
    w.Real(41, 1e20);
    w.Int(70, -3);
    w.Handle(5, 0xABC);
    w.Point(10, 1.5, -2);
    w.Point(11, 3, 4, false);
    w.Flush();
    EXPECT_EQ(Written(sink),
              "40\n0.1\n41\n1e+20\n70\n-3\n5\nABC\n10\n1.5\n20\n-2\n30\n0\n11\n3\n21\n4\n");
    EXPECT_EQ(w.NotFinite(), 0U);
}

TEST(DxfTagWriter, ARecordWithAValueNotFiniteIsTakenBackWhole) {
    test::MemorySink sink;
    TagWriter w(sink, false);
    w.Tag(0, "SECTION");
    for (const double value : {1.0, std::nan(""), std::numeric_limits<double>::infinity()}) {
        w.BeginRecord();
        w.Tag(0, "POINT");
        w.Real(10, value);
        EXPECT_EQ(w.EndRecord(), std::isfinite(value));
    }
    w.Real(40, std::nan(""));  // outside records: written as 0 and counted
    w.Flush();
    EXPECT_EQ(Written(sink), "0\nSECTION\n0\nPOINT\n10\n1\n40\n0\n");
    EXPECT_EQ(w.NotFinite(), 1U);
}

TEST(DxfSafeName, ReplacesEveryCharacterTablesForbid) {
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"a<b>c/d\\e\"f:g;h?i*j|k=l`m,n", u"a_b_c_d_e_f_g_h_i_j_k_l_m_n"},
        {u"tab\there\nnew", u"tab_here_new"},
        {u"部品 A~1-2_ü😀", u"部品 A~1-2_ü😀"},
        {u"", u""},
    };
    for (const auto& [name, safe] : cases)
        EXPECT_EQ(SafeName(name), safe) << ToUtf8(name);
}

}  // namespace
}  // namespace tw::dxf
