#include <tintwright/render/QtBackend.h>

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <algorithm>
#include <cmath>
#include <limits>

namespace tw::render {

namespace {

constexpr int kFontPixels = 64;  // texts are laid out at this size, then scaled to their box
constexpr double kLeastTextPixels = 0.5;  // a text lower than this shows nothing
// Qt keeps each glyph it draws as an image of its drawn size, whatever that
// is: a glyph larger than this either way is filled as an outline instead,
// which costs only the pixels it covers (a damaged text's 1e200 mm glyph
// asked for gigabytes).
constexpr double kLargestGlyphPixels = 2048;

QColor ColorOf(uint32_t rgb) {
    return QColor::fromRgb((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

}  // namespace

QtBackend::QtBackend(QPainter& painter, const QRectF& target)
    : painter_(painter), target_(target) {}

QPointF QtBackend::Map(const Point& p) const {
    return {target_.left() + (p.x - view_.minX) * sx_, target_.top() + (view_.maxY - p.y) * sy_};
}

void QtBackend::MapAll(const std::vector<Point>& points) {
    mapped_.clear();
    for (const Point& p : points)
        mapped_.push_back(Map(p));
}

void QtBackend::Begin(const Box& view, uint32_t background) {
    view_ = view;
    sx_ = view.Width() > 0 ? target_.width() / view.Width() : 1;
    sy_ = view.Height() > 0 ? target_.height() / view.Height() : 1;
    painter_.fillRect(target_, ColorOf(background));
    painter_.setRenderHint(QPainter::Antialiasing);
}

void QtBackend::Draw(const Polyline& line) {
    const double width = std::max(line.stroke.width * sx_, 1.0);
    QPen pen(ColorOf(line.stroke.rgb), width, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin);
    if (!line.stroke.dashes.empty()) {
        // Qt counts dash lengths in pen widths.
        QList<qreal> pattern;
        for (double d : line.stroke.dashes)
            pattern.append(std::max(d * sx_ / width, 0.01));
        pen.setDashPattern(pattern);
    }
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
    MapAll(line.points);
    painter_.drawPolyline(mapped_.data(), static_cast<int>(mapped_.size()));
}

void QtBackend::Draw(const Polygon& solid) {
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(ColorOf(solid.rgb));
    MapAll(solid.points);
    painter_.drawPolygon(mapped_.data(), static_cast<int>(mapped_.size()));
}

void QtBackend::Draw(const Dot& point) {
    const double r = std::max(point.radius * sx_, 0.5);
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(ColorOf(point.rgb));
    painter_.drawEllipse(Map(point.at), r, r);
}

// Each character at its own offset, its glyph widened to the cell's width.
void QtBackend::Draw(const TextRun& text) {
    if (text.text.empty() || text.height * sy_ < kLeastTextPixels) return;
    const QString string = QString::fromStdString(text.text);
    const double ky = text.height * sy_ / kFontPixels;
    const double kx = ky * (text.cellWidth > 0 ? text.cellWidth / text.height : 1) * sx_ / sy_;
    painter_.save();
    painter_.translate(Map(text.at));
    painter_.rotate(-text.angle);
    painter_.scale(kx, ky);
    painter_.setFont(FontOf(text.families));
    painter_.setPen(ColorOf(text.rgb));
    const bool outlined = std::max(std::abs(kx), std::abs(ky)) * kFontPixels > kLargestGlyphPixels;
    size_t character = 0;
    for (qsizetype i = 0; i < string.size() && character < text.offsets.size(); ++character) {
        const qsizetype units = string[i].isHighSurrogate() && i + 1 < string.size() ? 2 : 1;
        const QPointF at(text.offsets[character] * sx_ / kx, 0);
        if (outlined) {
            QPainterPath outline;
            outline.addText(at, painter_.font(), string.mid(i, units));
            painter_.fillPath(outline, ColorOf(text.rgb));
        } else {
            painter_.drawText(at, string.mid(i, units));
        }
        i += units;
    }
    painter_.restore();
}

const QFont& QtBackend::FontOf(const std::vector<std::string>& families) {
    auto found = fonts_.find(families);
    if (found == fonts_.end()) {
        QStringList names;
        for (const std::string& family : families)
            if (!family.empty()) names << QString::fromStdString(family);
        QFont font;
        font.setFamilies(names);
        font.setStyleHint(!families.empty() && families.back() == "serif" ? QFont::Serif
                                                                          : QFont::SansSerif);
        font.setPixelSize(kFontPixels);
        found = fonts_.emplace(families, font).first;
    }
    return found->second;
}

bool QtBackend::Draw(const ImageRun& image) {
    // Qt refuses what it cannot decode and what exceeds its allocation limit.
    const std::optional<std::string> bytes = image.bytes();
    if (!bytes || bytes->size() > static_cast<size_t>(std::numeric_limits<int>::max()))
        return false;
    const QImage picture = QImage::fromData(reinterpret_cast<const uchar*>(bytes->data()),
                                            static_cast<int>(bytes->size()));
    if (picture.isNull()) return false;
    painter_.save();
    painter_.translate(Map(image.at));
    painter_.rotate(-image.angle);
    painter_.drawImage(QRectF(0, -image.height * sy_, image.width * sx_, image.height * sy_),
                       picture);
    painter_.restore();
    return true;
}

void QtBackend::End() {}

}  // namespace tw::render
