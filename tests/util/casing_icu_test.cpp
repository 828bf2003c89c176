// Casing follows the user's locale, as the system's own casing does.
#include <gtest/gtest.h>
#include <unicode/uloc.h>

#include <string>

#include <tintwright/util/Func_2.h>

namespace tw {
namespace {

// ICU's full mappings: the sharp s grows to two letters (Windows keeps it).
TEST(IcuCasing, UsesFullUnicodeMappings) {
    EXPECT_EQ(UpperText(u"\uFF41\u00DF"), u"\uFF21SS");
}

class TurkishLocale : public ::testing::Test {
  protected:
    void SetUp() override {
        previous_ = uloc_getDefault();
        UErrorCode error = U_ZERO_ERROR;
        uloc_setDefault("tr_TR", &error);
        ASSERT_FALSE(U_FAILURE(error));
    }
    void TearDown() override {
        UErrorCode error = U_ZERO_ERROR;
        uloc_setDefault(previous_.c_str(), &error);
    }

  private:
    std::string previous_;
};

TEST_F(TurkishLocale, DottedAndDotlessI) {
    EXPECT_EQ(UpperText(u"i"), u"\u0130");
    EXPECT_EQ(LowerText(u"I"), u"\u0131");
    EXPECT_EQ(UpperText(u"abc.jpg"), u"ABC.JPG");
}

}  // namespace
}  // namespace tw
