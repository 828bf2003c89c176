// DXF export checked by ezdxf: a drawing holding every kind, in all three
// versions, and the shared real drawings. All files are exported first and
// read by one run of the checker.
#include <gtest/gtest.h>

#include <unistd.h>
#include <fstream>
#include <functional>
#include <map>

#include <tintwright/document/BlockExpansion.h>
#include <tintwright/document/Counted.h>
#include <tintwright/dxf/DxfExport.h>
#include <tintwright/jww/Reader.h>
#include <tintwright/util/Func_2.h>
#include "jww/WriterSupport.h"
#include "support/BlockCycle.h"
#include "support/DxfCheck.h"
#include "support/TempDir.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

constexpr int32_t kVersions[] = {dxf::kR12, dxf::kR2000, dxf::kR2007};
constexpr int32_t kPen = 2, kExtPen = 150, kSolid = 1, kLayer = 3;

// The header of a 64 x 48 PNG: what the export reads of an image.
void WritePng(const fs::path& file) {
    const uint8_t head[] = {0x89, 'P', 'N', 'G', 13, 10, 26, 10, 0, 0, 0, 13,
                            'I',  'H', 'D', 'R', 0,  0,  0,  64, 0, 0, 0, 48};
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(head), sizeof head);
}

// Every kind on group 0 at 1:100: the first entity a line 50 long; arcs,
// points (a marker), a Japanese text, an SXF dimension, solids (two
// curved), an image and nested, turned and scaled insertions.
void BuildEveryKind(TJwwData& doc, const fs::path& images) {
    doc.DataDefaultSet();
    doc.EntLgrp[0].adScale = 100;
    doc.BindImageFolder = images.u16string() + u"/";
    WritePng(images / "pic.png");
    const std::u16string font = u"ＭＳ ゴシック";
    ASSERT_TRUE(doc.AddBlkDef(0, 0, kLayer, kPen, kSolid, 0, 0, 0, u"inner"));
    const int32_t inner = doc.EntBlockDefN - 1;
    doc.AddBlkLine(inner, 0, 0, kLayer, kPen, kSolid, 0, 0, 0, 0, 10, 0);
    doc.AddBlkMoji(inner, 0, 0, kLayer, kPen, 1, 0, 0, 0, 0, 2, 3, 3, 0, 0, font, u"部品");
    doc.AddBlkDefPost(inner);
    ASSERT_TRUE(doc.AddBlkDef(0, 0, kLayer, kPen, kSolid, 0, 0, 0, u"outer"));
    const int32_t outer = doc.EntBlockDefN - 1;
    doc.AddBlkBlock(outer, 0, 0, kLayer, kPen, kSolid, 0, 0, doc.GetBlkNumber(inner), 5, 5, 2, 0.5,
                    45);
    doc.AddBlkArc(outer, 0, 0, kLayer, kExtPen, kSolid, 0, 0, 0, 0, 4, 1, 0, 360, 0);
    doc.AddBlkDefPost(outer);

    ASSERT_TRUE(doc.AddEntLine(0, 0, kLayer, kPen, kSolid, 0, 0, 0, 0, 50, 0));
    doc.AddEntArc(0, 0, kLayer, kExtPen, kSolid, 0, 0, 10, 10, 5, 1, 0, 360, 0);
    doc.AddEntArc(0, 0, kLayer, kPen, 2, 0, 0, 10, 10, 6, 1, 30, 120, 0);
    doc.AddEntArc(0, 0, kLayer, kPen, kSolid, 0, 0, 30, 10, 6, 0.5, 0, 360, 30);
    doc.AddEntTen(0, 0, kLayer, kPen, 0, 0, 0, 1, 1, 0, 1);
    doc.AddEntTen(0, 0, kLayer, kPen, 3, 0, 0, 2, 2, 0, 1);
    doc.AddEntMoji(0, 0, kLayer, kPen, 1, 0, 0, 0, 0, 20, 4, 5, 0.5, 10, font, u"日本語の文字");
    doc.AddEntMoji(0, 0, kLayer, kPen, 1, 0, 0, 0, 40, 40, 3, 3, 0, 0, font,
                   u"^@BM%temp%pic.png,40,30");
    doc.AddEntSunpo(0, 0, kLayer, kPen, kSolid, 0, 0, 0, -10, 40, -10, kPen, 2, 0, 0, 0, 20, -9, 3,
                    3, 0, 0, font, u"4000",                  //
                    1, kPen, kSolid, 0, 0, 0, -5, 0, -12,    // Ho1
                    1, kPen, kSolid, 0, 0, 40, -5, 40, -12,  // Ho2
                    1, kPen, 1, 0, 0, 1,                     // Te1
                    1, kPen, 1, 0, 0, 1,                     // Te2
                    1, kPen, 0, 0, 0, 0, -5, 1,              // Kt1
                    1, kPen, 0, 0, 0, 40, -5, 1);            // Kt2
    doc.AddEntSolid(0, 0, kLayer, 10, 1, 0, 0, 0x336699, 50, 0, 60, 0, 60, 10, 50, 10);
    doc.AddEntSolidA(0, 0, kLayer, kExtPen, 0, 0, 0, 70, 10, 5, 1, 0);
    doc.AddEntSolidD(0, 0, kLayer, 10, 1, 0, 0, 0x00FF00, 90, 10, 8, 4, 1, 0, 0, 180);
    doc.AddEntBlock(0, 0, kLayer, kPen, kSolid, 0, 0, doc.GetBlkNumber(outer), 100, 50, 2, 2, 30);
}

struct Export {
    std::string name;
    int32_t version;
    fs::path file;
    std::shared_ptr<TJwwData> doc;
    std::string failure;  // why the export failed; empty when it did not
};

class DxfExport : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        dir_ = new TempDir;
        auto every = std::make_shared<TJwwData>();
        fs::create_directory(dir_->path() / "images");
        BuildEveryKind(*every, dir_->path() / "images");
        Add("every", every);
        const fs::path shared = TW_SHARED_TESTDATA;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(shared, error)) {
            if (entry.path().extension() != ".jww") continue;
            auto doc = std::make_shared<TJwwData>();
            if (jwwin::ReadDrawingFile(*doc, entry.path().u16string(), {}).ok)
                Add(entry.path().stem().string(), doc);
        }
        std::vector<fs::path> files;
        for (const Export& e : *exports_)
            files.push_back(e.file);
        *report_ = CheckDxfFiles(files);
    }
    static void TearDownTestSuite() {
        delete dir_;
        exports_->clear();
    }

    static void Add(const std::string& name, const std::shared_ptr<TJwwData>& doc) {
        for (const int32_t version : kVersions) {
            const fs::path file = dir_->path() / (name + "-" + std::to_string(version) + ".dxf");
            // A failure here would only skip the suite's tests: a test reports it.
            const dxf::ExportReport report = dxf::ExportDxf(*doc, file, {.version = version});
            exports_->push_back({name, version, file, doc, report.ok ? "" : report.reason});
        }
    }
    static const nlohmann::json& Of(const Export& e) { return (*report_)[e.file.string()]; }
    static const Export& Find(const std::string& name, int32_t version) {
        for (const Export& e : *exports_) {
            if (e.name == name && e.version == version) return e;
        }
        throw std::runtime_error("no export " + name);
    }

    static TempDir* dir_;
    static std::vector<Export>* exports_;
    static nlohmann::json* report_;
};

TempDir* DxfExport::dir_ = nullptr;
std::vector<Export>* DxfExport::exports_ = new std::vector<Export>;
nlohmann::json* DxfExport::report_ = new nlohmann::json;

TEST_F(DxfExport, EveryFileIsReadStrictlyAndAuditedWithoutErrors) {
    ASSERT_TRUE(report_->is_object()) << "the ezdxf checker did not run";
    for (const Export& e : *exports_) {
        EXPECT_EQ(e.failure, "") << e.file;
        const nlohmann::json& r = Of(e);
        EXPECT_TRUE(r.value("read", false)) << e.file << ": " << r.dump();
        EXPECT_EQ(r.value("version", ""), "AC" + std::to_string(e.version)) << e.file;
        EXPECT_TRUE(r["errors"].empty()) << e.file << ": " << r["errors"].dump();
    }
}

// $HANDSEED, written before the handles are made, is above every one of
// them: readers give new records handles from there on.
TEST_F(DxfExport, HandleSeedIsAboveEveryHandle) {
    for (const Export& e : *exports_) {
        const nlohmann::json& r = Of(e);
        if (e.version == dxf::kR12) {
            EXPECT_TRUE(r["handle_seed"].is_null() && r["largest_handle"].is_null()) << e.file;
            continue;
        }
        ASSERT_TRUE(r["handle_seed"].is_number() && r["largest_handle"].is_number()) << e.file;
        EXPECT_GT(r["handle_seed"].get<uint64_t>(), r["largest_handle"].get<uint64_t>()) << e.file;
    }
}

// A drawing of one record, whose table entries (every layer) and thousand
// empty definitions take the handles, has its $HANDSEED above every
// handle: the seed's fixed margin and its share per definition are needed.
TEST(DxfHandles, SeedIsAboveEveryHandleWithFewRecords) {
    TJwwData doc;
    doc.DataDefaultSet();
    doc.AddEntLine(0, 0, 0, kPen, kSolid, 0, 0, 0, 0, 1, 1);
    for (int32_t def = 0; def < 1000; ++def) {
        doc.AddBlkDef(0, 0, 0, kPen, kSolid, 0, 0, 0, u"b" + IntToText(def));
        doc.AddBlkDefPost(doc.EntBlockDefN - 1);
    }
    TempDir dir;
    ForEachCheckedExport(
        doc, dir.path(), "many", [](const std::string& name, const nlohmann::json& r) {
            if (name == "many-1009.dxf") return;  // R12 has no handles
            ASSERT_TRUE(r["handle_seed"].is_number() && r["largest_handle"].is_number());
            EXPECT_GT(r["handle_seed"].get<uint64_t>(), r["largest_handle"].get<uint64_t>());
        });
}

TEST_F(DxfExport, EveryKindMapsToItsEntities) {
    using Counts = std::map<std::string, int>;
    // Lines: the line, the dimension line and its two auxiliary lines.
    // Points: a plain and a marker point and the dimension's two arrowheads
    // (its measured points are temporary). Texts: the text and the
    // dimension's.
    const Counts common = {{"LINE", 4},  {"CIRCLE", 1}, {"ARC", 1},
                           {"POINT", 4}, {"TEXT", 2},   {"INSERT", 1}};
    for (const int32_t version : kVersions) {
        const nlohmann::json& r = Of(Find("every", version));
        Counts got = r["entities"].get<Counts>();
        for (const auto& [type, count] : common)
            EXPECT_EQ(got[type], count) << type << " in " << version;
        if (version == dxf::kR12) {
            EXPECT_EQ(got["POLYLINE"], 1) << "the ellipse";
            EXPECT_GT(got["SOLID"], 3) << "the solid and the curved ones' triangles";
            EXPECT_EQ(got.count("HATCH") + got.count("IMAGE") + got.count("ELLIPSE"), 0U);
        } else {
            EXPECT_EQ(got["ELLIPSE"], 1) << version;
            EXPECT_EQ(got["SOLID"], 1) << version;
            EXPECT_EQ(got["HATCH"], 2) << version;
            EXPECT_EQ(got["IMAGE"], 1) << version;
        }
        EXPECT_EQ(r["blocks"]["inner"].get<Counts>(), (Counts{{"LINE", 1}, {"TEXT", 1}}));
        EXPECT_EQ(r["blocks"]["outer"].get<Counts>(), (Counts{{"CIRCLE", 1}, {"INSERT", 1}}));
    }
}

TEST_F(DxfExport, RealSizeMultipliesByTheGroupScale) {
    for (const int32_t version : kVersions)
        EXPECT_NEAR(Of(Find("every", version))["first_line_length"].get<double>(), 5000, 1e-9);
    TempDir dir;
    TJwwData doc;
    BuildEveryKind(doc, dir.path());
    const fs::path paper = dir.path() / "paper.dxf";
    ASSERT_TRUE(dxf::ExportDxf(doc, paper, {.version = dxf::kR2007, .realSize = false}).ok);
    EXPECT_NEAR(CheckDxfFiles({paper})[paper.string()]["first_line_length"].get<double>(), 50,
                1e-9);
}

// Whether a record the export writes has a pen colour other than black or
// white, which 2007 writes as a true colour.
bool DrawsInColour(const TJwwData& doc) {
    bool coloured = false;
    ForEachExpanded(doc, [&](const auto& record, const Placement&) {
        const auto colour = rules::PenColor(doc, record.att.nPenColor, false);
        coloured |= rules::Appears(record, rules::Medium::Screen) && colour &&
                    !dxf::IsForegroundColor(rules::RgbOf(*colour));
    });
    return coloured;
}

TEST_F(DxfExport, TrueColoursAreTheDrawingsOwn) {
    for (const Export& e : *exports_) {
        const std::set<int64_t> got = Of(e)["true_colors"].get<std::set<int64_t>>();
        if (e.version != dxf::kR2007) {
            EXPECT_TRUE(got.empty()) << e.file;
            continue;
        }
        EXPECT_EQ(got.empty(), !DrawsInColour(*e.doc)) << e.file;
        const std::set<int64_t> table = TableColors(*e.doc);
        for (const int64_t c : got)
            EXPECT_TRUE(table.contains(c)) << e.file << ": " << std::hex << c;
    }
    const std::set<int64_t> every =
        Of(Find("every", dxf::kR2007))["true_colors"].get<std::set<int64_t>>();
    EXPECT_TRUE(every.contains(rules::RgbOf(0x336699))) << "a solid's own colour";
}

TEST_F(DxfExport, RealDrawingsKeepTheirInsertionsAndBlocks) {
    for (const Export& e : *exports_) {
        if (e.name == "every") continue;
        const nlohmann::json& r = Of(e);
        const auto insertions = EntityView::Of(*e.doc).All<TEntJwwBlock>().size();
        EXPECT_EQ(r["entities"].value("INSERT", 0U), insertions) << e.file;
        EXPECT_EQ(r["blocks"].size(), static_cast<size_t>(e.doc->EntBlockDefN)) << e.file;
    }
}

TEST_F(DxfExport, BoundImagesAreCopiedBesideTheFile) {
    EXPECT_TRUE(fs::exists(dir_->path() / "every-1021_images" / "pic.png"));
    EXPECT_FALSE(fs::exists(dir_->path() / "every-1009_images"));
    TempDir dir;
    TJwwData doc;
    BuildEveryKind(doc, dir.path());
    const dxf::ExportReport r12 =
        dxf::ExportDxf(doc, dir.path() / "r12.dxf", {.version = dxf::kR12});
    ASSERT_TRUE(r12.ok);
    ASSERT_EQ(r12.warnings.size(), 1U);
    EXPECT_NE(r12.warnings[0].find("R12"), std::string::npos);
}

std::string TextOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool HasImageEntity(const std::string& dxf) {
    return dxf.find("0\nIMAGE\n") != std::string::npos;
}

// In memory the text is the file's, less the bound images, which need a
// folder beside a file: they are left out and said so.
TEST_F(DxfExport, InMemoryTheTextIsTheFilesLessTheBoundImages) {
    ASSERT_TRUE(HasImageEntity(TextOf(Find("every", dxf::kR2007).file)));
    for (const Export& e : *exports_) {
        test::MemorySink sink;
        const dxf::ExportReport report = dxf::ExportDxf(*e.doc, sink, {.version = e.version});
        ASSERT_TRUE(report.ok) << e.file << ": " << report.reason;
        const std::string memory(sink.bytes.begin(), sink.bytes.end());
        const std::string file = TextOf(e.file);
        if (!HasImageEntity(file)) {
            EXPECT_EQ(memory, file) << e.file;
            continue;
        }
        EXPECT_FALSE(HasImageEntity(memory)) << e.file;
        EXPECT_TRUE(std::any_of(report.warnings.begin(), report.warnings.end(), [](const auto& w) {
            return w.find("bound images are left out") != std::string::npos;
        })) << e.file;
    }
}

TEST(DxfExportFailure, AnUnknownVersionWritesNothing) {
    TJwwData doc;
    doc.DataDefaultSet();
    test::MemorySink sink;
    const dxf::ExportReport report = dxf::ExportDxf(doc, sink, {.version = 1018});
    EXPECT_FALSE(report.ok);
    EXPECT_NE(report.reason.find("unknown DXF version"), std::string::npos);
    EXPECT_TRUE(sink.bytes.empty());
}

TEST(DxfExportFailure, AnUnwritableTargetKeepsTheExistingFile) {
    TempDir dir;
    TJwwData doc;
    doc.DataDefaultSet();
    doc.AddEntLine(0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1);
    const fs::path folder = dir.path() / "locked";
    fs::create_directory(folder);
    const fs::path target = folder / "out.dxf";
    std::ofstream(target) << "keep";
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    const dxf::ExportReport report = dxf::ExportDxf(doc, target, {});
    fs::permissions(folder, fs::perms::owner_all);
    if (::geteuid() == 0) GTEST_SKIP() << "root may write anywhere";
    EXPECT_FALSE(report.ok);
    EXPECT_FALSE(report.reason.empty());
    std::ifstream in(target);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "keep");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

// What is already at "<stem>_images" or at the DXF's name decides whether
// the images are written; an export that fails names nothing, and what was
// there before stays exactly as it was.
TEST(DxfExportImages, WhatIsThereAlreadyIsKeptUnlessReplacedAndNeverLostOnFailure) {
    enum class Before { Nothing, OldImage, LinkedFolder, TargetIsFolder };
    struct Case {
        const char* name;
        Before before;
        bool replace;
        bool ok;
        const char* reason;  // a part of the reason when the export fails
    };
    const Case cases[] = {
        {"new folder", Before::Nothing, false, true, ""},
        {"old image kept", Before::OldImage, false, false, "--force"},
        {"old image replaced", Before::OldImage, true, true, ""},
        {"link not followed", Before::LinkedFolder, true, false, "image folder"},
        {"failed DXF keeps old image", Before::TargetIsFolder, true, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        fs::create_directory(dir.path() / "images");
        TJwwData doc;
        BuildEveryKind(doc, dir.path() / "images");
        const fs::path target = dir.path() / "out.dxf";
        const fs::path folder = dir.path() / "out_images";
        const fs::path elsewhere = dir.path() / "elsewhere";
        if (c.before == Before::OldImage || c.before == Before::TargetIsFolder) {
            fs::create_directory(folder);
            std::ofstream(folder / "pic.png") << "old";
        }
        if (c.before == Before::LinkedFolder) {
            fs::create_directory(elsewhere);
            fs::create_directory_symlink(elsewhere, folder);
        }
        if (c.before == Before::TargetIsFolder) fs::create_directory(target);

        const dxf::ExportReport report =
            dxf::ExportDxf(doc, target, {.version = dxf::kR2007, .replaceImages = c.replace});
        EXPECT_EQ(report.ok, c.ok) << report.reason;
        EXPECT_NE(report.reason.find(c.reason), std::string::npos) << report.reason;
        if (c.ok) {
            EXPECT_EQ(fs::file_size(folder / "pic.png"),
                      fs::file_size(dir.path() / "images/pic.png"));
        } else {
            EXPECT_FALSE(fs::is_regular_file(target));
        }
        if (c.before == Before::OldImage && !c.replace || c.before == Before::TargetIsFolder)
            EXPECT_EQ(TextOf(folder / "pic.png"), "old");
        if (c.before == Before::LinkedFolder) EXPECT_TRUE(fs::is_empty(elsewhere));
        // No temporary file stays behind.
        if (fs::is_directory(fs::symlink_status(folder)))
            for (const auto& entry : fs::directory_iterator(folder))
                EXPECT_EQ(entry.path().filename(), "pic.png");
    }
}

// The images' budget, by what their stored files say they unpack to (a
// gzip file's record of its length): an export over it writes nothing and
// says what they need.
TEST(DxfExportImages, ImagesOverTheBudgetAreRefusedBeforeAnythingIsWritten) {
    struct Case {
        const char* name;
        bool packed;
        uint64_t budget;
        bool ok;
    };
    const Case cases[] = {{"plain, within", false, 24, true},
                          {"plain, over", false, 23, false},
                          {"packed, within", true, 24, true},
                          {"packed, over", true, 23, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const fs::path images = dir.path() / "images";
        fs::create_directory(images);
        TJwwData doc;
        BuildEveryKind(doc, images);
        if (c.packed) {
            doc.BindImage = {{u"pic.png", 24, false}};
            doc.BindImageN = 1;
            doc.BindImagePack();
            fs::remove(images / "pic.png");
            ASSERT_EQ(doc.BindImage[0].Fname, u"pic.png.gz");
        }
        const fs::path target = dir.path() / "out.dxf";
        const dxf::ExportReport report =
            dxf::ExportDxf(doc, target, {.version = dxf::kR2007, .imageBytes = c.budget});
        EXPECT_EQ(report.ok, c.ok) << report.reason;
        if (c.ok) {
            EXPECT_EQ(fs::file_size(dir.path() / "out_images" / "pic.png"), 24u);
        } else {
            EXPECT_EQ(report.reason,
                      "the bound images unpack to 24 bytes, more than the 23 bytes allowed");
            EXPECT_FALSE(fs::exists(target));
            EXPECT_FALSE(fs::exists(dir.path() / "out_images"));
        }
    }
}

size_t CountOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// A record holding a value that is not a finite number is left out whole
// and named; the records beside it are written as they are.
TEST(DxfExportValues, RecordsWithValuesNotFiniteAreLeftOutAndNamed) {
    const double nan = std::nan("");
    struct Case {
        const char* name;
        int32_t version;
        std::function<void(TJwwData&)> damage;
        std::vector<std::string> warnings;
        const char* leftOutKind;  // as the DXF calls it
        long leftOutWarnings = 1;
    };
    const Case cases[] = {
        {"a line",
         dxf::kR2000,
         [&](TJwwData& doc) { doc.AddEntLine(0, 0, 0, 1, 1, 0, 0, nan, 0, 1, INFINITY); },
         {"line 2 of the drawing left out"},
         "LINE"},
        {"a point in R12",
         dxf::kR12,
         [&](TJwwData& doc) { doc.AddEntTen(0, 0, 0, 1, 0, 0, 0, INFINITY, 1, 0, 1); },
         {"point 2 of the drawing left out"},
         "POINT"},
        {"a curved solid in R12 triangles",
         dxf::kR12,
         [&](TJwwData& doc) { doc.AddEntSolidA(0, 0, 0, kExtPen, 0, 0, 0, nan, 10, 5, 1, 0); },
         {"solid 2 of the drawing left out"},
         "SOLID"},
        {"a member of a definition",
         dxf::kR2007,
         [&](TJwwData& doc) {
             ASSERT_TRUE(doc.AddBlkDef(0, 0, 0, 1, 1, 0, 0, 0, u"part"));
             const int32_t def = doc.EntBlockDefN - 1;
             doc.AddBlkLine(def, 0, 0, 0, 1, 1, 0, 0, 0, 0, nan, 0);
             doc.AddBlkDefPost(def);
         },
         {"line 1 of block part left out"},
         "LINE"},
        {"many lines",
         dxf::kR2000,
         [&](TJwwData& doc) {
             for (int k = 0; k < 12; ++k)
                 doc.AddEntLine(0, 0, 0, 1, 1, 0, 0, 0, nan, 1, 1);
         },
         {"line 2 of the drawing", "line 11 of the drawing",
          "12 records in all left out for values that are not finite numbers"},
         "LINE",
         11},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        TJwwData doc;
        doc.DataDefaultSet();
        doc.AddEntLine(0, 0, 0, 1, 1, 0, 0, 0, 0, 1, 1);
        c.damage(doc);
        const fs::path file = dir.path() / "damaged.dxf";
        const dxf::ExportReport report = dxf::ExportDxf(doc, file, {.version = c.version});
        ASSERT_TRUE(report.ok) << report.reason;
        for (const std::string& expected : c.warnings) {
            EXPECT_TRUE(std::any_of(report.warnings.begin(), report.warnings.end(),
                                    [&](const auto& w) { return w.find(expected) != w.npos; }))
                << expected;
        }
        EXPECT_EQ(std::count_if(report.warnings.begin(), report.warnings.end(),
                                [](const auto& w) { return w.find(" left out") != w.npos; }),
                  c.leftOutWarnings);
        const std::string text = TextOf(file);
        EXPECT_EQ(CountOf(text, "\n0\nLINE\n"), 1u);
        if (std::string(c.leftOutKind) != "LINE")
            EXPECT_EQ(CountOf(text, std::string("\n0\n") + c.leftOutKind + "\n"), 0u);
        EXPECT_EQ(text.find("\n0\nEOF\n") + 7, text.size());
    }
}

// What the export leaves out is said: the insertion that would put a block
// inside itself, by the blocks' names, and insertions of no definition.
TEST(DxfExportValues, DroppedInsertionsAreNamedInWarnings) {
    TJwwData doc;
    BuildBlockCycle(doc);
    TempDir dir;
    for (const int32_t version : {dxf::kR12, dxf::kR2000, dxf::kR2007}) {
        const dxf::ExportReport report =
            dxf::ExportDxf(doc, dir.path() / "cycle.dxf", {.version = version});
        ASSERT_TRUE(report.ok) << report.reason;
        EXPECT_EQ(report.warnings, kBlockCycleWarnings);
    }
}

// "%%" codes readers would turn into symbols or formats: the text is written
// as typed, and the export says how many texts hold one.
TEST(DxfExportValues, TextsWithPercentCodesAreWrittenAsTypedAndCounted) {
    const struct {
        std::u16string text;
        bool code;
    } cases[] = {
        {u"D%%c10", true},    {u"30%%d", true},    {u"%%P0.5", true},
        {u"%%u under", true}, {u"%%127", true},    {u"100%%", false},
        {u"%%%", false},      {u"50% off", false}, {u"%%x", false},
    };
    TempDir dir;
    int number = 0;
    for (const auto& c : cases) {
        TJwwData doc;
        ASSERT_TRUE(
            doc.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 3, 3, 0, 0, u"ＭＳ ゴシック", c.text));
        const fs::path out = dir.path() / ("codes" + std::to_string(++number) + ".dxf");
        const dxf::ExportReport report = dxf::ExportDxf(doc, out, {.version = dxf::kR2000});
        ASSERT_TRUE(report.ok) << report.reason;
        const std::vector<std::string> expected = {
            "1 texts hold %% codes (%%c, %%d, %%p, %%u, %%o, %%k, %%nnn), written as typed: DXF "
            "readers show them as symbols or formatting"};
        EXPECT_EQ(report.warnings, c.code ? expected : std::vector<std::string>{})
            << ToUtf8(c.text);
        std::ifstream in(out, std::ios::binary);
        const std::string bytes{std::istreambuf_iterator<char>(in), {}};
        EXPECT_NE(bytes.find("\n" + ToUtf8(c.text) + "\n"), std::string::npos) << ToUtf8(c.text);
    }
}

}  // namespace
}  // namespace tw
