#include <tintwright/dxf/ImageSize.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <vector>

namespace tw::dxf {

namespace {

// JPEG headers are searched this far for the frame header.
constexpr std::streamsize kHeadBytes = 1 << 16;

using Bytes = std::vector<uint8_t>;

uint32_t Big(const Bytes& b, size_t at, int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | b[at + static_cast<size_t>(i)];
    return v;
}

uint32_t Little(const Bytes& b, size_t at, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | b[at + static_cast<size_t>(i)];
    return v;
}

std::optional<std::pair<int, int>> Positive(int64_t w, int64_t h) {
    if (w <= 0 || h <= 0 || w > (1 << 30) || h > (1 << 30)) return std::nullopt;
    return std::pair{static_cast<int>(w), static_cast<int>(h)};
}

std::optional<std::pair<int, int>> JpegSize(const Bytes& b) {
    size_t at = 2;
    while (at + 9 < b.size() && b[at] == 0xFF) {
        const uint8_t marker = b[at + 1];
        const bool frame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frame) return Positive(Big(b, at + 7, 2), Big(b, at + 5, 2));
        at += 2 + Big(b, at + 2, 2);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::pair<int, int>> PixelSize(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    Bytes b(static_cast<size_t>(kHeadBytes));
    in.read(reinterpret_cast<char*>(b.data()), kHeadBytes);
    b.resize(static_cast<size_t>(in.gcount()));
    if (b.size() >= 24 && Big(b, 0, 4) == 0x89504E47) return Positive(Big(b, 16, 4), Big(b, 20, 4));
    if (b.size() >= 10 && Big(b, 0, 3) == 0x474946)
        return Positive(Little(b, 6, 2), Little(b, 8, 2));
    if (b.size() >= 26 && b[0] == 'B' && b[1] == 'M')
        return Positive(static_cast<int32_t>(Little(b, 18, 4)),
                        std::abs(static_cast<int64_t>(static_cast<int32_t>(Little(b, 22, 4)))));
    if (b.size() >= 4 && Big(b, 0, 2) == 0xFFD8) return JpegSize(b);
    return std::nullopt;
}

}  // namespace tw::dxf
