#include <tintwright/dxf/EntityWriter.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/ScriptCodes.h>
#include <tintwright/dxf/TextValues.h>
#include <tintwright/dxf/Triangulate.h>

namespace tw::dxf {

namespace {

constexpr double kDegrees = 180.0 / std::numbers::pi;
constexpr double kTwoPi = 2 * std::numbers::pi;
// How far a flattened curve may stray from the curve, in stored millimetres.
constexpr double kCurveTolerance = 0.01;
// TEXT's horizontal alignment "fit"; MTEXT's attachment and direction.
constexpr int kFit = 5;
constexpr int kBottomLeft = 7;
constexpr int kLeftToRight = 1;

bool IsCircular(const geom::Ellipse& e) {
    return std::fabs(e.flattening - 1.0) < 1e-9;
}

// Start and end of an arc going counter-clockwise.
std::pair<double, double> CounterClockwise(double start, double sweep) {
    return sweep < 0 ? std::pair{start + sweep, start} : std::pair{start, start + sweep};
}

}  // namespace

EntityWriter::EntityWriter(Context& c, const DefinitionIndex& definitions,
                           const std::vector<int32_t>& skipped, uint64_t owner, bool scaleByGroup)
    : c_(c),
      definitions_(definitions),
      skipped_(skipped),
      owner_(owner),
      scaleByGroup_(scaleByGroup) {}

double EntityWriter::Scale(const TEntJwwAttr& att) const {
    return scaleByGroup_ ? c_.GroupScale(att.nGLayer) : 1.0;
}

uint64_t EntityWriter::Begin(std::string_view type, std::string_view subclass,
                             const TEntJwwAttr& att, std::optional<uint32_t> color, double width) {
    scale_ = Scale(att);
    return c_.BeginEntity(type, subclass, att, color, width, owner_, scale_);
}

uint64_t EntityWriter::Begin(std::string_view type, std::string_view subclass,
                             const TEntJwwAttr& att, std::optional<uint32_t> color) {
    return Begin(type, subclass, att, color, c_.print.WidthMillimetres(att));
}

void EntityWriter::operator()(const TEntJwwLine& line) {
    Begin("LINE", "AcDbLine", line);
    c_.w.Point(10, line.start_x * scale_, line.start_y * scale_);
    c_.w.Point(11, line.end_x * scale_, line.end_y * scale_);
}

void EntityWriter::operator()(const TEntJwwEnko& arc) {
    const geom::Ellipse e = geom::EllipseOf(arc);
    if (IsCircular(e) && e.IsFull()) {
        Begin("CIRCLE", "AcDbCircle", arc);
        c_.w.Point(10, e.centre.x * scale_, e.centre.y * scale_);
        c_.w.Real(40, e.radius * scale_);
    } else if (IsCircular(e)) {
        Begin("ARC", "AcDbCircle", arc);
        c_.w.Point(10, e.centre.x * scale_, e.centre.y * scale_);
        c_.w.Real(40, e.radius * scale_);
        c_.Subclass("AcDbArc");
        const auto [start, end] = CounterClockwise(e.tilt + e.start, e.sweep);
        c_.w.Real(50, start * kDegrees);
        c_.w.Real(51, end * kDegrees);
    } else if (c_.dialect.ellipse) {
        // DXF wants the major axis: a flattening above 1 turns the axes.
        const bool turned = e.flattening > 1;
        const double major = turned ? e.radius * e.flattening : e.radius;
        const double axisAngle = turned ? e.tilt + std::numbers::pi / 2 : e.tilt;
        const double shift = turned ? -std::numbers::pi / 2 : 0.0;
        Begin("ELLIPSE", "AcDbEllipse", arc);
        c_.w.Point(10, e.centre.x * scale_, e.centre.y * scale_);
        c_.w.Point(11, major * std::cos(axisAngle) * scale_, major * std::sin(axisAngle) * scale_);
        c_.w.Real(40, turned ? 1 / e.flattening : e.flattening);
        const auto [start, end] =
            e.IsFull() ? std::pair{0.0, kTwoPi} : CounterClockwise(e.start + shift, e.sweep);
        c_.w.Real(41, start);
        c_.w.Real(42, end);
    } else {
        Polyline(arc.att, geom::Flatten(e, kCurveTolerance), e.IsFull());
    }
}

void EntityWriter::Polyline(const TEntJwwAttr& att, const std::vector<geom::Point>& points,
                            bool closed) {
    Begin("POLYLINE", "AcDb2dPolyline", att, c_.screen.Color(att.nPenColor));
    c_.w.Int(66, 1);
    c_.w.Point(10, 0, 0);
    c_.w.Int(70, closed ? 1 : 0);
    for (const geom::Point& p : points) {
        c_.BeginEntity("VERTEX", "AcDbVertex", att, c_.screen.Color(att.nPenColor),
                       c_.print.WidthMillimetres(att), owner_, scale_);
        c_.w.Point(10, p.x * scale_, p.y * scale_);
    }
    c_.BeginEntity("SEQEND", {}, att, std::nullopt, c_.print.WidthMillimetres(att), owner_, 1.0);
}

void EntityWriter::operator()(const TEntJwwTen& point) {
    // Temporary points are construction aids the program never prints.
    if (point.bKariten != 0) return;
    Begin("POINT", "AcDbPoint", point);
    c_.w.Point(10, point.start_x * scale_, point.start_y * scale_);
}

void EntityWriter::operator()(const TEntJwwMoji& text) {
    if (rules::IsSettingText(text)) return;
    if (const auto image = geom::ImageOf(text)) {
        Image(text, *image);
        return;
    }
    // Raised and lowered characters as readers can show them.
    if (fonts::HasScriptCodes(text.str)) {
        TEntJwwMoji shown = text;
        shown.str = fonts::WithScriptForms(text.str);
        Characters(shown);
    } else {
        Characters(text);
    }
}

void EntityWriter::Characters(const TEntJwwMoji& text) {
    if (HasReaderCodes(text.str)) ++c_.textsWithReaderCodes;
    const std::string value = c_.w.Encode(text.str);
    if (value.size() <= kMaxTextBytes) {
        Text(text, TextBaselines(text).Of({0, text.str.size()}), value);
    } else if (c_.dialect.mtext) {
        MText(text);
    } else {
        const TextBaselines baselines(text);
        for (const TextPiece& piece : PiecesWithin(text.str, c_.w))
            Text(text, baselines.Of(piece), c_.w.Encode(text.str.substr(piece.first, piece.size)));
    }
}

double EntityWriter::TextHeight(const TEntJwwMoji& text) {
    return text.dSizeY > 0 ? text.dSizeY : 1.0;
}

void EntityWriter::Text(const TEntJwwMoji& text, const Baseline& line, const std::string& value) {
    Begin("TEXT", "AcDbText", text);
    const double height = TextHeight(text);
    // Character spacing is kept by fitting the text between the ends of its
    // cells (horizontal alignment 5), which AutoCAD, ezdxf and LibreCAD
    // honour: the text stays one entity, editable as typed, and as long as
    // our renders draw it. One TEXT per character would lose both.
    const bool fit =
        text.dKankaku != 0 && (line.start.x != line.end.x || line.start.y != line.end.y);
    c_.w.Point(10, line.start.x * scale_, line.start.y * scale_);
    c_.w.Real(40, height * scale_);
    c_.w.Tag(1, value);
    if (text.degKakudo != 0) c_.w.Real(50, text.degKakudo);
    if (!fit && text.dSizeX > 0 && text.dSizeX != height) c_.w.Real(41, text.dSizeX / height);
    c_.w.Tag(7, c_.names.Style(text.strFontName));
    if (fit) {
        c_.w.Int(72, kFit);
        c_.w.Point(11, line.end.x * scale_, line.end.y * scale_);
    }
    c_.Subclass("AcDbText");
}

void EntityWriter::MText(const TEntJwwMoji& text) {
    Begin("MTEXT", "AcDbMText", text);
    // Attached at its bottom left: the foot of the line's descent, the
    // cell's bottom, where TEXT stands on the base line above it.
    const geom::Point corner = geom::TextCorners(text)[0];
    const double angle = text.degKakudo / kDegrees;
    c_.w.Point(10, corner.x * scale_, corner.y * scale_);
    c_.w.Real(40, TextHeight(text) * scale_);
    c_.w.Real(41, 0.0);  // no wrapping: one line, as typed
    c_.w.Int(71, kBottomLeft);
    c_.w.Int(72, kLeftToRight);
    const std::vector<std::u16string> chunks = MTextChunks(text.str);
    for (size_t i = 0; i < chunks.size(); ++i)
        c_.w.Text(i + 1 < chunks.size() ? 3 : 1, chunks[i]);
    c_.w.Tag(7, c_.names.Style(text.strFontName));
    // The direction rather than group 50, which readers take in degrees or
    // in radians.
    c_.w.Point(11, std::cos(angle), std::sin(angle));
}

void EntityWriter::Image(const TEntJwwMoji& text, const geom::ImagePlacement& image) {
    ImageFile* file = c_.ImageNamed(image.name);
    if (!c_.dialect.images || file == nullptr) return;
    const uint64_t self = Begin("IMAGE", "AcDbRasterImage", text);
    const uint64_t reactor = c_.NewHandle();
    const double angle = image.angleDegrees / kDegrees;
    const double ux = image.width * scale_ / file->pixelsX;
    const double vy = image.height * scale_ / file->pixelsY;
    c_.w.Int(90, 0);
    c_.w.Point(10, image.corner.x * scale_, image.corner.y * scale_);
    c_.w.Point(11, ux * std::cos(angle), ux * std::sin(angle));
    c_.w.Point(12, -vy * std::sin(angle), vy * std::cos(angle));
    c_.w.Point(13, file->pixelsX, file->pixelsY, false);
    c_.w.Handle(340, file->definition);
    c_.w.Int(70, 3);  // shown, and shown when not aligned with the screen
    c_.w.Int(280, 0);
    c_.w.Int(281, 50);
    c_.w.Int(282, 50);
    c_.w.Int(283, 0);
    c_.w.Handle(360, reactor);
    c_.w.Int(71, 1);  // a rectangular clipping boundary: the whole image
    c_.w.Int(91, 2);
    c_.w.Point(14, -0.5, -0.5, false);
    c_.w.Point(14, file->pixelsX - 0.5, file->pixelsY - 0.5, false);
    // An image left out for a damaged value has no place in its definition.
    if (!c_.w.RecordIsFinite()) return;
    file->placements.push_back(self);
    file->reactors.push_back(reactor);
}

void EntityWriter::operator()(const TEntJwwSunpo& dimension) {
    (*this)(dimension.Sen);
    (*this)(dimension.Moji);
    if (dimension.bSxfMode == 0) return;
    for (const TEntJwwLine* aux : {&dimension.Ho1, &dimension.Ho2}) {
        if (aux->start_x != aux->end_x || aux->start_y != aux->end_y) (*this)(*aux);
    }
    // Arrowheads are marker points; the measured points are temporary.
    for (const TEntJwwTen* mark :
         {&dimension.Te1, &dimension.Te2, &dimension.Kt1, &dimension.Kt2}) {
        if (rules::IsMarkerPoint(*mark)) (*this)(*mark);
    }
}

void EntityWriter::Triangle(const TEntJwwAttr& att, std::optional<uint32_t> color,
                            const std::array<geom::Point, 4>& corners) {
    Begin("SOLID", "AcDbTrace", att, color);
    // DXF takes the corners crosswise: first, second, fourth, third.
    constexpr std::array<size_t, 4> kCrosswise = {0, 1, 3, 2};
    for (size_t k = 0; k < kCrosswise.size(); ++k) {
        const geom::Point& p = corners[kCrosswise[k]];
        c_.w.Point(10 + static_cast<int>(k), p.x * scale_, p.y * scale_);
    }
}

void EntityWriter::Hatch(const TEntJwwAttr& att, std::optional<uint32_t> color,
                         const std::vector<geom::Point>& outline) {
    Begin("HATCH", "AcDbHatch", att, color);
    c_.w.Point(10, 0, 0);
    c_.w.Real(210, 0);
    c_.w.Real(220, 0);
    c_.w.Real(230, 1);
    c_.w.Tag(2, "SOLID");
    c_.w.Int(70, 1);  // filled
    c_.w.Int(71, 0);  // not associative
    c_.w.Int(91, 1);  // one boundary
    c_.w.Int(92, 3);  // an outer polyline
    c_.w.Int(72, 0);
    c_.w.Int(73, 1);
    c_.w.Int(93, static_cast<int64_t>(outline.size()));
    for (const geom::Point& p : outline)
        c_.w.Point(10, p.x * scale_, p.y * scale_, false);
    c_.w.Int(97, 0);
    c_.w.Int(75, 0);
    c_.w.Int(76, 1);
    c_.w.Int(98, 0);
}

void EntityWriter::operator()(const TEntJwwSolid& solid) {
    const auto color = c_.screen.Fill(solid);
    if (!rules::IsCurvedSolid(solid)) {
        Triangle(solid.att, color, geom::SolidCorners(solid));
        return;
    }
    const std::vector<geom::Point> outline =
        geom::Outline(geom::CurvedSolidOf(solid), kCurveTolerance);
    if (c_.dialect.hatch) {
        if (outline.size() >= 3) Hatch(solid.att, color, outline);
        return;
    }
    for (const auto& t : Triangulate(outline))
        Triangle(solid.att, color, {t[0], t[1], t[2], t[2]});
}

void EntityWriter::operator()(const TEntJwwBlock& insertion) {
    const int32_t found = definitions_.Find(insertion.nNumber);
    if (found < 0) {
        ++c_.insertionsOfNoDefinition;
        return;
    }
    if (std::find(skipped_.begin(), skipped_.end(), found) != skipped_.end()) return;
    Begin("INSERT", "AcDbBlockReference", insertion);
    c_.w.Tag(2, c_.names.Block(static_cast<size_t>(found)));
    c_.w.Point(10, insertion.DPKijunTen_x * scale_, insertion.DPKijunTen_y * scale_);
    c_.w.Real(41, insertion.dBairitsuX * scale_);
    c_.w.Real(42, insertion.dBairitsuY * scale_);
    c_.w.Real(43, scale_);
    c_.w.Real(50, insertion.radKaitenKaku * kDegrees);
}

}  // namespace tw::dxf
