// The names Windows refuses or changes, checked on every system so that the
// rule is tested where the tests run fastest; Windows applies it to outputs.
#include <gtest/gtest.h>

#include <tintwright/util/WindowsNames.h>

namespace tw {
namespace {

TEST(WindowsNames, DevicesForbiddenCharactersAndTrailingDotsAreRefused) {
    const struct {
        const char16_t* name;
        bool refused;
    } cases[] = {
        {u"plan.jww", false},
        {u"CON", true},
        {u"con.dxf", true},
        {u"aux.jww", true},
        {u"Nul.tar.gz", true},
        {u"COM1.svg", true},
        {u"lpt9", true},
        {u"COM0.svg", false},
        {u"COM10.svg", false},
        {u"console.jww", false},
        {u"a<b.jww", true},
        {u"what?.png", true},
        {u"tab\there.pdf", true},
        {u"x.jww.", true},
        {u"x.jww ", true},
        {u"図面.jww", false},
        {u"dir/CON/plan.jww", false},  // only the file's own name
    };
    for (const auto& c : cases)
        EXPECT_EQ(WhyWindowsRefusesName(std::filesystem::path(c.name)).empty(), !c.refused)
            << std::filesystem::path(c.name).string();
}

}  // namespace
}  // namespace tw
