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
    bool ok = doc.AddEntPre();
    ok &= doc.AddEntLine(0, 0, 0, 1, 1, 0, 0, 0, 0, 100, 0);
    ok &= doc.AddEntLine(0, 0, 0, 1, 1, 0, 0, 100, 0, 100, 50);
    ok &= doc.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 0, 10, 10, 5, 5, 1, 0, u"MS Gothic", u"consumer");
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
