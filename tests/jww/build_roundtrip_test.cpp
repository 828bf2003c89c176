// A drawing built only with the entity and block-definition operations —
// every kind and form, a nested block and a self-inserting one — written with
// FileOut at 3.51 and 7.00 in both text codes and read back with FileIn.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include <tintwright/document/JwwUnit.h>
#include "support/RecordFields.h"
#include "support/TempDir.h"

namespace tw {
namespace {

constexpr int32_t kWindow = 0, kRoom = 1, kSpiral = 2;

void BuildDefinitions(TJwwData& d) {
    ASSERT_TRUE(d.AddBlkDef(0, 1, 2, 3, 1, 0, 0, 1, u"window"));
    ASSERT_TRUE(d.AddBlkLine(kWindow, 0, 1, 2, 3, 2, 25, 1, 0, 0, 10, 0));
    ASSERT_TRUE(d.AddBlkArc(kWindow, 0, 1, 2, 4, 1, 0, 0, 0, 0, 10, 1, 0, 90, 0));
    ASSERT_TRUE(d.AddBlkTen(kWindow, 0, 1, 2, 5, 0, 0, 0, 5, 5, 0, 1));
    ASSERT_TRUE(d.AddBlkMoji(kWindow, 0, 1, 2, 1, 2, 0, 0, 10002, 5, -2, 1, 1, 0, 0,
                             u"\uFF2D\uFF33 \u30B4\u30B7\u30C3\u30AF", u"窓 W1"));
    d.AddBlkDefPost(kWindow);

    ASSERT_TRUE(d.AddBlkDef(0, 0, 0, 1, 1, 0, 2, 0, u"room@@SfigorgFlag@@2"));
    ASSERT_TRUE(d.AddBlkBlock(kRoom, 0, 0, 0, 1, 1, 0, 0, kWindow, 10, 0, 1, 1, 0));
    ASSERT_TRUE(d.AddBlkBlock(kRoom, 0, 0, 0, 1, 1, 0, 0, kWindow, 40, 0, -1, 1, 180));
    ASSERT_TRUE(d.AddBlkSunpo(kRoom, 0, 0, 0, 1, 1, 0, 0, 0, -5, 60, -5, 2, 1, 0, 0, 0, 30, -4, 2.5,
                              2.5, 0.5, 0, u"MS Gothic", u"60"));
    ASSERT_TRUE(d.AddBlkSolid(kRoom, 0, 0, 0, 10, 1, 0, 0, 0xC0FFEE, 0, 0, 60, 0, 60, 40));
    ASSERT_TRUE(d.AddBlkSolidA(kRoom, 0, 0, 0, 6, 0, 0, 0, 30, 20, 5, 1, 0));
    d.AddBlkDefPost(kRoom);

    ASSERT_TRUE(d.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 4, u"spiral"));
    ASSERT_TRUE(d.AddBlkLine(kSpiral, 0, 0, 0, 7, 1, 0, 0, 0, 0, 5, 0));
    ASSERT_TRUE(d.AddBlkBlock(kSpiral, 0, 0, 0, 1, 1, 0, 0, kSpiral, 5, 0, 0.5, 0.5, 30));
    d.AddBlkDefPost(kSpiral);
}

void BuildEntities(TJwwData& d) {
    const std::u16string font = u"MS Gothic";
    ASSERT_TRUE(d.AddEntLine(1, 0, 1, 2, 3, 50, 2, 0, 0, 100, 0));
    ASSERT_TRUE(d.AddEntLine(0, 16, -1, 0, 20, 0, 0, 0, 10, 100, 10));  // fallbacks
    ASSERT_TRUE(d.AddEntArc(0, 0, 2, 5, 4, 0, 0, 50, 50, 20, 1, 30, 120, 0));
    ASSERT_TRUE(d.AddEntArc(0, 0, 2, 5, 1, 0, 8, 50, 50, 10, 0.5, 0, 0, 30));  // full ellipse
    ASSERT_TRUE(d.AddEntTen(0, 0, 0, 2, 0, 0, 0, 1, 1, 0, 0));
    ASSERT_TRUE(d.AddEntTen(0, 0, 0, 3, -3, 0, 4, 2, 2, 45, 2));  // marker
    ASSERT_TRUE(d.AddEntTen(0, 0, 0, 9, 0, 0, 8, 3, 3, 0, 0));    // temporary
    ASSERT_TRUE(
        d.AddEntMoji(0, 0, 3, 1, 1, 0, 2, 10003, 0, 20, 30, 20, 1, 1, 0, 0, font, u"日本語 text"));
    ASSERT_TRUE(d.AddEntMoji(0, 0, 3, 4, 5, 0, 0, 0, 50, 30, 3, 4, 1, 30, font, u"abc"));
    ASSERT_TRUE(d.AddEntMoji(0, 0, 3, 4, 7, 0, 4, 20011, 80, 30, 3, 4, 1, 90, font, u"縦"));

    // The five dimension forms.
    ASSERT_TRUE(d.AddEntSunpo(0, 0, 4, 1, 1, 0, 0, 0, -10, 100, -10, 2, 2, 0, 0, 0, 48, -9, 52, -9,
                              2, 2, 0, 0, font, u"100"));
    ASSERT_TRUE(d.AddEntSunpo(0, 0, 4, 1, 1, 0, 0, 0, -20, 100, -20, 2, 8, 0, 4, 10001, 50, -19, 2,
                              2, 0, 0, font, u"100"));
    ASSERT_TRUE(d.AddEntSunpo(0, 0, 4, 1, 1, 0, 0, 0, -30, 100, -30, 2, 2, 0, 0, 0, 48, -29, 52,
                              -29, 2, 2, 0, 0, font, u"100",       //
                              1, 3, 2, 0, 0, 0, -31, 0, -40,       // Ho1
                              1, 3, 2, 0, 0, 100, -31, 100, -40,   // Ho2
                              1, 4, 3, 0, 0, 1, 2, 5, 0, 0, 0, 1,  // Te1, Te2
                              1, 5, -1, 0, 0, 0, -40, 1, 1, 5, -1, 0, 0, 100, -40, 1));
    ASSERT_TRUE(d.AddEntSunpo(0, 0, 4, 1, 1, 0, 0, 0, -50, 100, -50, 2, 2, 0, 0, 0, 50, -49, 2, 2,
                              0, 0, font, u"100",                                    //
                              0, 3, 2, 0, 0, 0, 0, 0, 0, 0, 3, 2, 0, 0, 0, 0, 0, 0,  //
                              1, 4, 3, 0, 0, 1, 0, 4, 3, 0, 0, 1,                    //
                              0, 5, 0, 0, 0, 0, 0, 1, 0, 5, 0, 0, 0, 0, 0, 1));
    ASSERT_TRUE(d.AddEntSunpo(0, 0, 4, 1, 1, 0, 0, 0, -70, 100, -70, 2, 2, 0, 0, 0, 50, -69, 2, 2,
                              0, 0, font, u"100", 1, 2,             //
                              1, 3, 2, 0, 0, 1, 3, 2, 0, 0,         //
                              2, 4, 3, 0, 16, 1, 2, 4, 3, 0, 0, 1,  //
                              1, 5, -2, 0, 0, 0, -80, 1, 1, 5, 0, 8, 0, 100, -80, 1));

    // Solids: the three corner forms and the curved ones.
    ASSERT_TRUE(d.AddEntSolid(0, 0, 5, 10, 1, 0, 1, 0x123456, 0, 0, 10, 0, 10, 10, 0, 10));
    ASSERT_TRUE(d.AddEntSolid(0, 0, 5, 3, 1, 0, 0, 0, 20, 0, 30, 10));
    ASSERT_TRUE(d.AddEntSolid(0, 0, 5, 4, 1, 0, 0, 0, 40, 0, 50, 0, 45, 10));
    ASSERT_TRUE(d.AddEntSolidA(0, 0, 5, 10, 0, 0, 0xFF00, 70, 5, 5, 1, 0));
    ASSERT_TRUE(d.AddEntSolidA(0, 0, 5, 5, 0, 0, 0, 90, 5, 5, 1, 0, 0, 90));
    ASSERT_TRUE(d.AddEntSolidC(0, 0, 5, 6, 2, 0, 0, 0, 110, 5, 5, 1, 0, 0, 180));
    ASSERT_TRUE(d.AddEntSolidD(0, 0, 5, 7, 2, 0, 0, 0, 130, 5, 5, 2, 1, 0, 0, 270));

    // Insertions: the room (which holds two windows) and the spiral.
    ASSERT_TRUE(d.AddEntBlock(0, 0, 6, 1, 1, 0, 0, kRoom, 200, 0, 2, 2, 90));
    ASSERT_TRUE(d.AddEntBlock(0, 0, 6, 1, 1, 0, 16, kSpiral, 300, 0, 1, 1, 0));
}

// What a file of the version gives back: from 4.20 on the points of a
// dimension are written with line type 1 or 100, so the unused points of a
// plain dimension (line type 0) and those that copy the dimension's line type
// come back as 1.
void WriteFilter(TJwwData& d, int32_t version) {
    if (version < 420) return;
    const auto filter = [](std::vector<TEntJwwSunpo>& dims, int32_t n) {
        for (int32_t i = 0; i < n; ++i) {
            for (TEntJwwTen* p : {&dims[i].Te1, &dims[i].Te2, &dims[i].Kt1, &dims[i].Kt2}) {
                if (p->att.nPenStyle != 1 && p->att.nPenStyle != 100) p->att.nPenStyle = 1;
            }
        }
    };
    filter(d.EntSunpo, d.EntSunpoN);
    for (int32_t i = 0; i < d.EntBlockDefN; ++i) {
        filter(d.EntBlockDef[i].mSunpo, d.EntBlockDef[i].mSunpoN);
    }
}

class BuildRoundTrip : public testing::TestWithParam<std::tuple<int32_t, int32_t>> {};

TEST_P(BuildRoundTrip, ReadsBackEqual) {
    const auto [version, textCode] = GetParam();
    TJwwData built;
    built.DataDefaultSet();
    ASSERT_TRUE(built.AddEntPre());
    BuildDefinitions(built);
    BuildEntities(built);
    ASSERT_TRUE(built.AddEntPost());
    ASSERT_EQ(built.EntBlockNum, 3);
    ASSERT_LT(built.EntBlockTreeN, 100);
    // A drawing meant for the older version carries it, so that its SXF
    // dimensions stay single records (split parts are the reader's tests).
    built.Enthd.jwVer = version;
    built.SetFileOutOption(textCode);

    TempDir dir;
    const std::u16string file = (dir.path() / "built.jww").u16string();
    ASSERT_TRUE(built.FileOut(file, version));

    TJwwData read;
    ASSERT_TRUE(read.FileIn(file));
    EXPECT_EQ(read.Enthd.n1, built.Enthd.n1);
    EXPECT_EQ(read.EntBlockDefN, 3);
    EXPECT_EQ(read.EntBlockNum, 3);
    EXPECT_EQ(read.EntBlockTreeN, built.EntBlockTreeN);
    WriteFilter(built, version);
    EXPECT_EQ(test::DrawingFields(read, version), test::DrawingFields(built, version));
}

INSTANTIATE_TEST_SUITE_P(Versions, BuildRoundTrip,
                         testing::Combine(testing::Values(351, 700), testing::Values(0, 32)),
                         [](const auto& info) {
                             return "v" + std::to_string(std::get<0>(info.param)) +
                                    (std::get<1>(info.param) == 32 ? "_utf16" : "_ansi");
                         });

}  // namespace
}  // namespace tw
