// The colour chart of every palette, version and text code, read and written
// again: in its own version and code byte for byte, in every other keeping
// what the target holds.
#include <gtest/gtest.h>

#include <string>

#include "support/SavedAgain.h"
#include "tests/app/FormFixture.h"

namespace tw {
namespace {

using ChartSavedAgain = FormTest;

TEST_F(ChartSavedAgain, KeepsItsBytesAndConvertsToEveryVersionAndCode) {
    ForEveryChart([&](const std::filesystem::path& chart, TPalette, int32_t, bool) {
        test::ExpectSavedAsRead(chart, dir.path() / "again.jww");
        TJwwData doc;
        ASSERT_NO_FATAL_FAILURE(test::ReadInto(doc, chart));
        for (const int32_t target : test::kAllVersions) {
            for (const bool targetUtf16 : {false, true}) {
                SCOPED_TRACE(std::to_string(target) + (targetUtf16 ? " utf16" : " ansi"));
                test::ExpectConvertedKeeps(doc, dir.path() / "converted.jww", target, targetUtf16);
            }
        }
    });
}

}  // namespace
}  // namespace tw
