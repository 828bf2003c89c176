// Text from a file or a file name as a terminal may show it: control
// characters (C0, DEL and C1) escaped as \xNN, so that neither can drive the
// terminal nor forge lines of output.
#pragma once

#include <string>
#include <string_view>

namespace tw::cli {

std::string Shown(std::string_view utf8);
std::string Shown(const std::u16string& text);

}  // namespace tw::cli
