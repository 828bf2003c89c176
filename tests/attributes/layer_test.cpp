// Layer states, scales and labels.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include <tintwright/attributes/UnitGraAtt.h>

namespace tw {
namespace {

TEST(GraAttLayer, DefaultLabelsUseOneUpperCaseHexDigit) {
    struct Label {
        int32_t n;
        const char16_t* group;
        const char16_t* layer;
    };
    const Label labels[] = {{0, u"[0] ", u"(0) "},
                            {17, u"[1] ", u"(1) "},
                            {175, u"[A] ", u"(F) "},
                            {255, u"[F] ", u"(F) "}};
    TgraAttribute att;
    att.SetAttrLayer(175, 2, 3.0, u"x", u"y");
    att.SetDefaultLayer();
    for (const auto& l : labels) {
        EXPECT_EQ(att.GetAttrLayerGName(l.n), l.group) << l.n;
        EXPECT_EQ(att.GetAttrLayerName(l.n), l.layer) << l.n;
        EXPECT_EQ(att.GetAttrLayerState(l.n), 1);
        EXPECT_EQ(att.GetAttrLayerScale(l.n), 1.0);
    }
}

TEST(GraAttLayer, InvalidStateAndScaleAreReplaced) {
    TgraAttribute att;
    att.SetAttrLayer(17, 5, 0.0, u"A", u"B");
    int32_t st = 0;
    double sc = 0;
    std::u16string g, l;
    ASSERT_TRUE(att.GetAttrLayer(17, st, sc, g, l));
    EXPECT_EQ(st, 1);
    EXPECT_EQ(sc, 1.0);
    EXPECT_EQ(g, u"[1] A");
    EXPECT_EQ(l, u"(1) B");

    att.SetAttrLayer(17, 0, -2.0);
    EXPECT_EQ(att.GetAttrLayerState(17), 1);
    EXPECT_EQ(att.GetAttrLayerScale(17), 1.0);
}

TEST(GraAttLayer, ShortFormsKeepWhatTheyDoNotSet) {
    TgraAttribute att;
    att.SetAttrLayer(200, 3, 0.5, u"G", u"L");
    att.SetAttrLayer(200, 2, 0.25);
    EXPECT_EQ(att.GetAttrLayerState(200), 2);
    EXPECT_EQ(att.GetAttrLayerScale(200), 0.25);
    EXPECT_EQ(att.GetAttrLayerGName(200), u"[C] G");
    EXPECT_EQ(att.GetAttrLayerName(200), u"(8) L");
    att.SetAttrLayer(200, 3);
    EXPECT_EQ(att.GetAttrLayerState(200), 3);
    EXPECT_EQ(att.GetAttrLayerScale(200), 0.25);
}

TEST(GraAttLayer, OutOfRangeIsIgnoredAndGivesFallbacks) {
    TgraAttribute att;
    for (int32_t n : {-1, 256, 100000}) {
        att.SetAttrLayer(n, 2, 5.0, u"A", u"B");
        EXPECT_EQ(att.GetAttrLayerState(n), 1) << n;
        EXPECT_EQ(att.GetAttrLayerScale(n), 1.0) << n;
        EXPECT_EQ(att.GetAttrLayerGName(n), u"") << n;
        EXPECT_EQ(att.GetAttrLayerName(n), u"") << n;
        int32_t st = 9;
        double sc = 9.0;
        std::u16string g = u"keep", l = u"keep";
        EXPECT_FALSE(att.GetAttrLayer(n, st, sc, g, l));
        EXPECT_EQ(st, 9);
        EXPECT_EQ(g, u"keep");
    }
}

}  // namespace
}  // namespace tw
