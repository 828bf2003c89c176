// TRefTable: finding the reference file through Jw_win.jwf and loading its
// pairs, with real files in a temporary folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <tintwright/document/RefTable.h>
#include <tintwright/util/Func_2.h>
#include "support/TempDir.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

void WriteBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(RefTableClear, ResetsTableSwitchAndFallbacks) {
    TRefTable ref;
    ref.RefTable = {{u"%%A", u"a"}};
    ref.RefCount = 1;
    ref.RefSubstOn = 1;
    ref.FallbackPenColor = 7;
    ref.FallbackPenStyle = 9;
    ref.ClearRefTable();
    EXPECT_TRUE(ref.RefTable.empty());
    EXPECT_EQ(ref.RefCount, 0);
    EXPECT_EQ(ref.RefSubstOn, 0);
    EXPECT_EQ(ref.FallbackPenColor, 1);
    EXPECT_EQ(ref.FallbackPenStyle, 1);
}

TEST(RefFileName, SettingsFileCases) {
    const struct {
        const char* settings;  // bytes of Jw_win.jwf
        std::u16string name;
    } cases[] = {
        {"[x]\r\nref_file = d:\\cad\\ref.txt\r\n", u"D:\\CAD\\REF.TXT"},
        {"REF_FILE=ref.txt\n", u"REF.TXT"},
        {"  Ref_File =   ref.txt  \t\r\n", u"REF.TXT"},
        {"REF_FILE  = x\nREF_FILE=y\n", u"Y"},
        {"REF_FILE =\nREF_FILE=later.txt\n", u""},
        {"ENDREF\nREF_FILE=after.txt\n", u""},
        {"  end\nREF_FILE=after.txt\n", u""},
        {"NOTHING=1\n", u""},
        {"", u""},
        {"REF_FILE=last.txt", u"LAST.TXT"},
        // Code page 932: "参照.txt".
        {"REF_FILE=\x8E\x51\x8F\xC6.txt\r\n", u"\u53C2\u7167.TXT"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.settings);
        TempDir app;
        WriteBytes(app.path() / "Jw_win.jwf", c.settings);
        TRefTable ref;
        ref.GetRefFileName(app.folder());
        EXPECT_EQ(ref.RefFileName, c.name);
    }
}

TEST(RefFileName, MissingSettingsFileLeavesTheName) {
    TempDir app;
    TRefTable ref;
    ref.GetRefFileName(app.folder());
    EXPECT_TRUE(ref.RefFileName.empty());
    fs::create_directory(app.path() / "Jw_win.jwf");  // a folder, not a file
    ref.GetRefFileName(app.folder());
    EXPECT_TRUE(ref.RefFileName.empty());
}

class RefFile : public testing::Test {
  protected:
    void Load(const std::string& bytes) {
        WriteBytes(app.path() / "REF.TXT", bytes);
        ref.RefFileName = u"REF.TXT";
        ref.RefFileOpen(app.folder());
    }
    std::vector<std::pair<std::u16string, std::u16string>> Pairs() const {
        std::vector<std::pair<std::u16string, std::u16string>> pairs;
        for (int32_t i = 0; i < ref.RefCount; ++i) {
            pairs.emplace_back(ref.RefTable[i].s1, ref.RefTable[i].s2);
        }
        return pairs;
    }

    TempDir app;
    TRefTable ref;
};

TEST_F(RefFile, KeepsOnlyWellFormedPairs) {
    Load(
        "%%NAME\tTaro\r\n"
        "%% NAME\tx\r\n"
        "NAME\tx\n"
        "%%NOTAB\n"
        "\t%%LEAD\n"
        "%%A\tx\ty\r\n"
        "%%\x81\x40X\tideographic space\n"
        "%%DUP\tfirst\n"
        "%%DUP\tsecond\n"
        "%%name\tlower\n"
        "%%EMPTY\t\n"
        "%%\x8E\x51\tvalue \x8F\xC6\n");
    const std::vector<std::pair<std::u16string, std::u16string>> expected = {
        {u"%%NAME", u"Taro"},           {u"%%A", u"xy"},       {u"%%DUP", u"first"},
        {u"%%DUP", u"second"},          {u"%%name", u"lower"}, {u"%%EMPTY", u""},
        {u"%%\u53C2", u"value \u7167"},
    };
    EXPECT_EQ(Pairs(), expected);
    EXPECT_EQ(ref.RefTable.size(), static_cast<size_t>(ref.RefCount));
}

TEST_F(RefFile, NoNameOrNoFileLeavesTheTableEmpty) {
    ref.RefFileOpen(app.folder());
    EXPECT_EQ(ref.RefCount, 0);
    ref.RefFileName = u"MISSING.TXT";
    ref.RefFileOpen(app.folder());
    EXPECT_EQ(ref.RefCount, 0);
    EXPECT_TRUE(ref.RefTable.empty());
}

TEST_F(RefFile, ANameWithoutFolderIsLookedForBesideTheDrawing) {
    TempDir drawings;
    WriteBytes(drawings.path() / "REF.TXT", "%%WHERE\tdrawing\n");
    WriteBytes(app.path() / "REF.TXT", "%%WHERE\tapp\n");
    ref.RefFileName = u"REF.TXT";
    ref.DrawingPath = drawings.folder() + u"plan.jww";
    ref.RefFileOpen(app.folder());
    ASSERT_EQ(ref.RefCount, 1);
    EXPECT_EQ(ref.RefTable[0].s2, u"drawing");
}

TEST_F(RefFile, ANameWithFolderIsLookedForThere) {
    TempDir other;
    WriteBytes(other.path() / "REF.TXT", "%%WHERE\tother\n");
    ref.RefFileName = other.folder() + u"REF.TXT";
    ref.RefFileOpen(app.folder());
    ASSERT_EQ(ref.RefCount, 1);
    EXPECT_EQ(ref.RefTable[0].s2, u"other");
}

TEST_F(RefFile, UpperCasedNameFindsTheFileInAnyCase) {
    // The settings give the name in upper case; on a case-sensitive file
    // system the file is found by comparing upper-cased names.
    WriteBytes(app.path() / "Ref.txt", "%%CASE\tfound\n");
    ref.RefFileName = u"REF.TXT";
    ref.RefFileOpen(app.folder());
    ASSERT_EQ(ref.RefCount, 1);
    EXPECT_EQ(ref.RefTable[0].s2, u"found");
}

TEST_F(RefFile, SettingsAndReferenceFileTogether) {
    WriteBytes(app.path() / "Jw_win.jwf", "[Jw_win]\r\nREF_FILE = ref.txt\r\nEND\r\n");
    WriteBytes(app.path() / "REF.TXT", "%%NAME\tTaro\r\n");
    ref.ClearRefTable();
    ref.GetRefFileName(app.folder());
    ref.RefFileOpen(app.folder());
    ASSERT_EQ(ref.RefCount, 1);
    EXPECT_EQ(ref.RefTable[0].s1, u"%%NAME");
}

TEST(LookupRefText, ReplacesOnlyWhenSwitchedOn) {
    TRefTable ref;
    ref.RefTable = {{u"%%NAME", u"Taro"}, {u"%%NAME", u"Jiro"}, {u"%%X", u"x"}};
    ref.RefCount = 2;
    EXPECT_EQ(ref.LookupRefText(u"%%NAME"), u"%%NAME");
    ref.RefSubstOn = 1;
    const struct {
        std::u16string text, result;
    } cases[] = {
        {u"%%NAME", u"Taro"}, {u"%%name", u"%%name"}, {u"%%NAME ", u"%%NAME "},
        {u"NAME", u"NAME"},   {u"%%X", u"%%X"},  // beyond RefCount
        {u"", u""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ref.LookupRefText(c.text), c.result);
    ref.RefSubstOn = 2;
    EXPECT_EQ(ref.LookupRefText(u"%%NAME"), u"%%NAME");
}

}  // namespace
}  // namespace tw
