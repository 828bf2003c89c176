#include <tintwright/render/GdiplusBackend.h>

#include <objidl.h>
#include <algorithm>
#include <cstring>
#include <string>

#include <tintwright/util/Func_2.h>

namespace tw::render {

namespace {

constexpr float kFontPixels = 64;  // texts are laid out at this size, then scaled to their box
constexpr double kLeastTextPixels = 0.5;  // a text lower than this shows nothing

Gdiplus::Color ColorOf(uint32_t rgb) {
    return Gdiplus::Color(255, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

// The first installed family of the list; the generic one (last) maps to
// GDI+'s own serif or sans-serif face.
std::unique_ptr<Gdiplus::FontFamily> FamilyOf(const std::vector<std::string>& families) {
    for (const std::string& name : families) {
        if (name.empty()) continue;
        auto family = std::make_unique<Gdiplus::FontFamily>(WideFromUtf8(name).c_str());
        if (family->GetLastStatus() == Gdiplus::Ok) return family;
    }
    const bool serif = !families.empty() && families.back() == "serif";
    return std::unique_ptr<Gdiplus::FontFamily>(
        serif ? Gdiplus::FontFamily::GenericSerif()->Clone()
              : Gdiplus::FontFamily::GenericSansSerif()->Clone());
}

// An image's bytes as the stream GDI+ decodes from; none when the system
// cannot give the memory.
class MemoryStream {
  public:
    explicit MemoryStream(const std::string& bytes) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        if (memory == nullptr) return;
        void* at = GlobalLock(memory);
        if (at != nullptr) {
            std::memcpy(at, bytes.data(), bytes.size());
            GlobalUnlock(memory);
        }
        // The stream frees the memory when released.
        if (at == nullptr || CreateStreamOnHGlobal(memory, TRUE, &stream_) != S_OK) {
            GlobalFree(memory);
            stream_ = nullptr;
        }
    }
    ~MemoryStream() {
        if (stream_ != nullptr) stream_->Release();
    }
    MemoryStream(const MemoryStream&) = delete;
    MemoryStream& operator=(const MemoryStream&) = delete;
    IStream* get() const { return stream_; }

  private:
    IStream* stream_ = nullptr;
};

}  // namespace

GdiplusBackend::GdiplusBackend(Gdiplus::Graphics& graphics, const Gdiplus::RectF& target)
    : graphics_(graphics), target_(target) {}

Gdiplus::PointF GdiplusBackend::Map(const Point& p) const {
    return {static_cast<float>(target_.X + (p.x - view_.minX) * sx_),
            static_cast<float>(target_.Y + (view_.maxY - p.y) * sy_)};
}

void GdiplusBackend::MapAll(const std::vector<Point>& points) {
    mapped_.clear();
    for (const Point& p : points)
        mapped_.push_back(Map(p));
}

void GdiplusBackend::Begin(const Box& view, uint32_t background) {
    view_ = view;
    sx_ = view.Width() > 0 ? target_.Width / view.Width() : 1;
    sy_ = view.Height() > 0 ? target_.Height / view.Height() : 1;
    Gdiplus::SolidBrush fill(ColorOf(background));
    graphics_.FillRectangle(&fill, target_);
    graphics_.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    // Pixel i covers i to i + 1, as in Qt and SVG. Wine's GDI+ ignores this
    // and rounds straight lines to whole pixels without antialiasing.
    graphics_.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics_.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAlias);
}

void GdiplusBackend::Draw(const Polyline& line) {
    if (line.points.size() < 2) return;
    const double width = std::max(line.stroke.width * sx_, 1.0);
    Gdiplus::Pen pen(ColorOf(line.stroke.rgb), static_cast<float>(width));
    pen.SetLineJoin(Gdiplus::LineJoinRound);
    if (!line.stroke.dashes.empty()) {
        // GDI+ counts dash lengths in pen widths.
        std::vector<float> pattern;
        for (double d : line.stroke.dashes)
            pattern.push_back(static_cast<float>(std::max(d * sx_ / width, 0.01)));
        pen.SetDashPattern(pattern.data(), static_cast<int>(pattern.size()));
    }
    MapAll(line.points);
    graphics_.DrawLines(&pen, mapped_.data(), static_cast<int>(mapped_.size()));
}

void GdiplusBackend::Draw(const Polygon& solid) {
    if (solid.points.size() < 3) return;
    Gdiplus::SolidBrush brush(ColorOf(solid.rgb));
    MapAll(solid.points);
    graphics_.FillPolygon(&brush, mapped_.data(), static_cast<int>(mapped_.size()));
}

void GdiplusBackend::Draw(const Dot& point) {
    const float r = static_cast<float>(std::max(point.radius * sx_, 0.5));
    const Gdiplus::PointF at = Map(point.at);
    Gdiplus::SolidBrush brush(ColorOf(point.rgb));
    graphics_.FillEllipse(&brush, at.X - r, at.Y - r, 2 * r, 2 * r);
}

// Each character at its own offset, its glyph widened to the cell's width.
void GdiplusBackend::Draw(const TextRun& text) {
    if (text.text.empty() || text.height * sy_ < kLeastTextPixels) return;
    const std::u16string string = FromUtf8(text.text);
    const double ky = text.height * sy_ / kFontPixels;
    const double kx = ky * (text.cellWidth > 0 ? text.cellWidth / text.height : 1) * sx_ / sy_;
    const Face& face = FaceOf(text.families);
    Gdiplus::SolidBrush brush(ColorOf(text.rgb));
    const Gdiplus::PointF at = Map(text.at);
    Gdiplus::Matrix saved;
    graphics_.GetTransform(&saved);
    graphics_.TranslateTransform(at.X, at.Y);
    graphics_.RotateTransform(static_cast<float>(-text.angle));
    graphics_.ScaleTransform(static_cast<float>(kx), static_cast<float>(ky));
    size_t character = 0;
    for (size_t i = 0; i < string.size() && character < text.offsets.size(); ++character) {
        const bool pair = string[i] >= 0xD800 && string[i] <= 0xDBFF && i + 1 < string.size();
        const int units = pair ? 2 : 1;
        const Gdiplus::PointF origin(static_cast<float>(text.offsets[character] * sx_ / kx),
                                     -face.ascent);
        graphics_.DrawString(reinterpret_cast<const WCHAR*>(string.data() + i), units,
                             face.font.get(), origin, Gdiplus::StringFormat::GenericTypographic(),
                             &brush);
        i += units;
    }
    graphics_.SetTransform(&saved);
}

const GdiplusBackend::Face& GdiplusBackend::FaceOf(const std::vector<std::string>& families) {
    auto found = faces_.find(families);
    if (found == faces_.end()) {
        const std::unique_ptr<Gdiplus::FontFamily> family = FamilyOf(families);
        Face face;
        face.font = std::make_unique<Gdiplus::Font>(family.get(), kFontPixels,
                                                    Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        const UINT16 em = family->GetEmHeight(Gdiplus::FontStyleRegular);
        face.ascent =
            em > 0 ? kFontPixels * family->GetCellAscent(Gdiplus::FontStyleRegular) / em : 0;
        found = faces_.emplace(families, std::move(face)).first;
    }
    return found->second;
}

bool GdiplusBackend::Draw(const ImageRun& image) {
    // GDI+ refuses what it cannot decode with a status, never an exception.
    const std::optional<std::string> bytes = image.bytes();
    if (!bytes) return false;
    const MemoryStream stream(*bytes);
    if (!stream.get()) return false;
    Gdiplus::Bitmap picture(stream.get());
    if (picture.GetLastStatus() != Gdiplus::Ok) return false;
    const Gdiplus::PointF at = Map(image.at);
    Gdiplus::Matrix saved;
    graphics_.GetTransform(&saved);
    graphics_.TranslateTransform(at.X, at.Y);
    graphics_.RotateTransform(static_cast<float>(-image.angle));
    const Gdiplus::RectF box(0, static_cast<float>(-image.height * sy_),
                             static_cast<float>(image.width * sx_),
                             static_cast<float>(image.height * sy_));
    const bool drawn = graphics_.DrawImage(&picture, box) == Gdiplus::Ok;
    graphics_.SetTransform(&saved);
    return drawn;
}

void GdiplusBackend::End() {}

}  // namespace tw::render
