#include <tintwright/document/ScriptCodes.h>

#include <optional>

namespace tw::fonts {

namespace {

constexpr bool IsHighSurrogate(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
constexpr bool IsLowSurrogate(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}

// The script of the code at `i`, none where no code starts there.
std::optional<Script> CodeAt(std::u16string_view text, size_t i) {
    if (text[i] != u'^' || i + 2 >= text.size()) return std::nullopt;
    if (text[i + 1] == u'u') return Script::Super;
    if (text[i + 1] == u'd') return Script::Sub;
    return std::nullopt;
}

// Full-width ASCII as ASCII.
constexpr char16_t Narrowed(char16_t c) {
    return c >= 0xFF01 && c <= 0xFF5E ? static_cast<char16_t>(c - 0xFF01 + 0x21) : c;
}

// The superscript or subscript form of a character, itself when Unicode has none.
char16_t FormOf(char16_t c, Script script) {
    static constexpr std::u16string_view kPlain = u"0123456789+-=()";
    static constexpr std::u16string_view kSuper = u"⁰¹²³⁴⁵⁶⁷⁸⁹⁺⁻⁼⁽⁾";
    static constexpr std::u16string_view kSub = u"₀₁₂₃₄₅₆₇₈₉₊₋₌₍₎";
    static constexpr std::u16string_view kSuperLetters = u"ni", kSuperLetterForms = u"ⁿⁱ";
    static constexpr std::u16string_view kSubLetters = u"aeox", kSubLetterForms = u"ₐₑₒₓ";
    const char16_t narrow = Narrowed(c);
    const bool super = script == Script::Super;
    if (const size_t at = kPlain.find(narrow); at != std::u16string_view::npos)
        return (super ? kSuper : kSub)[at];
    const std::u16string_view letters = super ? kSuperLetters : kSubLetters;
    if (const size_t at = letters.find(narrow); at != std::u16string_view::npos)
        return (super ? kSuperLetterForms : kSubLetterForms)[at];
    return c;
}

}  // namespace

std::vector<Script> ScriptsOf(std::u16string_view text) {
    std::vector<Script> scripts(text.size(), Script::Plain);
    for (size_t i = 0; i < text.size();) {
        const std::optional<Script> script = CodeAt(text, i);
        if (!script) {
            ++i;
            continue;
        }
        scripts[i] = scripts[i + 1] = Script::Code;
        const size_t first = i + 2;
        const size_t units = IsHighSurrogate(text[first]) && first + 1 < text.size() &&
                                     IsLowSurrogate(text[first + 1])
                                 ? 2
                                 : 1;
        for (size_t k = 0; k < units; ++k)
            scripts[first + k] = *script;
        i = first + units;
    }
    return scripts;
}

bool HasScriptCodes(std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i)
        if (CodeAt(text, i)) return true;
    return false;
}

std::u16string WithScriptForms(std::u16string_view text) {
    const std::vector<Script> scripts = ScriptsOf(text);
    std::u16string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (scripts[i] == Script::Code) continue;
        // Surrogates have no form and stay as they are.
        shown += scripts[i] == Script::Plain ? text[i] : FormOf(text[i], scripts[i]);
    }
    return shown;
}

}  // namespace tw::fonts
