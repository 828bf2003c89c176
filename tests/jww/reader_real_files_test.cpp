// Drawings saved by Jw_cad itself read completely and agree with the facts
// that expected.json lists for them, found independently of this reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <nlohmann/json.hpp>
#include <string>

#include <tintwright/util/Func_2.h>
#include "jww/ReaderSupport.h"

namespace tw::test {
namespace {

const std::filesystem::path kFolder = TW_SHARED_TESTDATA;

// Entities of an order list by class name, as expected.json counts them.
std::map<std::string, int> CountsByClass(const std::vector<TEntJwwNo>& order, int32_t n) {
    static const char* const kClasses[] = {"",          "CDataSen",    "CDataEnko",  "CDataTen",
                                           "CDataMoji", "CDataSunpou", "CDataSolid", "CDataBlock"};
    std::map<std::string, int> counts;
    for (int32_t i = 0; i < n; ++i) {
        const int32_t kind = order.at(static_cast<size_t>(i)).EntType;
        if (kind >= kEntLine && kind <= kEntBlock) ++counts[kClasses[kind]];
    }
    return counts;
}

std::map<std::string, int> Expected(const nlohmann::json& counts) {
    return counts.get<std::map<std::string, int>>();
}

TEST(ReaderRealFiles, JwCadDrawingsReadCompletely) {
    const std::filesystem::path expectedFile = kFolder / "expected.json";
    if (!std::filesystem::exists(expectedFile)) GTEST_SKIP() << "no real drawings at " << kFolder;
    std::ifstream in(expectedFile);
    const nlohmann::json expected = nlohmann::json::parse(in);
    ASSERT_FALSE(expected.empty());
    for (const auto& [name, facts] : expected.items()) {
        SCOPED_TRACE(name);
        const std::filesystem::path file = kFolder / name;
        if (!std::filesystem::exists(file)) continue;
        TJwwData d;
        d.BindImageExr = true;  // list the images without writing them
        EXPECT_TRUE(d.FileCheck(file.u16string()));
        const jwwin::ReadReport report = jwwin::ReadDrawingFile(d, file.u16string(), {});
        ASSERT_TRUE(report.ok) << report.reason;
        EXPECT_EQ(report.stoppedAt, std::filesystem::file_size(file));  // exactly to its end

        EXPECT_EQ(d.Enthd.jwVer, facts["version"].get<int>());
        EXPECT_EQ(ToUtf8(d.Enthd.strMemo), facts["memo"].get<std::string>());
        EXPECT_EQ(d.Enthd.n1, facts["entity_count"].get<int>());
        EXPECT_EQ(CountsByClass(d.EntNo, d.Enthd.n1), Expected(facts["counts"]));
        EXPECT_EQ(d.MojiEncode, facts["utf16"].get<bool>());
        if (facts.contains("images")) {
            EXPECT_EQ(d.BindImageN, static_cast<int>(facts["images"].size()));
        }

        const nlohmann::json& blocks = facts["blocks"];
        ASSERT_EQ(d.EntBlockDefN, static_cast<int>(blocks.size()));
        for (size_t i = 0; i < blocks.size(); ++i) {
            const TEntJwwBlockDef& def = d.EntBlockDef[i];
            EXPECT_EQ(def.nNumber, blocks[i]["number"].get<uint32_t>());
            EXPECT_EQ(ToUtf8(def.strName), blocks[i]["name"].get<std::string>());
            EXPECT_EQ(def.N, blocks[i]["members"].get<int>());
            EXPECT_EQ(CountsByClass(def.mNo, def.N), Expected(blocks[i]["counts"]));
        }
    }
}

}  // namespace
}  // namespace tw::test
