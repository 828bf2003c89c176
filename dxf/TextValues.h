// A text's value as readers accept it. R12 readers stop at 255 bytes
// (ezdxf's MAX_STR_LEN) and AutoCAD makes single-line texts of up to 256
// characters; later versions take values up to 2049 characters (ezdxf's
// EXT_MAX_STR_LEN), which a long text passes as well. So a text whose value
// passes 255 bytes is written as MTEXT where the version has it (its
// content in chunks) and as several TEXTs along the base line in R12.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include <tintwright/document/Fonts.h>
#include <tintwright/document/Geometry.h>
#include <tintwright/document/JwwUnit.h>
#include <tintwright/dxf/TagWriter.h>

namespace tw::dxf {

inline constexpr size_t kMaxTextBytes = 255;

// A run of a text's code units.
struct TextPiece {
    size_t first = 0;
    size_t size = 0;
};

// The text cut into runs whose values, as `w` encodes them, hold at most
// kMaxTextBytes each; a surrogate pair is never cut (an escape or a double
// byte belongs to one unit or pair, so it stays whole).
std::vector<TextPiece> PiecesWithin(const std::u16string& text, TagWriter& w);

// Where a run of the text sits on its base line as our renders place it:
// Jw_cad's cells and spacing, fitted to the text's stored length. The text
// is laid out once for all its runs, so a long text costs its length.
struct Baseline {
    geom::Point start, end;
};
class TextBaselines {
  public:
    explicit TextBaselines(const TEntJwwMoji& text);
    Baseline Of(const TextPiece& piece) const;

  private:
    const TEntJwwMoji& text_;
    std::array<geom::Point, 4> corners_;
    fonts::TextLayout whole_;
};

// MTEXT content showing the typed text: its own specials escaped ("\\",
// "\{", "\}", and "^ " for a caret, which readers decode as a control
// code), in chunks of at most 250 characters that never cut an escape or a
// surrogate pair. The last chunk goes under group 1, the others under 3.
std::vector<std::u16string> MTextChunks(const std::u16string& text);

// Whether the text holds a "%%" code DXF readers turn into a symbol or a
// format (%%c Ø, %%d °, %%p ±, %%u, %%o, %%k, %%nnn). No escape shows the
// typed text in every reader (AutoCAD reads "%%%" as "%", ezdxf and LibreCAD
// show it as it stands), so such texts are written as typed and named.
bool HasReaderCodes(const std::u16string& text);

}  // namespace tw::dxf
