// Drawings saved by Jw_cad, read and written again: in their own format
// version and text code byte for byte, in every other keeping what the
// target holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "support/SavedAgain.h"
#include "support/SharedDrawings.h"
#include "support/TempDir.h"

namespace tw::test {
namespace {

namespace fs = std::filesystem;

const fs::path kFolder = TW_SHARED_TESTDATA;

class SharedDrawings : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(fs::is_directory(kFolder)) << "no shared drawings at " << kFolder;
        files = SharedDrawingFiles();
        ASSERT_FALSE(files.empty());
    }
    std::vector<fs::path> files;
    TempDir dir;
};

TEST_F(SharedDrawings, SavedInTheirOwnVersionAndCodeKeepEveryByte) {
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        ExpectSavedAsRead(file, dir.path() / file.filename());
    }
}

TEST_F(SharedDrawings, KnowTheVersionAndTextCodeTheyWereReadFrom) {
    std::ifstream in(kFolder / "expected.json");
    const nlohmann::json expected = nlohmann::json::parse(in);
    for (const fs::path& file : files) {
        SCOPED_TRACE(file.filename().string());
        const nlohmann::json& facts = expected.at(file.filename().string());
        TJwwData doc;
        ASSERT_NO_FATAL_FAILURE(ReadInto(doc, file));
        EXPECT_TRUE(doc.Source.read);
        EXPECT_EQ(doc.Source.version, facts["version"].get<int>());
        EXPECT_EQ(doc.Source.utf16, facts["utf16"].get<bool>());
        doc.DataInit();  // an empty drawing was read from nothing
        EXPECT_FALSE(doc.Source.read);
        EXPECT_EQ(doc.Source.version, 0);
    }
}

TEST_F(SharedDrawings, ConvertedToEveryVersionAndCodeKeepWhatTheTargetHolds) {
    for (const fs::path& file : files) {
        TJwwData doc;
        ASSERT_NO_FATAL_FAILURE(ReadInto(doc, file));
        for (const int32_t version : kAllVersions) {
            for (const bool utf16 : {false, true}) {
                SCOPED_TRACE(file.filename().string() + " as " + std::to_string(version) +
                             (utf16 ? " utf16" : " ansi"));
                ExpectConvertedKeeps(doc, dir.path() / "converted.jww", version, utf16);
            }
        }
    }
}

}  // namespace
}  // namespace tw::test
