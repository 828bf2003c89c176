// The save command end to end through a fake front end: the chart it builds,
// the dialog's cancel, failures and recovery, and what reaches the writer.
#include <gtest/gtest.h>

#include <fstream>

#include "app/Unit1.h"
#include "tests/app/FormFixture.h"
#include "tests/app/RecordCompare.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

struct ExpectedLine {
    uint16_t pen, width, layer;
    double x1, y1, x2, y2;
};

// The chart's lines, written out from its layout: frame, basic pens, grid.
std::vector<ExpectedLine> ChartLayout() {
    std::vector<ExpectedLine> lines{{6, 0, 0, -148.5, 105, 148.5, 105},
                                    {6, 0, 0, 148.5, 105, 148.5, -105},
                                    {6, 0, 0, 148.5, -105, -148.5, -105},
                                    {6, 0, 0, -148.5, -105, -148.5, 105}};
    for (int i = 0; i < 8; ++i) {
        lines.push_back(
            {static_cast<uint16_t>(i + 1), 400, 1, -60.0, 85.0 - 10 * i, -50.0, 85.0 - 10 * i});
    }
    for (int r = 0; r < 16; ++r) {
        for (int c = 0; c < 16; ++c) {
            lines.push_back({static_cast<uint16_t>(101 + 16 * r + c), 400, 1, 10.0 * r - 40,
                             85.0 - 10 * c, 10.0 * r - 35, 85.0 - 10 * c});
        }
    }
    return lines;
}

using SaveCommand = FormTest;

TEST_F(SaveCommand, DefaultsWriteTheChartAndReportSuccess) {
    const fs::path file = dir.path() / "chart.jww";
    EXPECT_EQ(SaveTo(file), kSaveDoneMessage);
    EXPECT_EQ(ui.messages.size(), 1u);
    ASSERT_TRUE(fs::exists(file));

    const TJwwData& doc = *form.JwwDoc;
    const std::vector<ExpectedLine> expected = ChartLayout();
    ASSERT_EQ(expected.size(), 268u);
    ASSERT_EQ(doc.Enthd.n1, 268);
    ASSERT_EQ(doc.EntLineN, 268);
    ASSERT_GE(doc.EntLine.size(), 268u);
    ASSERT_GE(doc.EntNo.size(), 268u);
    for (int n = 0; n < 268; ++n) {
        const TEntJwwLine& line = doc.EntLine[n];
        const ExpectedLine& want = expected[n];
        SCOPED_TRACE("line " + std::to_string(n));
        EXPECT_EQ(doc.EntNo[n].EntType, 1);
        EXPECT_EQ(doc.EntNo[n].EntNo, n);
        EXPECT_EQ(line.att.lGroup, 0u);
        EXPECT_EQ(line.att.nPenStyle, 1);
        EXPECT_EQ(line.att.nPenColor, want.pen);
        EXPECT_EQ(line.att.nPenWidth, want.width);
        EXPECT_EQ(line.att.nLayer, want.layer);
        EXPECT_EQ(line.att.nGLayer, 0);
        EXPECT_EQ(line.att.sFlg, 0);
        EXPECT_EQ(line.start_x, want.x1);
        EXPECT_EQ(line.start_y, want.y1);
        EXPECT_EQ(line.end_x, want.x2);
        EXPECT_EQ(line.end_y, want.y2);
    }
    // The corners named in the layout.
    EXPECT_EQ(doc.EntLine[12].att.nPenColor, 101);
    EXPECT_EQ(doc.EntLine[12].start_x, -40.0);
    EXPECT_EQ(doc.EntLine[12].start_y, 85.0);
    EXPECT_EQ(doc.EntLine[27].att.nPenColor, 116);
    EXPECT_EQ(doc.EntLine[27].start_y, -65.0);
    EXPECT_EQ(doc.EntLine[267].att.nPenColor, 356);
    EXPECT_EQ(doc.EntLine[267].start_x, 110.0);
    EXPECT_EQ(doc.EntLine[267].end_x, 115.0);

    EXPECT_EQ(doc.Enthd.strMemo, u"色設定テストデータ");
    EXPECT_EQ(doc.Enthd.nZumen, 4);
    EXPECT_EQ(doc.Enthd.nPrtDpi, 1);
    EXPECT_EQ(doc.Enthd.nDrawGamenTen, 1);
    EXPECT_EQ(doc.Enthd.nDrawPrtTen, 1);
    EXPECT_EQ(doc.FileOutOpt, 0);
    EXPECT_EQ(doc.EntLine[0].att.nPenColor, 6);

    const std::vector<uint8_t> bytes = ReadBytes(file);
    ASSERT_GE(bytes.size(), 12u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "JwwData.");
    EXPECT_EQ(bytes[8] | bytes[9] << 8, 600);
}

TEST_F(SaveCommand, ExtendedLineTypesKeepTheirDefaults) {
    ASSERT_EQ(SaveTo(dir.path() / "chart.jww"), kSaveDoneMessage);
    TJwwData defaults;
    defaults.DataDefaultSet();
    EXPECT_EQ(form.JwwDoc->EntLtpS.size(), 33u);
    EXPECT_TRUE(SameRecords(form.JwwDoc->EntLtpS, defaults.EntLtpS));
}

TEST_F(SaveCommand, CancelledDialogChangesNothingAndShowsNothing) {
    ASSERT_EQ(SaveTo(dir.path() / "first.jww"), kSaveDoneMessage);
    const auto mapBefore = form.DXFColorMap;
    const auto coloursBefore = form.JwwDoc->EntColS;

    form.Palette = TPalette::Grad;
    ui.nextFile.reset();
    ui.messages.clear();
    form.Button1Click();

    EXPECT_EQ(ui.dialogs, 2);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(form.DXFColorMap, mapBefore);
    EXPECT_TRUE(SameRecords(form.JwwDoc->EntColS, coloursBefore));
    EXPECT_EQ(form.JwwDoc->Enthd.n1, 268);
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
        if (entry.is_regular_file()) files.push_back(entry.path().filename());
    }
    EXPECT_EQ(files, std::vector<fs::path>{"first.jww"});
}

TEST_F(SaveCommand, CancelRightAfterStartUpLeavesTheDocumentEmpty) {
    form.Button1Click();
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(form.JwwDoc->Enthd.n1, 0);
    EXPECT_EQ(form.JwwDoc->EntLineN, 0);
}

// A file that cannot be written, whoever runs the test: its folder is a
// regular file, or the name is taken by a folder, or the folder is missing.
TEST_F(SaveCommand, UnwritablePlaceFailsAndTheNextSaveSucceeds) {
    std::ofstream(dir.path() / "plain-file") << "x";
    fs::create_directory(dir.path() / "taken.jww");
    const std::vector<fs::path> unwritable{dir.path() / "plain-file" / "chart.jww",
                                           dir.path() / "taken.jww",
                                           dir.path() / "missing" / "chart.jww"};
    for (const fs::path& bad : unwritable) {
        SCOPED_TRACE(bad.string());
        EXPECT_EQ(SaveTo(bad), kSaveFailedMessage);
        EXPECT_EQ(ui.messages.size(), 1u);
        const fs::path good = dir.path() / "good.jww";
        EXPECT_EQ(SaveTo(good), kSaveDoneMessage);
        EXPECT_TRUE(fs::is_regular_file(good));
    }
    EXPECT_FALSE(fs::exists(dir.path() / "missing"));
    EXPECT_TRUE(fs::is_directory(dir.path() / "taken.jww"));
    EXPECT_EQ(ReadBytes(dir.path() / "plain-file"), std::vector<uint8_t>{'x'});
}

TEST_F(SaveCommand, VersionAndTextCodeReachTheWriter) {
    struct Case {
        int32_t version;
        TTextCode code;
        int32_t option;
    };
    for (const Case& c : {Case{700, TTextCode::Utf16, 32}, Case{420, TTextCode::Ansi, 0},
                          Case{220, TTextCode::Utf16, 32}}) {
        form.Version = c.version;
        form.TextCode = c.code;
        const fs::path file = dir.path() / ("v" + std::to_string(c.version) + ".jww");
        ASSERT_EQ(SaveTo(file), kSaveDoneMessage);
        EXPECT_EQ(form.JwwDoc->FileOutOpt, c.option);
        const std::vector<uint8_t> bytes = ReadBytes(file);
        ASSERT_GE(bytes.size(), 16u);
        EXPECT_EQ(bytes[8] | bytes[9] << 8 | bytes[10] << 16 | bytes[11] << 24, c.version);
        // The memo follows the version: a UTF-16 marker or a length byte.
        if (c.code == TTextCode::Utf16) {
            EXPECT_EQ((std::vector<uint8_t>(bytes.begin() + 12, bytes.begin() + 16)),
                      (std::vector<uint8_t>{0xFF, 0xFE, 0xFF, 9}));
        } else {
            EXPECT_EQ(bytes[12], 18);
        }
    }
}

TEST_F(SaveCommand, SecondSaveWithAnotherPaletteKeepsNothingOfTheFirst) {
    for (TPalette first : {TPalette::Grad, TPalette::Mix}) {
        form.Palette = first;
        ASSERT_EQ(SaveTo(dir.path() / "first.jww"), kSaveDoneMessage);
        form.Palette = TPalette::Dxf;
        ASSERT_EQ(SaveTo(dir.path() / "second.jww"), kSaveDoneMessage);

        FakeUi freshUi;
        TForm1 fresh(freshUi);
        fresh.FormShow(ExePath());
        freshUi.nextFile = (dir.path() / "fresh.jww").u16string();
        fresh.Button1Click();
        ASSERT_EQ(freshUi.messages, std::vector<std::u16string>{kSaveDoneMessage});

        EXPECT_TRUE(SameRecords(form.JwwDoc->EntColS, fresh.JwwDoc->EntColS));
        EXPECT_EQ(ReadBytes(dir.path() / "second.jww"), ReadBytes(dir.path() / "fresh.jww"));
        EXPECT_NE(ReadBytes(dir.path() / "first.jww"), ReadBytes(dir.path() / "fresh.jww"));
        fresh.FormClose();
    }
}

TEST_F(SaveCommand, SavingReplacesAnExistingFile) {
    const fs::path file = dir.path() / "chart.jww";
    std::ofstream(file) << "an older drawing";
    ASSERT_EQ(SaveTo(file), kSaveDoneMessage);
    const std::vector<uint8_t> bytes = ReadBytes(file);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "JwwData.");
}

}  // namespace
}  // namespace tw
