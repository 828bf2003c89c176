// The windows' font: one with Japanese glyphs, as labels and layer names need.
#pragma once

#include <windows.h>

namespace tw::win32 {

// The first of Meiryo UI, MS UI Gothic and Yu Gothic UI that Windows has,
// `pixels` high (the caller deletes it); the system's GUI font when none is.
HFONT JapaneseFont(int pixels);

}  // namespace tw::win32
