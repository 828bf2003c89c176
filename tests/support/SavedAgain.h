// A drawing written again and read back: in its own format version and text
// code it must give the bytes it was read from; in another it must keep
// every field the target holds, except those of the kinds the save reported
// as lost.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/jww/Reader.h>
#include "support/ByteDiff.h"
#include "support/RecordFields.h"

namespace tw::test {

inline constexpr int32_t kAllVersions[] = {220, 223, 225, 230, 300, 351, 420, 600, 700};

inline std::vector<uint8_t> FileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Reads file into doc, failing the test when it cannot.
inline void ReadInto(TJwwData& doc, const std::filesystem::path& file) {
    const jwwin::ReadReport report = jwwin::ReadDrawingFile(doc, file, {});
    ASSERT_TRUE(report.ok) << file << ": " << report.reason;
}

inline bool SaveAs(TJwwData& doc, const std::filesystem::path& file, int32_t version, bool utf16,
                   SaveReport& report, bool strict = false) {
    doc.SetFileOutOption(utf16 ? kOutUtf16 : 0);
    return doc.FileOut(file.u16string(), version, report, strict);
}

// Saved in its own version and text code, strictly, the file read gives its
// own bytes.
inline void ExpectSavedAsRead(const std::filesystem::path& file, const std::filesystem::path& out) {
    TJwwData doc;
    ASSERT_NO_FATAL_FAILURE(ReadInto(doc, file));
    ASSERT_TRUE(doc.Source.read);
    SaveReport report;
    ASSERT_TRUE(SaveAs(doc, out, doc.Source.version, doc.Source.utf16, report, /*strict=*/true))
        << doc.FileOutError;
    const std::vector<uint8_t> got = FileBytes(out), want = FileBytes(file);
    EXPECT_TRUE(got == want) << file << ": " << FirstDifference(got, want);
}

// The fields a save of these losses may change: a field is compared unless
// its line names one of them.
inline std::vector<std::string> LossyFields(const SaveReport& report) {
    std::vector<std::string> names;
    if (report[SaveLoss::PenColors] != 0) names.push_back("nPenColor=");
    if (report[SaveLoss::LineTypes] != 0) names.push_back("nPenStyle=");
    if (report[SaveLoss::PenWidths] != 0) names.push_back("nPenWidth=");
    if (report[SaveLoss::Layers] != 0) names.insert(names.end(), {"nLayer=", "nGLayer="});
    if (report[SaveLoss::Settings] != 0) names.push_back("nMaxDrawWid=");
    if (report[SaveLoss::Characters] != 0) names.push_back("=\"");  // every text
    return names;
}

inline std::vector<std::string> Without(std::vector<std::string> fields,
                                        const std::vector<std::string>& lossy) {
    std::erase_if(fields, [&](const std::string& f) {
        return std::any_of(lossy.begin(), lossy.end(),
                           [&](const std::string& n) { return f.find(n) != std::string::npos; });
    });
    return fields;
}

inline std::vector<std::string> HeaderFields(TJwwData& doc, int32_t version) {
    FieldList list(version);
    rec::describeHeader(list, rec::HeaderRefs::Of(doc));
    return std::move(list.fields());
}

// The first line where two field lists part, for a failure's message.
inline std::string FirstFieldDifference(const std::vector<std::string>& got,
                                        const std::vector<std::string>& want) {
    const auto [g, w] = std::mismatch(got.begin(), got.end(), want.begin(), want.end());
    return "got " + (g == got.end() ? std::string("(end)") : *g) + ", expected " +
           (w == want.end() ? std::string("(end)") : *w);
}

// doc, read from a file, saved in version and text code and read back: the
// version and code it was saved in, and every field of the header, the
// entities and the definitions that both the version and doc's file hold
// and the report does not name as lost.
inline void ExpectConvertedKeeps(TJwwData& doc, const std::filesystem::path& out, int32_t version,
                                 bool utf16) {
    SaveReport report;
    ASSERT_TRUE(SaveAs(doc, out, version, utf16, report)) << doc.FileOutError;
    TJwwData back;
    ASSERT_NO_FATAL_FAILURE(ReadInto(back, out));
    EXPECT_EQ(back.Source.version, version);
    EXPECT_EQ(back.Source.utf16, utf16);
    const std::vector<std::string> lossy = LossyFields(report);
    const int32_t both = std::min(version, doc.Source.version);
    const auto header = Without(HeaderFields(back, both), lossy);
    const auto headerWant = Without(HeaderFields(doc, both), lossy);
    EXPECT_TRUE(header == headerWant) << "header: " << FirstFieldDifference(header, headerWant);
    if (report[SaveLoss::SxfDimensions] != 0 || report[SaveLoss::Definitions] != 0) return;
    const auto entities = Without(DrawingFields(back, both), lossy);
    const auto entitiesWant = Without(DrawingFields(doc, both), lossy);
    EXPECT_TRUE(entities == entitiesWant)
        << "entities: " << FirstFieldDifference(entities, entitiesWant);
}

}  // namespace tw::test
