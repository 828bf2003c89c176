#include "app/ViewerStatus.h"

#include <charconv>
#include <cmath>

namespace tw {

namespace {

// to_chars, unlike printf, ignores the locale a toolkit may have set.
std::string Fixed(double value, int decimals) {
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, decimals);
    return end.ec == std::errc() ? std::string(text, end.ptr) : "?";
}

std::string General(double value, int digits) {
    char text[64];
    const auto end =
        std::to_chars(text, text + sizeof text, value, std::chars_format::general, digits);
    return end.ec == std::errc() ? std::string(text, end.ptr) : "?";
}

}  // namespace

double WriteGroupScale(const TJwwData& doc) {
    const auto group = static_cast<size_t>(doc.Enthd.nWriteGLay);
    const double scale = group < doc.EntLgrp.size() ? doc.EntLgrp[group].adScale : 1.0;
    return scale > 0 && std::isfinite(scale) ? scale : 1.0;
}

std::string ViewerStatus(const render::Point& paper, const TJwwData* doc, double zoom) {
    const double scale = doc ? WriteGroupScale(*doc) : 1.0;
    return Fixed(paper.x, 2) + ", " + Fixed(paper.y, 2) + " mm on paper    " +
           Fixed(paper.x * scale, 1) + ", " + Fixed(paper.y * scale, 1) +
           " mm real (1:" + General(scale, 6) + ")    zoom " + General(zoom, 4) + " px/mm";
}

}  // namespace tw
