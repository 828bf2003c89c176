// The named-argument building operations make the same records as the
// positional ones, in the drawing and in a block definition.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include <tintwright/document/EntityArgs.h>
#include <tintwright/document/EntityView.h>
#include <tintwright/document/JwwUnit.h>
#include "support/RecordFields.h"

namespace tw {
namespace {

class NamedArgs : public testing::Test {
  protected:
    NamedArgs() {
        doc.EntMoj.resize(10);
        doc.EntMoj[2] = {5.0, 6.0, 0.75, 7};
        doc.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 0, u"target");
    }

    // Adds by the positional arguments and by the struct, to the drawing and
    // to definition 0; all four records must be alike.
    template <class Args, class Positional>
    void Expect(const char* form, const Positional& positional, const Args& args) {
        SCOPED_TRACE(form);
        ASSERT_TRUE(std::apply([&](auto... a) { return doc.AddEntSunpo(a...); }, positional));
        ASSERT_TRUE(doc.AddEnt(args));
        ASSERT_TRUE(std::apply([&](auto... a) { return doc.AddBlkSunpo(0, a...); }, positional));
        ASSERT_TRUE(doc.AddBlk(0, args));
        const EntityView drawing = EntityView::Of(doc);
        const EntityView definition = EntityView::Of(doc.EntBlockDef[0]);
        const int32_t n = doc.Enthd.n1, m = doc.EntBlockDef[0].N;
        const auto expected = test::FieldsAt(drawing, doc.EntNo[n - 2]);
        EXPECT_EQ(test::FieldsAt(drawing, doc.EntNo[n - 1]), expected);
        EXPECT_EQ(test::FieldsAt(definition, doc.EntBlockDef[0].mNo[m - 2]), expected);
        EXPECT_EQ(test::FieldsAt(definition, doc.EntBlockDef[0].mNo[m - 1]), expected);
    }

    TJwwData doc;
    const std::u16string font = u"f", text = u"a日b";
    // Text style 3 replaces the text's sizes and colour.
    const DimArgs dim{{1, 2, 3, 4, 5, 6, 7},
                      {0, 0},
                      {10, 0},
                      3,
                      6,
                      2,
                      8,
                      {10003, 1.5, 2.0, 0.5, 0.0, font, text}};
    const DimPointPart te1{1, 2, 3, 4, 8, {}, 2.0}, te2{2, 3, 4, 5, 1, {}, 0.0};
    const DimPointPart kt1{1, 5, -2, 6, 4, {0, -6}, 3.0}, kt2{1, 6, 9, 7, 16, {10, -6}, 0.0};
};

TEST_F(NamedArgs, SxfDimensionsMatchThePositionalForms) {
    const std::tuple head{1, 2, 3, 4, 5,     6,   7,   0.0, 0.0, 10.0, 0.0,
                          3, 6, 2, 8, 10003, 5.0, 1.0, 1.5, 2.0, 0.5,  0.0};
    const std::tuple points{1,  2, 3, 4,   8,    2.0, 2, 3, 4, 5, 1,  0.0,  1,    5,
                            -2, 6, 4, 0.0, -6.0, 3.0, 1, 6, 9, 7, 16, 10.0, -6.0, 0.0};
    const std::tuple lines{1, 2, 3, 4, 5, 0.0,  -1.0, 0.0,  -5.0,
                           1, 3, 4, 5, 6, 10.0, -1.0, 10.0, -5.0};
    Expect("lines given", std::tuple_cat(head, std::tuple{font, text}, lines, points),
           SxfDimensionAtArgs{dim,
                              {5, 1},
                              {{1, 2, 3, 4, 5, {0, -1}, {0, -5}},
                               {1, 3, 4, 5, 6, {10, -1}, {10, -5}},
                               te1,
                               te2,
                               kt1,
                               kt2}});
    // The points given for the auxiliary lines are unused: the gaps place them.
    const std::tuple gaps{2.0, 3.0, 1, 2, 3, 4, 5, 1, 3, 4, 5, 6};
    Expect("lines by gaps", std::tuple_cat(head, std::tuple{font, text}, gaps, points),
           SxfDimensionByGapsArgs{dim,
                                  {5, 1},
                                  2.0,
                                  3.0,
                                  {{1, 2, 3, 4, 5, {9, 9}, {9, 9}},
                                   {1, 3, 4, 5, 6, {9, 9}, {9, 9}},
                                   te1,
                                   te2,
                                   kt1,
                                   kt2}});
}

}  // namespace
}  // namespace tw
