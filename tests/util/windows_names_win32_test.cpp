// On Windows every output asks the replaceable-file check first, so a name
// Windows refuses fails with the reason instead of the system's error.
#include <gtest/gtest.h>

#include <tintwright/util/ReplaceableFile.h>
#include "support/TempDir.h"

namespace tw {
namespace {

TEST(WindowsNamesOnWindows, OutputsRefuseDeviceNamesWithTheReason) {
    TempDir dir;
    for (const char* name : {"CON", "aux.jww", "a<b.jww", "x.jww."})
        EXPECT_NE(WhyNotReplaceable(dir.path() / name).find("Windows"), std::string::npos) << name;
    EXPECT_EQ(WhyNotReplaceable(dir.path() / "plan.jww"), "");
}

}  // namespace
}  // namespace tw
