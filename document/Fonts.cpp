#include "document/Fonts.h"

#include <array>

#include "util/Func_2.h"

namespace tw::fonts {

namespace {

struct KnownFont {
    std::u16string_view key;  // the name folded by Fold
    FontFace face;
};

// Jw_cad's own choices and the faces Windows ships with them.
const std::array<KnownFont, 10>& KnownFonts() {
    static const std::array<KnownFont, 10> fonts = [] {
        const FontFace gothic{true, "IPAGothic", "ＭＳ ゴシック", "sans-serif", "msgothic.ttc"};
        const FontFace pGothic{false, "IPAPGothic", "ＭＳ Ｐゴシック", "sans-serif",
                               "msgothic.ttc"};
        const FontFace uiGothic{false, "IPAPGothic", "MS UI Gothic", "sans-serif", "msgothic.ttc"};
        const FontFace mincho{true, "IPAMincho", "ＭＳ 明朝", "serif", "msmincho.ttc"};
        const FontFace pMincho{false, "IPAPMincho", "ＭＳ Ｐ明朝", "serif", "msmincho.ttc"};
        return std::array<KnownFont, 10>{{{u"msゴシック", gothic},
                                          {u"msgothic", gothic},
                                          {u"mspゴシック", pGothic},
                                          {u"mspgothic", pGothic},
                                          {u"msuiゴシック", uiGothic},
                                          {u"msuigothic", uiGothic},
                                          {u"ms明朝", mincho},
                                          {u"msmincho", mincho},
                                          {u"msp明朝", pMincho},
                                          {u"mspmincho", pMincho}}};
    }();
    return fonts;
}

// Full-width ASCII as ASCII, lower case, without spaces (ASCII or ideographic).
std::u16string Fold(std::u16string_view name) {
    std::u16string folded;
    for (char16_t c : name) {
        if (c >= 0xFF01 && c <= 0xFF5E) c = static_cast<char16_t>(c - 0xFF01 + 0x21);
        if (c == u' ' || c == 0x3000) continue;
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
        folded += c;
    }
    return folded;
}

bool NamesMincho(const std::u16string& folded) {
    return folded.find(u"明朝") != std::u16string::npos ||
           folded.find(u"mincho") != std::u16string::npos;
}

}  // namespace

FontFace FaceOf(const std::u16string& name) {
    const bool vertical = !name.empty() && (name[0] == u'@' || name[0] == u'＠');
    const std::u16string bare = vertical ? name.substr(1) : name;
    const std::u16string folded = Fold(bare);
    FontFace face;
    for (const KnownFont& known : KnownFonts())
        if (known.key == folded) face = known.face;
    if (face.linuxFace.empty()) {
        const bool mincho = NamesMincho(folded);
        face = {false, mincho ? "IPAPMincho" : "IPAPGothic", ToUtf8(bare),
                mincho ? "serif" : "sans-serif", ""};
    }
    face.vertical = vertical;
    return face;
}

std::vector<std::string> FamiliesOf(const FontFace& face) {
#ifdef _WIN32
    return {face.windowsFace, face.linuxFace, face.genericFamily};
#else
    return {face.linuxFace, face.windowsFace, face.genericFamily};
#endif
}

TextLayout LayOut(const std::u16string& text, double spacing, double width) {
    TextLayout layout;
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (i > 0) layout.length += IsHalfWidth(text[i - 1]) ? spacing / 2 : spacing;
        layout.offsets.push_back(layout.length);
        if (c >= 0x20) layout.length += IsHalfWidth(c) ? width / 2 : width;
    }
    return layout;
}

}  // namespace tw::fonts
