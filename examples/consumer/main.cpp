// consumer: builds a drawing of two lines and a text with the installed
// Tintwright library, saves it as OUTPUT and reads it back.
//
//   consumer OUTPUT      exits 0 when the drawing reads back as it was built
#include <iostream>
#include <string>

#include "document/JwwUnit.h"
#include "jww/Versions.h"
#include "util/Func_2.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: consumer OUTPUT\n";
        return 2;
    }
    const std::u16string output = tw::FromUtf8(argv[1]);

    tw::TJwwData doc;
    doc.DataDefaultSet();
    // Group 0, layer group 0, layer 0, pen 1, solid line, default width.
    const tw::AttrArgs attr{.cn = 0, .lg = 0, .ly = 0, .co = 1, .tp = 1, .wd = 0, .fl = 0};
    const std::u16string font = u"MS Gothic", text = u"consumer";
    bool ok = doc.AddEntPre();
    ok &= doc.AddEnt(tw::LineArgs{.a = attr, .p1 = {0, 0}, .p2 = {100, 0}});
    ok &= doc.AddEnt(tw::LineArgs{.a = attr, .p1 = {100, 0}, .p2 = {100, 50}});
    // The text by its base point 1 (the line type's place) at (10, 10).
    ok &= doc.AddEnt(tw::TextAtArgs{
        .a = attr,
        .text = {.ms = 0, .pw = 5, .ph = 5, .pd = 1, .pa = 0, .pf = font, .ps = text},
        .base = {10, 10}});
    ok &= doc.AddEntPost();
    if (!ok || !doc.FileOut(output, tw::ver::kNewest)) {
        std::cerr << "consumer: could not write " << argv[1] << '\n';
        return 1;
    }

    tw::TJwwData back;
    if (!back.FileIn(output) || back.Enthd.n1 != doc.Enthd.n1) {
        std::cerr << "consumer: " << argv[1] << " does not read back as written\n";
        return 1;
    }
    std::cout << "consumer: " << argv[1] << " holds " << back.Enthd.n1 << " entities\n";
    return 0;
}
