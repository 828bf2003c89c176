#include <tintwright/dxf/TextValues.h>

#include <tintwright/document/Fonts.h>

namespace tw::dxf {

namespace {

constexpr size_t kMTextChunk = 250;

// Code units from i that make one character: two for a surrogate pair.
size_t CharacterSize(const std::u16string& text, size_t i) {
    const bool pair = text[i] >= 0xD800 && text[i] <= 0xDBFF && i + 1 < text.size() &&
                      text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    return pair ? 2 : 1;
}

std::u16string MTextEscaped(std::u16string_view character) {
    if (character == u"\\") return u"\\\\";
    if (character == u"{") return u"\\{";
    if (character == u"}") return u"\\}";
    if (character == u"^") return u"^ ";
    return std::u16string(character);
}

}  // namespace

std::vector<TextPiece> PiecesWithin(const std::u16string& text, TagWriter& w) {
    std::vector<TextPiece> pieces(1);
    size_t bytes = 0;
    for (size_t i = 0, n = 0; i < text.size(); i += n) {
        n = CharacterSize(text, i);
        const size_t size = w.Encode(text.substr(i, n)).size();
        if (bytes + size > kMaxTextBytes && pieces.back().size > 0) {
            pieces.push_back({i, 0});
            bytes = 0;
        }
        pieces.back().size += n;
        bytes += size;
    }
    return pieces;
}

TextBaselines::TextBaselines(const TEntJwwMoji& text)
    : text_(text),
      corners_(geom::TextCorners(text)),
      whole_(fonts::LayOut(text.str, text.dKankaku, text.dSizeX)) {}

Baseline TextBaselines::Of(const TextPiece& piece) const {
    const double from = piece.first < whole_.offsets.size() ? whole_.offsets[piece.first] : 0.0;
    const double to = from + fonts::LayOut(text_.str.substr(piece.first, piece.size),
                                           text_.dKankaku, text_.dSizeX)
                                 .length;
    // Along the glyphs' base line, which stands above the box's lower edge.
    const double rise = fonts::kBaselineInCell;
    const auto at = [&](double offset) {
        const double t = whole_.length > 0 ? offset / whole_.length : 0.0;
        return geom::Point{corners_[0].x + (corners_[1].x - corners_[0].x) * t +
                               (corners_[3].x - corners_[0].x) * rise,
                           corners_[0].y + (corners_[1].y - corners_[0].y) * t +
                               (corners_[3].y - corners_[0].y) * rise};
    };
    return {at(from), at(to)};
}

std::vector<std::u16string> MTextChunks(const std::u16string& text) {
    std::vector<std::u16string> chunks(1);
    for (size_t i = 0, n = 0; i < text.size(); i += n) {
        n = CharacterSize(text, i);
        const std::u16string escaped = MTextEscaped(std::u16string_view(text).substr(i, n));
        if (chunks.back().size() + escaped.size() > kMTextChunk) chunks.emplace_back();
        chunks.back() += escaped;
    }
    return chunks;
}

bool HasReaderCodes(const std::u16string& text) {
    static constexpr std::u16string_view kCodes = u"cdpuokCDPUOK0123456789";
    for (size_t at = text.find(u"%%"); at != std::u16string::npos; at = text.find(u"%%", at + 1)) {
        if (at + 2 < text.size() && kCodes.find(text[at + 2]) != std::u16string_view::npos)
            return true;
    }
    return false;
}

}  // namespace tw::dxf
