#include "document/Fonts.h"

#include <gtest/gtest.h>

namespace tw::fonts {
namespace {

struct FaceCase {
    std::u16string name;
    bool fixedPitch;
    std::string linuxFace;
    std::string windowsFace;
    std::string generic;
    std::string dxfFile;
    bool vertical;
};

TEST(FontsTest, JwCadNamesMapToTheirFaces) {
    const FaceCase cases[] = {
        {u"ＭＳ ゴシック", true, "IPAGothic", "ＭＳ ゴシック", "sans-serif", "msgothic.ttc", false},
        {u"MS Gothic", true, "IPAGothic", "ＭＳ ゴシック", "sans-serif", "msgothic.ttc", false},
        {u"@ＭＳ ゴシック", true, "IPAGothic", "ＭＳ ゴシック", "sans-serif", "msgothic.ttc", true},
        {u"ＭＳ Ｐゴシック", false, "IPAPGothic", "ＭＳ Ｐゴシック", "sans-serif", "msgothic.ttc",
         false},
        {u"ＭＳ 明朝", true, "IPAMincho", "ＭＳ 明朝", "serif", "msmincho.ttc", false},
        {u"ms mincho", true, "IPAMincho", "ＭＳ 明朝", "serif", "msmincho.ttc", false},
        {u"ＭＳ Ｐ明朝", false, "IPAPMincho", "ＭＳ Ｐ明朝", "serif", "msmincho.ttc", false},
        {u"MS UI Gothic", false, "IPAPGothic", "MS UI Gothic", "sans-serif", "msgothic.ttc", false},
        {u"HG正楷書体-PRO", false, "IPAPGothic", "HG正楷書体-PRO", "sans-serif", "", false},
        {u"HGS明朝E", false, "IPAPMincho", "HGS明朝E", "serif", "", false},
        {u"", false, "IPAPGothic", "", "sans-serif", "", false},
    };
    for (const FaceCase& c : cases) {
        const FontFace face = FaceOf(c.name);
        SCOPED_TRACE(c.windowsFace);
        EXPECT_EQ(face.fixedPitch, c.fixedPitch);
        EXPECT_EQ(face.linuxFace, c.linuxFace);
        EXPECT_EQ(face.windowsFace, c.windowsFace);
        EXPECT_EQ(face.genericFamily, c.generic);
        EXPECT_EQ(face.dxfFontFile, c.dxfFile);
        EXPECT_EQ(face.vertical, c.vertical);
    }
}

TEST(FontsTest, HalfWidthUnitsAreAsciiAndHalfWidthKatakana) {
    for (char16_t c : {u' ', u'A', u'~', u'\uFF61', u'\uFF9F'})
        EXPECT_TRUE(IsHalfWidth(c)) << int(c);
    for (char16_t c : {u'\x1F', u'\x7F', u'あ', u'Ａ', u'\uFF60', u'\uFFA0'})
        EXPECT_FALSE(IsHalfWidth(c)) << int(c);
}

}  // namespace
}  // namespace tw::fonts
