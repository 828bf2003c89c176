#include "app/ViewerStatus.h"

#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>

namespace tw {

namespace {

// The classic locale: a toolkit may have set the user's, with its decimal
// comma, for the whole process.
std::string Number(double value, int digits, bool fixed) {
    std::ostringstream text;
    text.imbue(std::locale::classic());
    if (fixed) text << std::fixed;
    text << std::setprecision(digits) << value;
    return text.str();
}

std::string Fixed(double value, int decimals) {
    return Number(value, decimals, true);
}

std::string General(double value, int digits) {
    return Number(value, digits, false);
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
