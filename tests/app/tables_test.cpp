// The tables of the test drawing: what a wrong value would hide behind the
// defaults, and that every field of every entry is set.
#include <gtest/gtest.h>

#include <limits>

#include "app/Unit1.h"
#include "tests/app/FormFixture.h"
#include "tests/app/RecordCompare.h"

namespace tw {
namespace {

constexpr int32_t kWhite = 0xFFFFFF;

// A document as the save command hands it to the tables set-up.
std::unique_ptr<TJwwData> DefaultDocument() {
    auto doc = std::make_unique<TJwwData>();
    doc->DataDefaultSet();
    return doc;
}

void RunTables(const TForm1& form, TJwwData& doc) {
    form.InitLayer(doc);
    form.InitColor(doc);
    form.InitLtype(doc);
    form.InitMojis(doc);
    form.InitElses(doc);
}

// Every field a value that neither the defaults nor the tables use.
template <class T>
void Scramble(std::vector<T>& table) {
    for (T& r : table) {
        std::apply(
            [](auto&... field) {
                auto scramble = [](auto& f) {
                    using F = std::decay_t<decltype(f)>;
                    if constexpr (std::is_same_v<F, std::u16string>) {
                        f = u"stale";
                    } else if constexpr (std::is_same_v<F, double>) {
                        f = -77.5;
                    } else if constexpr (std::is_same_v<F, int32_t>) {
                        f = -77;
                    } else {
                        f.fill(-77.5);
                    }
                };
                (scramble(field), ...);
            },
            Fields(r));
    }
}

TEST(Tables, EveryFieldIsSetWhateverTheTablesHeld) {
    FakeUi ui;
    TForm1 form(ui);
    form.SXFColorTableSet();

    auto expected = DefaultDocument();
    RunTables(form, *expected);

    auto doc = DefaultDocument();
    Scramble(doc->EntLgrp);
    Scramble(doc->EntLay);
    Scramble(doc->EntCol);
    Scramble(doc->EntColS);
    Scramble(doc->EntLtp1);
    Scramble(doc->EntLtp2);
    Scramble(doc->EntLtp3);
    Scramble(doc->EntMoj);
    RunTables(form, *doc);

    EXPECT_TRUE(SameRecords(doc->EntLgrp, expected->EntLgrp));
    EXPECT_TRUE(SameRecords(doc->EntLay, expected->EntLay));
    EXPECT_TRUE(SameRecords(doc->EntCol, expected->EntCol));
    EXPECT_TRUE(SameRecords(doc->EntColS, expected->EntColS));
    EXPECT_TRUE(SameRecords(doc->EntLtp1, expected->EntLtp1));
    EXPECT_TRUE(SameRecords(doc->EntLtp2, expected->EntLtp2));
    EXPECT_TRUE(SameRecords(doc->EntLtp3, expected->EntLtp3));
    EXPECT_TRUE(SameRecords(doc->EntMoj, expected->EntMoj));
}

TEST(Tables, LayerZeroOfEveryGroupAndGroupZeroAreShown) {
    FakeUi ui;
    TForm1 form(ui);
    auto doc = DefaultDocument();
    Scramble(doc->EntLgrp);
    Scramble(doc->EntLay);
    form.InitLayer(*doc);
    for (int g = 0; g < 16; ++g) {
        EXPECT_EQ(doc->EntLgrp[g].anGLay, g == 0 ? 3 : 2) << g;
        EXPECT_EQ(doc->EntLgrp[g].adScale, 1.0) << g;
        for (int l = 0; l < 16; ++l) {
            EXPECT_EQ(doc->EntLay[16 * g + l].aanLay, l == 0 ? 3 : 2) << g << "/" << l;
            EXPECT_TRUE(doc->EntLay[16 * g + l].aStrLayName.empty());
        }
    }
}

// Pens 0 and 9 differ from the defaults only in their point radius.
TEST(Tables, PenTableDiffersFromTheDefaultsWhereItShould) {
    FakeUi ui;
    TForm1 form(ui);
    auto doc = DefaultDocument();
    const std::vector<TEntJwwColorNo> defaults = doc->EntCol;
    form.InitColor(*doc);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(doc->EntCol[i].aPenColor, defaults[i].aPenColor) << i;
        EXPECT_EQ(doc->EntCol[i].aPrtPenColor, defaults[i].aPrtPenColor) << i;
        EXPECT_EQ(doc->EntCol[i].anPenWidth, defaults[i].anPenWidth) << i;
        EXPECT_EQ(doc->EntCol[i].anPrtPenWidth, defaults[i].anPrtPenWidth) << i;
    }
    EXPECT_EQ(doc->EntCol[0].adPrtTenHankei, 1.0);
    EXPECT_EQ(doc->EntCol[9].adPrtTenHankei, 1.0);
    EXPECT_EQ(doc->EntCol[1].adPrtTenHankei, 0.2);
    EXPECT_EQ(doc->EntCol[1].aPenColor, 0xC0C000);  // (0, 192, 192): red in the low byte
    EXPECT_EQ(doc->EntCol[8].aPrtPenColor, 0x0000FF);
}

class ExtendedColours : public ::testing::TestWithParam<TPalette> {
  protected:
    void SetUp() override {
        switch (GetParam()) {
            case TPalette::Dxf:
                form.DXFColorTableSet();
                break;
            case TPalette::Mix:
                form.SXFColorTableSet();
                break;
            case TPalette::Grad:
                form.GradColorTableSet();
                break;
        }
        form.InitColor(*doc);
    }

    FakeUi ui;
    TForm1 form{ui};
    std::unique_ptr<TJwwData> doc = DefaultDocument();
};

TEST_P(ExtendedColours, EntryKPlusOneHoldsPaletteEntryKWithWhiteTurnedBlack) {
    int whites = 0;
    for (int k = 0; k < 256; ++k) {
        const int32_t c = form.DXFColorMap[k];
        const int32_t expected = c == kWhite ? 0 : c;
        whites += c == kWhite;
        const TEntJwwColorExNo& entry = doc->EntColS[k + 1];
        EXPECT_EQ(entry.aPenColor, expected) << k;
        EXPECT_EQ(entry.aPrtPenColor, expected) << k;
        EXPECT_EQ(entry.anPenWidth, 18);
        EXPECT_EQ(entry.anPrtPenWidth, 18);
        EXPECT_EQ(entry.adPrtTenHankei, 0.18);
    }
    EXPECT_EQ(whites, 1);  // entry 7 in each palette
    EXPECT_EQ(form.DXFColorMap[7], kWhite);
    EXPECT_EQ(doc->EntColS[8].aPenColor, 0);
    EXPECT_EQ(doc->EntColS[8].aPrtPenColor, 0);
}

TEST_P(ExtendedColours, EntryZeroEqualsEntryOneButForTheName) {
    TEntJwwColorExNo zero = doc->EntColS[0];
    const TEntJwwColorExNo& one = doc->EntColS[1];
    EXPECT_EQ(zero.astrUDColorName, u"COLOR_0");
    EXPECT_EQ(one.astrUDColorName, u"COLOR_1");
    zero.astrUDColorName = one.astrUDColorName;
    EXPECT_TRUE(Fields(zero) == Fields(one));
    // Entry 0 of the defaults prints in another colour; nothing of it stays.
    EXPECT_EQ(zero.aPrtPenColor, form.DXFColorMap[0]);
}

INSTANTIATE_TEST_SUITE_P(AllPalettes, ExtendedColours,
                         ::testing::Values(TPalette::Dxf, TPalette::Mix, TPalette::Grad));

TEST(Tables, NamesRunFromColour0To256) {
    FakeUi ui;
    TForm1 form(ui);
    form.DXFColorTableSet();
    auto doc = DefaultDocument();
    form.InitColor(*doc);
    EXPECT_EQ(doc->EntColS[0].astrUDColorName, u"COLOR_0");
    EXPECT_EQ(doc->EntColS[9].astrUDColorName, u"COLOR_9");
    EXPECT_EQ(doc->EntColS[17].astrUDColorName, u"COLOR_17");
    EXPECT_EQ(doc->EntColS[256].astrUDColorName, u"COLOR_256");
}

TEST(Tables, TextStylesAndDimensionSettings) {
    FakeUi ui;
    TForm1 form(ui);
    auto doc = DefaultDocument();
    Scramble(doc->EntMoj);
    form.InitMojis(*doc);
    form.InitElses(*doc);
    EXPECT_EQ(doc->EntMoj[0].adMojiX, 2.0);
    EXPECT_EQ(doc->EntMoj[1].adMojiY, 2.5);
    EXPECT_EQ(doc->EntMoj[2].adMojiD, 0.5);
    EXPECT_EQ(doc->EntMoj[9].adMojiX, 10.0);
    EXPECT_EQ(doc->EntMoj[9].anMojiCol, 5);
    EXPECT_EQ(doc->Enthd.lnSunpou1, 2001112);
    EXPECT_EQ(doc->Enthd.lnSunpou3, 50150030);
    EXPECT_EQ(doc->Enthd.lnSunpou5, 4100);
}

}  // namespace
}  // namespace tw
