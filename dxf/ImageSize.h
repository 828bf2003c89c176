// The size in pixels of a PNG, JPEG, GIF or BMP file, read from its header.
#pragma once

#include <filesystem>
#include <optional>
#include <utility>

namespace tw::dxf {

// Width and height; none for another format or a damaged header.
std::optional<std::pair<int, int>> PixelSize(const std::filesystem::path& file);

}  // namespace tw::dxf
