// Jw_cad's raising and lowering codes: which units they mark and the forms
// DXF readers are shown.
#include <tintwright/document/ScriptCodes.h>

#include <gtest/gtest.h>

namespace tw::fonts {
namespace {

using enum Script;

TEST(ScriptCodes, MarkTheOneCharacterAfterThem) {
    struct Case {
        std::u16string text;
        std::vector<Script> scripts;
        std::u16string forms;
    };
    const Case cases[] = {
        {u"m^u2", {Plain, Code, Code, Super}, u"m²"},
        {u"H^d2O", {Plain, Code, Code, Sub, Plain}, u"H₂O"},
        {u"m^u２", {Plain, Code, Code, Super}, u"m²"},  // a full-width digit
        {u"x^uA", {Plain, Code, Code, Super}, u"xA"},   // no superscript form
        {u"^d𠮷a", {Code, Code, Sub, Sub, Plain}, u"𠮷a"},
        {u"a^u", {Plain, Plain, Plain}, u"a^u"},  // nothing to raise
        {u"a^b2", {Plain, Plain, Plain, Plain}, u"a^b2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.scripts.size()));
        EXPECT_EQ(ScriptsOf(c.text), c.scripts);
        EXPECT_EQ(HasScriptCodes(c.text), c.forms != c.text);
        EXPECT_TRUE(WithScriptForms(c.text) == c.forms);
    }
}

}  // namespace
}  // namespace tw::fonts
