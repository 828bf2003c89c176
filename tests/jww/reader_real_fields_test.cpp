// Drawings saved by Jw_cad itself, every entity field by field against the
// values an independent reader found in them (entities/NAME.json, values in
// stored order): the layout of each record is right independently of the
// writer, which shares the record descriptions with this reader.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include <tintwright/util/Func_2.h>
#include "jww/EntityList.h"

namespace tw::test {
namespace {

using Json = nlohmann::json;

const std::filesystem::path kFolder = std::filesystem::path(TW_SHARED_TESTDATA) / "entities";

Json Values(const TEntJwwAttr& a) {
    return {{"group", a.lGroup},    {"style", a.nPenStyle}, {"colour", a.nPenColor},
            {"width", a.nPenWidth}, {"layer", a.nLayer},    {"glayer", a.nGLayer},
            {"flags", a.sFlg}};
}

// The record's own values under the names of the lists.
Json Values(const TEntJwwLine& r) {
    return {{"p", {r.start_x, r.start_y, r.end_x, r.end_y}}};
}

Json Values(const TEntJwwEnko& r) {
    return {{"v",
             {r.start_x, r.start_y, r.dHankei, r.radKaishiKaku, r.radEnkoKaku, r.radKatamukiKaku,
              r.dHenpeiRitsu}},
            {"zenen", r.bZenEnFlg}};
}

Json Values(const TEntJwwTen& r) {
    Json j = {{"x", r.start_x}, {"y", r.start_y}, {"kariten", r.bKariten}};
    if (r.att.nPenStyle == 100) {
        j["code"] = r.nCode;
        j["angle"] = r.radKaitenKaku;
        j["scale"] = r.dBairitsu;
    }
    return j;
}

Json Values(const TEntJwwMoji& r) {
    return {{"p", {r.start_x, r.start_y, r.end_x, r.end_y}},
            {"shu", r.nMojiShu},
            {"size", {r.dSizeX, r.dSizeY}},
            {"kankaku", r.dKankaku},
            {"deg", r.degKakudo},
            {"font", ToUtf8(r.strFontName)},
            {"str", ToUtf8(r.str)}};
}

// The lists hold no dimension; one would differ by its missing values.
Json Values(const TEntJwwSunpo&) {
    return Json::object();
}

Json Values(const TEntJwwSolid& r) {
    Json j = {{"v",
               {r.start_x, r.start_y, r.end_x, r.end_y, r.DPoint2_x, r.DPoint2_y, r.DPoint3_x,
                r.DPoint3_y}}};
    if (r.att.nPenColor == 10) j["color"] = r.Color;
    return j;
}

Json Values(const TEntJwwBlock& r) {
    return {{"v", {r.DPKijunTen_x, r.DPKijunTen_y, r.dBairitsuX, r.dBairitsuY, r.radKaitenKaku}},
            {"number", r.nNumber}};
}

Json AsListed(const Entity& x) {
    return std::visit(
        [](const auto& r) {
            Json j = Values(r);
            j["kind"] = ClassOf(r);
            j["a"] = Values(r.att);
            return j;
        },
        x);
}

TEST(ReaderRealFiles, EveryEntityFieldByField) {
    if (!std::filesystem::exists(kFolder)) GTEST_SKIP() << "no entity lists at " << kFolder;
    int files = 0;
    for (const auto& listed : std::filesystem::directory_iterator(kFolder)) {
        if (listed.path().extension() != ".json") continue;
        std::ifstream in(listed.path());
        const Json expected = Json::parse(in);
        const auto file =
            std::filesystem::path(TW_SHARED_TESTDATA) / expected["file"].get<std::string>();
        SCOPED_TRACE(file.filename().string());
        TJwwData doc;
        ASSERT_TRUE(doc.FileIn(file.u16string()));
        ++files;
        EXPECT_EQ(doc.Enthd.jwVer, expected["version"].get<int>());
        const std::vector<Entity> entities = ListOf(EntityView::Of(doc));
        const Json& want = expected["entities"];
        ASSERT_EQ(entities.size(), want.size());
        int differences = 0;
        for (size_t i = 0; i < entities.size() && differences < 5; ++i) {
            const Json got = AsListed(entities[i]);
            if (got == want[i]) continue;
            ++differences;
            ADD_FAILURE() << "entity " << i << "\n got      " << got.dump() << "\n expected "
                          << want[i].dump();
        }
    }
    EXPECT_GT(files, 0);
}

}  // namespace
}  // namespace tw::test
