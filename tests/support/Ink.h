// Comparing two pictures of one drawing by their ink: which pixels are inked
// and how much of one picture's ink the other has within a few pixels.
#pragma once

#include <QImage>
#include <QPoint>
#include <algorithm>
#include <cstdint>
#include <vector>

namespace tw {

// Darker than light grey in some channel once laid on white: coloured lines
// count, a transparent background does not.
inline bool IsInk(QRgb pixel) {
    const int alpha = qAlpha(pixel);
    const auto onWhite = [alpha](int channel) {
        return (channel * alpha + 255 * (255 - alpha)) / 255;
    };
    return std::min({onWhite(qRed(pixel)), onWhite(qGreen(pixel)), onWhite(qBlue(pixel))}) < 200;
}

// Ink as a mask, row after row.
struct Mask {
    int width = 0, height = 0;
    std::vector<uint8_t> ink;

    bool At(int x, int y) const {
        return x >= 0 && y >= 0 && x < width && y < height &&
               ink[static_cast<size_t>(y) * width + x];
    }
};

inline Mask InkOf(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    Mask mask{argb.width(), argb.height(), {}};
    mask.ink.reserve(static_cast<size_t>(mask.width) * mask.height);
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x)
            mask.ink.push_back(IsInk(argb.pixel(x, y)));
    }
    return mask;
}

// The mask grown by `grow` pixels along the direction (dx, dy).
inline Mask GrownAlong(const Mask& mask, int grow, int dx, int dy) {
    Mask grown = mask;
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            bool near = false;
            for (int d = -grow; d <= grow && !near; ++d)
                near = mask.At(x + d * dx, y + d * dy);
            grown.ink[static_cast<size_t>(y) * mask.width + x] = near;
        }
    }
    return grown;
}

// The mask grown by `grow` pixels in every direction.
inline Mask Grown(const Mask& mask, int grow) {
    return GrownAlong(GrownAlong(mask, grow, 1, 0), grow, 0, 1);
}

inline std::vector<QPoint> InkPoints(const Mask& mask) {
    std::vector<QPoint> points;
    for (int y = 0; y < mask.height; ++y) {
        for (int x = 0; x < mask.width; ++x) {
            if (mask.At(x, y)) points.emplace_back(x, y);
        }
    }
    return points;
}

// Of the points, how many are inked in `mask` once moved by (dx, dy).
inline size_t Covered(const std::vector<QPoint>& points, const Mask& mask, int dx = 0, int dy = 0) {
    size_t covered = 0;
    for (const QPoint& p : points)
        covered += mask.At(p.x() + dx, p.y() + dy);
    return covered;
}

// The share of each picture's ink within `tolerance` pixels of the other's.
struct Agreement {
    double firstInSecond = 0;  // of the first picture's ink, what the second has nearby
    double secondInFirst = 0;
};

inline Agreement AgreementOf(const QImage& first, const QImage& second, int tolerance) {
    const Mask a = InkOf(first), b = InkOf(second);
    const auto share = [](const Mask& ink, const Mask& nearOther) {
        const std::vector<QPoint> points = InkPoints(ink);
        return points.empty() ? 0.0
                              : static_cast<double>(Covered(points, nearOther)) /
                                    static_cast<double>(points.size());
    };
    return {share(a, Grown(b, tolerance)), share(b, Grown(a, tolerance))};
}

}  // namespace tw
