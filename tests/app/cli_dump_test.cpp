// tintwright-cli dump, run as a program: the JSON object agrees with the
// facts listed for real Jw_cad drawings, entities carry their record field
// names, --images-to writes into its folder only, and unreadable files exit 1.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/util/Func_2.h>
#include "app/Unit1.h"
#include "jww/ReaderSupport.h"
#include "support/NestedBlocks.h"
#include "support/TempDir.h"
#include "tests/app/FormFixture.h"

namespace tw::test {
namespace {

namespace fs = std::filesystem;

struct CliRun {
    int code;
    std::string out, err;
};

std::string TextOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The command line beside this test program, run in folder with args, after
// the shell commands in before.
CliRun Cli(const fs::path& folder, const std::string& args, const std::string& before = "") {
    const fs::path cli = fs::read_symlink("/proc/self/exe").parent_path() / "tintwright-cli";
    const fs::path out = folder / "stdout.txt";
    const fs::path err = folder / "stderr.txt";
    const std::string command = "cd '" + folder.string() + "' && " + before + "'" + cli.string() +
                                "' " + args + " >'" + out.string() + "' 2>'" + err.string() + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, TextOf(out), TextOf(err)};
}

nlohmann::json DumpJson(const fs::path& folder, const std::string& file) {
    const CliRun run = Cli(folder, "dump '" + file + "' --json");
    EXPECT_EQ(run.code, 0) << run.err;
    return nlohmann::json::parse(run.out);
}

// expected.json counts by record class; dump by kind, every kind listed.
nlohmann::json KindCounts(const nlohmann::json& byClass) {
    static const std::map<std::string, std::string> kKinds = {
        {"CDataSen", "line"},   {"CDataEnko", "arc"},         {"CDataTen", "point"},
        {"CDataMoji", "text"},  {"CDataSunpou", "dimension"}, {"CDataSolid", "solid"},
        {"CDataBlock", "block"}};
    nlohmann::json out = nlohmann::json::object();
    for (const auto& [cls, kind] : kKinds)
        out[kind] = byClass.value(cls, 0);
    return out;
}

TEST(CliDump, JsonAgreesWithTheFactsOfRealDrawings) {
    const fs::path folder = TW_SHARED_TESTDATA;
    if (!fs::exists(folder / "expected.json")) GTEST_SKIP() << "no real drawings at " << folder;
    std::ifstream in(folder / "expected.json");
    const nlohmann::json expected = nlohmann::json::parse(in);
    TempDir dir;
    for (const auto& [name, facts] : expected.items()) {
        SCOPED_TRACE(name);
        if (!fs::exists(folder / name)) continue;
        EXPECT_EQ(Cli(dir.path(), "check '" + (folder / name).string() + "'").code, 0);
        const nlohmann::json dump = DumpJson(dir.path(), (folder / name).string());
        EXPECT_EQ(dump["version"], facts["version"]);
        EXPECT_EQ(dump["memo"], facts["memo"]);
        EXPECT_EQ(dump["utf16"], facts["utf16"]);
        EXPECT_EQ(dump["entity_count"], facts["entity_count"]);
        EXPECT_EQ(dump["counts"], KindCounts(facts["counts"]));
        EXPECT_EQ(dump["images"].size(), facts.value("images", nlohmann::json::array()).size());
        ASSERT_EQ(dump["blocks"].size(), facts["blocks"].size());
        for (size_t i = 0; i < facts["blocks"].size(); ++i) {
            const nlohmann::json& want = facts["blocks"][i];
            const nlohmann::json& got = dump["blocks"][i];
            EXPECT_EQ(got["number"], want["number"]);
            EXPECT_EQ(got["name"], want["name"]);
            EXPECT_EQ(got["members"], want["members"]);
            EXPECT_EQ(got["counts"], KindCounts(want["counts"]));
        }
        EXPECT_EQ(dump["entities"].size(), facts["entity_count"].get<size_t>());
    }
}

// Layer usage as dump counts it equals a count over the independent
// reading of each real drawing (its own entities) and a count over the
// definitions' member arrays (entities inside blocks).
TEST(CliDump, LayerUsageOfRealDrawings) {
    const fs::path folder = TW_SHARED_TESTDATA;
    if (!fs::exists(folder / "entities")) GTEST_SKIP() << "no real drawings at " << folder;
    TempDir dir;
    for (const auto& listing : fs::directory_iterator(folder / "entities")) {
        std::ifstream in(listing.path());
        const nlohmann::json independent = nlohmann::json::parse(in);
        const fs::path file = folder / independent["file"].get<std::string>();
        SCOPED_TRACE(file.string());
        std::map<int, int64_t> entities, inBlocks;
        for (const nlohmann::json& e : independent["entities"])
            ++entities[e["a"]["glayer"].get<int>() * 16 + e["a"]["layer"].get<int>()];
        TJwwData doc;
        ASSERT_TRUE(doc.FileIn(file.u16string()));
        const auto count = [&](const auto& array, int32_t n) {
            for (int32_t i = 0; i < n; ++i)
                ++inBlocks[array[i].att.nGLayer * 16 + array[i].att.nLayer];
        };
        for (int32_t d = 0; d < doc.EntBlockDefN; ++d) {
            const TEntJwwBlockDef& def = doc.EntBlockDef[d];
            count(def.mLine, def.mLineN);
            count(def.mEnko, def.mEnkoN);
            count(def.mTen, def.mTenN);
            count(def.mMoji, def.mMojiN);
            count(def.mSunpo, def.mSunpoN);
            count(def.mSolid, def.mSolidN);
            count(def.mBlock, def.mBlockN);
        }
        const nlohmann::json layers = DumpJson(dir.path(), file.string())["layers"];
        ASSERT_EQ(layers.size(), 256u);
        for (int i = 0; i < 256; ++i) {
            EXPECT_EQ(layers[i]["group"], i / 16);
            EXPECT_EQ(layers[i]["layer"], i % 16);
            EXPECT_EQ(layers[i]["entities"], entities[i]) << i;
            EXPECT_EQ(layers[i]["in_blocks"], inBlocks[i]) << i;
        }
    }
}

// The text summary gives the version in hundredths: 600 is "6.00", 351 "3.51".
TEST(CliDump, SummaryPrintsTheVersionWithTwoDecimals) {
    TempDir dir;
    for (const auto& [version, text] : {std::pair{600, "6.00"}, {351, "3.51"}, {700, "7.00"}}) {
        SCOPED_TRACE(text);
        TJwwData doc;
        SampleDrawing(doc);
        ASSERT_TRUE(doc.FileOut((dir.path() / "v.jww").u16string(), version));
        const CliRun run = Cli(dir.path(), "dump v.jww");
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_NE(run.out.find(std::string("  version: ") + text + "\n"), std::string::npos)
            << run.out;
    }
}

// dump --json of a chart shows its colour table: entry i (pen 100 + i) holds
// palette entry i - 1, white shown black as the chart stores it, named
// COLOR_i; the header's fields come by name.
TEST(CliDump, ChartColourTableMatchesItsPalette) {
    const struct {
        const char* option;
        void (TForm1::*build)();
    } palettes[] = {{"dxf", &TForm1::DXFColorTableSet},
                    {"mix", &TForm1::SXFColorTableSet},
                    {"grad", &TForm1::GradColorTableSet}};
    TempDir dir;
    for (const auto& palette : palettes) {
        SCOPED_TRACE(palette.option);
        FakeUi ui;
        TForm1 form(ui);
        (form.*palette.build)();
        ASSERT_EQ(Cli(dir.path(),
                      std::string("chart c.jww --force --format 7.00 --palette ") + palette.option)
                      .code,
                  0);
        const nlohmann::json dump = DumpJson(dir.path(), "c.jww");
        const nlohmann::json& colors = dump["colors"];
        ASSERT_EQ(colors.size(), 257u);
        for (int i = 1; i <= 256; ++i) {
            const uint32_t c = static_cast<uint32_t>(form.DXFColorMap[i - 1]);
            char rgb[8];
            std::snprintf(rgb, sizeof rgb, "#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF,
                          (c >> 16) & 0xFF);
            const std::string want = std::string(rgb) == "#ffffff" ? "#000000" : rgb;
            EXPECT_EQ(colors[i]["entry"], i);
            EXPECT_EQ(colors[i]["rgb"], want) << "entry " << i;
            EXPECT_EQ(colors[i]["name"], "COLOR_" + std::to_string(i));
        }
        EXPECT_EQ(dump["header"]["nZumen"], 4);  // A4
        EXPECT_EQ(dump["header"]["adFukusenSuuchi"].size(), 10u);
        EXPECT_EQ(dump["layer_groups"].size(), 16u);
        EXPECT_EQ(dump["pens"].size(), 10u);
        EXPECT_EQ(dump["line_types"].size(), 17u);
        EXPECT_EQ(dump["extended_line_types"].size(), 33u);
        EXPECT_EQ(dump["text_styles"].size(), 10u);
    }
}

TEST(CliDump, EntitiesCarryTheirRecordFieldsInDrawingOrder) {
    TempDir dir;
    TJwwData doc;
    SampleDrawing(doc);
    ASSERT_TRUE(doc.FileOut((dir.path() / "d.jww").u16string(), 700));
    const nlohmann::json dump = DumpJson(dir.path(), "d.jww");
    const nlohmann::json& entities = dump["entities"];
    ASSERT_EQ(entities.size(), 12u);
    const char* kinds[] = {"line",      "arc",       "point", "point", "text",  "text",
                           "dimension", "dimension", "solid", "solid", "block", "block"};
    for (size_t i = 0; i < 12; ++i)
        EXPECT_EQ(entities[i]["kind"], kinds[i]) << i;
    EXPECT_EQ(entities[0]["att"]["nPenWidth"], 30000);
    EXPECT_EQ(entities[0]["end_y"], 4.0);
    EXPECT_EQ(entities[3]["nCode"], 4);  // the marker point's own fields
    EXPECT_EQ(entities[4]["str"], "\u56F3\u9762 text");
    EXPECT_EQ(entities[7]["bSxfMode"], 1);
    EXPECT_EQ(entities[7]["Te2"]["dBairitsu"], 1.5);
    EXPECT_EQ(entities[7]["Moji"]["strFontName"], "\uFF2D\uFF33 \u660E\u671D");
    EXPECT_EQ(entities[8]["Color"], 0x123456);
    EXPECT_FALSE(entities[9].contains("Color"));  // only a solid of its own colour has one
    EXPECT_EQ(entities[11]["nNumber"], 0);
    EXPECT_EQ(dump["blocks"][1]["name"], "\u90E8\u54C1");
    EXPECT_EQ(dump["counts"]["dimension"], 2);
}

TEST(CliDump, ImagesToWritesIntoItsFolderOnly) {
    TempDir dir;
    const ByteBuffer file = Concat({BlankHeader(700), Written(700, false, [](ArchiveWriter& ar) {
                                        ar.WriteCount(0);
                                        ar.WriteCount(0);
                                        ar.i32(2);
                                        for (const char16_t* name : {u"../evil.txt", u"ok.png"}) {
                                            ar.WriteString(name);
                                            ar.i32(3);
                                            ar.fill('x', 3);
                                        }
                                    })});
    SaveBytes(dir.path() / "images.jww", file);
    const CliRun run = Cli(dir.path(), "dump images.jww --images-to out/images");
    EXPECT_EQ(run.code, 1) << run.err;  // one image was not extracted
    EXPECT_NE(run.err.find("image ../evil.txt not extracted: not a plain file name"),
              std::string::npos)
        << run.err;
    EXPECT_EQ(TextOf(dir.path() / "out" / "images" / "ok.png"), "xxx");
    EXPECT_FALSE(fs::exists(dir.path() / "out" / "evil.txt"));
    EXPECT_NE(run.out.find("../evil.txt: 3 bytes"), std::string::npos) << run.out;
    EXPECT_NE(run.out.find("images: 2"), std::string::npos);
}

TEST(CliDump, UnreadableFilesExitOneWithTheReason) {
    TempDir dir;
    TJwwData doc;
    SampleDrawing(doc);
    ASSERT_TRUE(doc.FileOut((dir.path() / "d.jww").u16string(), 600));
    const ByteBuffer whole = LoadBytes(dir.path() / "d.jww");
    SaveBytes(dir.path() / "cut.jww", Slice(whole, 0, whole.size() - 10));
    const CliRun cut = Cli(dir.path(), "dump cut.jww");
    EXPECT_EQ(cut.code, 1);
    EXPECT_NE(cut.err.find("File I/O Error"), std::string::npos) << cut.err;
    EXPECT_TRUE(cut.out.empty());

    SaveBytes(dir.path() / "v.jww", Concat({Ascii("JwwData."), Le32(701)}));
    EXPECT_EQ(Cli(dir.path(), "check v.jww").code, 1);
    const CliRun version = Cli(dir.path(), "dump v.jww --json");
    EXPECT_EQ(version.code, 1);
    EXPECT_NE(version.err.find("JWW-Version Error"), std::string::npos) << version.err;

    const CliRun plain = Cli(dir.path(), "dump d.jww");
    EXPECT_EQ(plain.code, 0);
    EXPECT_NE(plain.out.find(
                  "entities: 12 (line 1, arc 1, point 2, text 2, dimension 2, solid 2, block 2)"),
              std::string::npos)
        << plain.out;
}

// A drawing's images in a 7.00 file; a size of -1 claims more than the file
// holds, which fails the reading at that image.
ByteBuffer ImagesFile(const std::vector<std::pair<std::u16string, int32_t>>& images) {
    return Concat({BlankHeader(700), Written(700, false, [&](ArchiveWriter& ar) {
                       ar.WriteCount(0);
                       ar.WriteCount(0);
                       ar.i32(static_cast<int32_t>(images.size()));
                       for (const auto& [name, size] : images) {
                           ar.WriteString(name);
                           ar.i32(size < 0 ? 1000 : size);
                           if (size > 0) ar.fill('x', static_cast<size_t>(size));
                       }
                   })});
}

TEST(CliDump, ImagesToKeepsExistingFilesUnlessForced) {
    TempDir dir;
    SaveBytes(dir.path() / "d.jww", ImagesFile({{u"mine.png", 3}, {u"new.png", 3}}));
    fs::create_directory(dir.path() / "out");
    SaveBytes(dir.path() / "out" / "mine.png", {'m'});
    const CliRun kept = Cli(dir.path(), "dump d.jww --images-to out");
    EXPECT_EQ(kept.code, 1);
    EXPECT_EQ(TextOf(dir.path() / "out" / "mine.png"), "m");
    EXPECT_EQ(TextOf(dir.path() / "out" / "new.png"), "xxx");
    EXPECT_NE(kept.err.find("image mine.png not extracted: a file of that name exists"),
              std::string::npos)
        << kept.err;
    EXPECT_EQ(kept.err.find("new.png"), std::string::npos) << kept.err;

    const CliRun forced = Cli(dir.path(), "dump d.jww --images-to out --force");
    EXPECT_EQ(forced.code, 0) << forced.err;
    EXPECT_EQ(TextOf(dir.path() / "out" / "mine.png"), "xxx");

    SaveBytes(dir.path() / "cut.jww", ImagesFile({{u"a.png", 3}, {u"b.png", -1}}));
    const CliRun cut = Cli(dir.path(), "dump cut.jww --images-to out2");
    EXPECT_EQ(cut.code, 1);
    EXPECT_NE(cut.err.find("images already written: a.png"), std::string::npos) << cut.err;
}

TEST(CliDump, SummaryShowsControlCharactersEscaped) {
    TempDir dir;
    TJwwData doc;
    SampleDrawing(doc);
    doc.Enthd.strMemo = u"\x1b]0;owned\x07\r\nsecond\x1b[2J line\u009b";
    doc.EntBlockDef[0].strName = u"\x1b[31mred";
    ASSERT_TRUE(doc.FileOut((dir.path() / "d.jww").u16string(), 600));
    for (const char* file : {"d.jww"}) {
        const CliRun run = Cli(dir.path(), std::string("dump ") + file);
        for (const char c : run.out) {
            const auto byte = static_cast<unsigned char>(c);
            EXPECT_TRUE(byte >= 0x20 || c == '\n') << file << ": " << static_cast<int>(byte);
        }
        EXPECT_EQ(run.out.find("\xC2\x9B"), std::string::npos);
        EXPECT_NE(run.out.find("\\x1b"), std::string::npos) << run.out;
    }
    EXPECT_NE(Cli(dir.path(), "dump d.jww").out.find("memo: \\x1b]0;owned\\x07\n        second"),
              std::string::npos);
}

// Hostile block nesting, each read under a 2 GB address-space limit: a
// clean result, and what the tree left out is said.
TEST(CliDump, HostileBlockNestingIsReadUnderAMemoryLimit) {
    TempDir dir;
    const struct {
        const char* file;
        Nesting nesting;
    } cases[] = {{"bomb.jww", {.definitions = 4, .times = 100, .lastNameLength = 20000}},
                 {"fan-out.jww", {.definitions = 3, .times = 1024}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        TJwwData doc;
        ASSERT_TRUE(BuildNesting(doc, c.nesting));
        ASSERT_TRUE(doc.FileOut((dir.path() / c.file).u16string(), 700));

        const CliRun run =
            Cli(dir.path(), std::string("dump ") + c.file + " --json", "ulimit -v 2097152 && ");
        EXPECT_EQ(run.code, 0) << run.err;
        EXPECT_NE(run.err.find("block tree was cut short"), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace tw::test
