// A viewer's Save as JWW: every version in both text codes offered, the
// drawing's own first, and the drawing on screen written in the one chosen,
// saying what that one could not hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/ShownDrawing.h"
#include "app/cli/SaveAsJww.h"
#include "support/TempDir.h"

namespace tw::cli {
namespace {

namespace fs = std::filesystem;

const fs::path kShared = TW_SHARED_TESTDATA;

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(SaveAsJww, OffersEveryFormatWithTheDrawingsOwnFirstAndSavesItAsItWasRead) {
    const struct {
        const char* file;
        const char* first;
    } cases[] = {{"Test1.jww", "JWW 6.00, Shift-JIS"}, {"2blocks.jww", "JWW 7.00, UTF-16"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        ShownDrawing drawing(kShared / c.file);
        const std::vector<JwwFormat> formats = JwwFormats(drawing.Doc());
        ASSERT_EQ(formats.size(), 18u);
        EXPECT_EQ(formats.front().label, c.first);
        const TempDir dir;
        const JwwSaved saved = SaveAsJww(drawing.Doc(), dir.path() / "again.jww", formats.front());
        EXPECT_TRUE(saved.saved);
        EXPECT_EQ(saved.said, "");
        EXPECT_EQ(ReadAll(dir.path() / "again.jww"), ReadAll(kShared / c.file));
    }
}

TEST(SaveAsJww, SaysWhatTheChosenFormatCouldNotHold) {
    TJwwData doc;
    doc.DataDefaultSet();
    ASSERT_TRUE(doc.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 1, 0, 0, 5, 5, 0, 0, u"MS Gothic", u"𠮷野家"));
    const TempDir dir;
    const JwwSaved wide = SaveAsJww(doc, dir.path() / "wide.jww", {700, true, "JWW 7.00, UTF-16"});
    EXPECT_TRUE(wide.saved);
    EXPECT_EQ(wide.said, "");
    const JwwSaved ansi =
        SaveAsJww(doc, dir.path() / "ansi.jww", {700, false, "JWW 7.00, Shift-JIS"});
    EXPECT_TRUE(ansi.saved);
    EXPECT_NE(ansi.said.find("JWW 7.00, Shift-JIS could not hold everything"), std::string::npos)
        << ansi.said;
    EXPECT_NE(ansi.said.find("characters"), std::string::npos) << ansi.said;
    const JwwSaved nowhere =
        SaveAsJww(doc, dir.path() / "missing" / "x.jww", {700, true, "JWW 7.00, UTF-16"});
    EXPECT_FALSE(nowhere.saved);
    EXPECT_NE(nowhere.said.find("cannot write"), std::string::npos) << nowhere.said;
}

}  // namespace
}  // namespace tw::cli
