// What the chart window is on every system: its fixed client size and the
// format versions its combo box offers. The Qt and the native Windows window
// both follow it.
#pragma once

#include <array>
#include <cstdint>

namespace tw::chartwindow {

constexpr int kClientWidth = 226;
constexpr int kClientHeight = 223;
constexpr std::array<int32_t, 3> kVersions{420, 600, 700};
constexpr int kStartVersionIndex = 1;  // "6.00"

}  // namespace tw::chartwindow
