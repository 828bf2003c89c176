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
    for (const TPalette palette : {TPalette::Dxf, TPalette::Mix, TPalette::Grad}) {
        for (const int32_t version : test::kAllVersions) {
            for (const bool utf16 : {false, true}) {
                const std::string name = "p" + std::to_string(static_cast<int>(palette)) + "-v" +
                                         std::to_string(version) + (utf16 ? "-utf16" : "-ansi");
                SCOPED_TRACE(name);
                form.Palette = palette;
                form.Version = version;
                form.TextCode = utf16 ? TTextCode::Utf16 : TTextCode::Ansi;
                const auto chart = dir.path() / (name + ".jww");
                ASSERT_EQ(SaveTo(chart), kSaveDoneMessage);
                test::ExpectSavedAsRead(chart, dir.path() / "again.jww");
                TJwwData doc;
                ASSERT_NO_FATAL_FAILURE(test::ReadInto(doc, chart));
                for (const int32_t target : test::kAllVersions) {
                    for (const bool targetUtf16 : {false, true}) {
                        SCOPED_TRACE(std::to_string(target) + (targetUtf16 ? " utf16" : " ansi"));
                        test::ExpectConvertedKeeps(doc, dir.path() / "converted.jww", target,
                                                   targetUtf16);
                    }
                }
            }
        }
    }
}

}  // namespace
}  // namespace tw
