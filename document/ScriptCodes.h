// Jw_cad's codes "^u" and "^d" raise or lower the one character after them
// (m^u2 is m squared, H^d2O water). Renders draw that character
// kScriptScale as high and as wide, at the top or the bottom of its cell;
// the code draws nothing but keeps its place, which the text's stored length
// counts. DXF readers are shown the character's superscript or subscript
// form where Unicode has one, else the character itself.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tw::fonts {

enum class Script : uint8_t { Plain, Code, Super, Sub };

inline constexpr double kScriptScale = 0.5;

// Per code unit of the text: Code for a code's two units, Super or Sub for
// the units of the character a code marks, Plain for the rest. A code at the
// end, with no character after it, is plain text.
std::vector<Script> ScriptsOf(std::u16string_view text);

// Whether the text holds a code.
bool HasScriptCodes(std::u16string_view text);

// The text without its codes, each marked character in its superscript or
// subscript form where Unicode has one (digits, + - = ( ), a few letters;
// full-width ones as their ASCII twins).
std::u16string WithScriptForms(std::u16string_view text);

}  // namespace tw::fonts
