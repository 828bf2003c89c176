#include "app/cli/Shown.h"

#include <cstdio>

#include <tintwright/util/Func_2.h>

namespace tw::cli {

std::string Shown(std::string_view utf8) {
    std::string shown;
    for (const char c : utf8) {
        const auto byte = static_cast<unsigned char>(c);
        // C1 controls are U+0080 to U+009F: 0xC2 then 0x80 to 0x9F.
        const bool c1 = byte < 0xA0 && byte >= 0x80 && !shown.empty() && shown.back() == '\xC2';
        if (byte >= 0x20 && byte != 0x7F && !c1) {
            shown += c;
            continue;
        }
        if (c1) shown.pop_back();
        char escaped[8];
        std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
        shown += escaped;
    }
    return shown;
}

std::string Shown(const std::u16string& text) {
    return Shown(ToUtf8(text));
}

}  // namespace tw::cli
