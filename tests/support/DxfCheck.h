// ezdxf as the judge of exported DXF files: one run of tests/dxf/check_dxf.py
// over many files, its JSON report parsed.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <vector>

#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/EntityView.h>
#include <tintwright/document/OutputRules.h>
#include <tintwright/dxf/AciColors.h>
#include <tintwright/dxf/DxfExport.h>

namespace tw {

// The report of every file, keyed by its path; null when the checker could
// not be run.
inline nlohmann::json CheckDxfFiles(const std::vector<std::filesystem::path>& files) {
    // Debian's interpreter, which has ezdxf; another python3 may come first
    // on PATH.
    std::string command = "/usr/bin/python3 " TW_SOURCE_DIR "/tests/dxf/check_dxf.py";
    for (const auto& file : files)
        command += " '" + file.string() + "'";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return nullptr;
    std::string output;
    char block[65536];
    for (size_t n; (n = std::fread(block, 1, sizeof block, pipe)) > 0;)
        output.append(block, n);
    if (pclose(pipe) != 0) return nullptr;
    return nlohmann::json::parse(output, nullptr, false);
}

// The drawing exported in R12, 2000 and 2007 as "<stem>-<version>.dxf" in
// `dir`; empty when an export fails.
inline std::vector<std::filesystem::path> ExportEveryVersion(const TJwwData& doc,
                                                             const std::filesystem::path& dir,
                                                             const std::string& stem) {
    std::vector<std::filesystem::path> files;
    for (const int32_t version : dxf::kDxfVersions) {
        files.push_back(dir / (stem + "-" + std::to_string(version) + ".dxf"));
        if (!dxf::ExportDxf(doc, files.back(), {.version = version}).ok) return {};
    }
    return files;
}

// Exports the drawing in every version, has ezdxf read the files, and calls
// f(file name, report) for each file read strictly without errors.
template <class F>
void ForEachCheckedExport(const TJwwData& doc, const std::filesystem::path& dir,
                          const std::string& stem, F f) {
    const std::vector<std::filesystem::path> files = ExportEveryVersion(doc, dir, stem);
    ASSERT_FALSE(files.empty()) << "an export failed";
    const nlohmann::json report = CheckDxfFiles(files);
    ASSERT_TRUE(report.is_object()) << "the ezdxf checker did not run";
    for (const std::filesystem::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const nlohmann::json& r = report[file.string()];
        ASSERT_TRUE(r["read"].get<bool>()) << r["errors"];
        EXPECT_TRUE(r["errors"].empty()) << r["errors"];
        f(file.filename().string(), r);
    }
}

// Every colour (0xRRGGBB) of the drawing's pen tables and of its solids' own
// colours: what true colours in an export may be.
inline std::set<int64_t> TableColors(const TJwwData& doc) {
    std::set<int64_t> colors;
    for (int32_t pen = rules::kFirstBasicPen; pen <= rules::kLastExtColor; ++pen) {
        if (const auto c = rules::PenColor(doc, pen, false)) colors.insert(rules::RgbOf(*c));
    }
    const auto own = [&](const EntityView& view) {
        ForEachEntityOf<TEntJwwSolid>(view, [&](const TEntJwwSolid& s) {
            if (const auto c = rules::SolidColor(doc, s, false)) colors.insert(rules::RgbOf(*c));
        });
    };
    own(EntityView::Of(doc));
    ForEachDefinition(doc, [&](const TEntJwwBlockDef& def) { own(EntityView::Of(def)); });
    return colors;
}

}  // namespace tw
