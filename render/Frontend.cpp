#include <tintwright/render/Frontend.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <memory>
#include <numbers>
#include <unordered_map>

#include <tintwright/document/BindImageFiles.h>
#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/Extents.h>
#include <tintwright/document/Fonts.h>
#include <tintwright/document/Geometry.h>
#include <tintwright/document/RecordBounds.h>
#include <tintwright/document/ScriptCodes.h>
#include <tintwright/render/Clip.h>
#include <tintwright/render/PixelMarks.h>
#include <tintwright/render/Styles.h>
#include <tintwright/util/Func_2.h>

namespace tw::render {

namespace {

constexpr double kExtentsMargin = 0.02;   // of the larger side, around the extents
constexpr double kClipMargin = 0.05;      // of the view, so that wide pens reach the edge
constexpr double kCurveTolerance = 1e-4;  // of the view's diagonal: under a pixel at 300 dpi A3
constexpr const char* kNotFinite = "coordinates that are not finite numbers";
constexpr const char* kUndecodable = "images that cannot be read or decoded";

// The images one picture unpacks, and what they may still take together.
struct UnpackedImages {
    explicit UnpackedImages(const TJwwData& doc) : files(doc) {}
    PlacedImageFiles files;
    uint64_t budget = kUnpackedImagesBudget;
};

// The primitives of one entity, gathered before it is culled.
struct Shapes {
    std::vector<Polygon> fills;
    std::vector<Polyline> lines;
    std::vector<Dot> dots;
    std::vector<TextRun> texts;
    std::vector<ImageRun> images;
    Box box{INFINITY, INFINITY, -INFINITY, -INFINITY};
    const char* problem = nullptr;  // why the entity cannot be drawn

    void Clear() {
        fills.clear();
        lines.clear();
        dots.clear();
        texts.clear();
        images.clear();
        box = {INFINITY, INFINITY, -INFINITY, -INFINITY};
        problem = nullptr;
    }
    bool Empty() const {
        return fills.empty() && lines.empty() && dots.empty() && texts.empty() && images.empty();
    }
    // A point that is not a finite number makes the entity undrawable here,
    // where it is resolved: std::min and std::max would pass NaN by.
    void Grow(const Point& p, double by = 0) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(by)) {
            problem = kNotFinite;
            return;
        }
        box.minX = std::min(box.minX, p.x - by);
        box.minY = std::min(box.minY, p.y - by);
        box.maxX = std::max(box.maxX, p.x + by);
        box.maxY = std::max(box.maxY, p.y + by);
    }
};

// The second unit of a surrogate pair, which is part of the character before.
constexpr bool EndsAPair(const std::u16string& s, size_t i) {
    return i > 0 && s[i] >= 0xDC00 && s[i] <= 0xDFFF && s[i - 1] >= 0xD800 && s[i - 1] <= 0xDBFF;
}

Point Placed(const Transform& xf, double x, double y) {
    Point p;
    xf.Apply(x, y, p.x, p.y);
    return p;
}

double Distance(const Point& a, const Point& b) {
    return std::hypot(b.x - a.x, b.y - a.y);
}

double DegreesOf(const Point& from, const Point& to) {
    return std::atan2(to.y - from.y, to.x - from.x) * 180 / std::numbers::pi;
}

std::vector<geom::Point> OutlineOf(const TEntJwwSolid& solid, double tolerance) {
    if (rules::IsCurvedSolid(solid)) return geom::Outline(geom::CurvedSolidOf(solid), tolerance);
    const auto corners = geom::SolidCorners(solid);
    return {corners.begin(), corners.end()};
}

rules::Medium MediumOf(const RenderOptions& options) {
    return options.print ? rules::Medium::Print : rules::Medium::Screen;
}

rules::OutputOptions OutputOf(const RenderOptions& options) {
    return {options.colour, options.visibility, options.screenPixel};
}

class Resolver {
  public:
    Resolver(const TJwwData& doc, const RenderOptions& options, Backend& backend,
             RenderReport& report)
        : doc_(doc),
          styles_(doc, MediumOf(options), OutputOf(options), options.blackBackground),
          view_(ViewOf(doc, options)),
          marks_(view_, options.detail),
          backend_(backend),
          report_(report) {
        const double mx = view_.Width() * kClipMargin;
        const double my = view_.Height() * kClipMargin;
        clip_ = {view_.minX - mx, view_.minY - my, view_.maxX + mx, view_.maxY + my};
        tolerance_ = std::hypot(view_.Width(), view_.Height()) * kCurveTolerance;
    }

    const Box& View() const { return view_; }
    // Draws the marks waiting, before anything drawn over them.
    void FlushMarks() {
        marks_.Flush([&](const Polygon& square) { backend_.Draw(square); });
    }
    uint32_t Background() const { return styles_.Background(); }

    enum class Showing { Shown, Hidden, LeftOut };
    template <class R>
    Showing ShowingOf(const R& record, const Placement& at) const {
        const TEntJwwAttr& layerOf = at.outermost ? at.outermost->att : record.att;
        if (!styles_.Look().Layers().Shows(layerOf)) return Showing::Hidden;
        if (!rules::Appears(record, styles_.Look().Of())) return Showing::LeftOut;
        return Showing::Shown;
    }

    template <class R>
    void operator()(const R& record, const Placement& at) {
        ++report_.visited;
        switch (ShowingOf(record, at)) {
            case Showing::Hidden:
                ++report_.hidden;
                return;
            case Showing::LeftOut:
                ++report_.leftOut;
                return;
            case Showing::Shown:
                break;
        }
        if (Marking() && Settled(record, at.xf)) return;
        shapes_.Clear();
        Add(record, at.xf);
        Finish();
    }

    // Where a shown record's pen or mark reaches and the colour a mark of
    // it takes; none when it has no finite box or no colour.
    struct Mark {
        Box reached;
        uint32_t rgb;
    };
    template <class R>
    std::optional<Mark> MarkOf(const R& record, const Transform& xf) {
        const auto box = bounds_(record, xf);
        const double reach = ReachOf(record);
        if (!box || !bounds_.Finite() || !std::isfinite(reach)) return std::nullopt;
        const auto color = MarkColorOf(record);
        if (!color) return std::nullopt;
        return Mark{{box->minX - reach, box->minY - reach, box->maxX + reach, box->maxY + reach},
                    *color};
    }

    bool Marking() const { return marks_.Usable(); }
    void AddMark(const Point& at, uint32_t rgb) { marks_.Add(at, rgb); }

  private:
    // The screen's shortcut, taken before the entity is resolved: what lies
    // off the view is culled, what is smaller than a pixel becomes a mark.
    // False leaves the entity to be drawn in full (and a damaged one to be
    // reported).
    template <class R>
    bool Settled(const R& record, const Transform& xf) {
        const auto mark = MarkOf(record, xf);
        if (!mark) return false;
        const Box& reached = mark->reached;
        if (!reached.Overlaps(view_)) {
            ++report_.culled;
            return true;
        }
        const double pixel = marks_.Pixel();
        if (reached.Width() >= pixel || reached.Height() >= pixel) return false;
        marks_.Add({(reached.minX + reached.maxX) / 2, (reached.minY + reached.maxY) / 2},
                   mark->rgb);
        ++report_.drawn;
        return true;
    }

    // How far an entity's pen or mark reaches beyond its geometry.
    template <class R>
    double ReachOf(const R& record) const {
        return styles_.Look().WidthMillimetres(record) / 2;
    }
    double ReachOf(const TEntJwwTen& point) const {
        return std::max(styles_.Look().WidthMillimetres(point.att) / 2, DotRadiusOf(point));
    }
    double ReachOf(const TEntJwwSunpo& dim) const {
        return std::max({ReachOf(dim.Sen), ReachOf(dim.Ho1), ReachOf(dim.Ho2), ReachOf(dim.Te1),
                         ReachOf(dim.Te2), ReachOf(dim.Kt1), ReachOf(dim.Kt2)});
    }

    template <class R>
    std::optional<uint32_t> MarkColorOf(const R& record) const {
        return styles_.ColorOf(record.att.nPenColor);
    }
    std::optional<uint32_t> MarkColorOf(const TEntJwwSolid& solid) const {
        return styles_.FillOf(solid);
    }

    double DotRadiusOf(const TEntJwwTen& point) const {
        const double scale =
            rules::IsMarkerPoint(point) && point.dBairitsu > 0 ? point.dBairitsu : 1;
        return styles_.Look().PointRadius(point.att.nPenColor) * scale;
    }

    void Finish() {
        if (shapes_.problem) {
            ++report_.undrawable;
            ++report_.reasons[shapes_.problem];
            return;
        }
        if (shapes_.Empty()) {
            ++report_.leftOut;  // only parts the medium leaves out: a dimension's temporary points
            return;
        }
        if (!std::isfinite(shapes_.box.minX + shapes_.box.minY + shapes_.box.maxX +
                           shapes_.box.maxY)) {
            ++report_.undrawable;
            ++report_.reasons[kNotFinite];
            return;
        }
        const bool overlaps = shapes_.box.Overlaps(view_);
        const std::vector<Polyline> lines = overlaps ? Clipped() : std::vector<Polyline>{};
        const bool onlyLines = shapes_.fills.empty() && shapes_.dots.empty() &&
                               shapes_.texts.empty() && shapes_.images.empty();
        if (!overlaps || (onlyLines && lines.empty())) {
            ++report_.culled;
            return;
        }
        FlushMarks();
        for (const Polygon& p : shapes_.fills)
            backend_.Draw(p);
        for (const Polyline& l : lines)
            backend_.Draw(l);
        for (const Dot& d : shapes_.dots)
            backend_.Draw(d);
        for (const TextRun& t : shapes_.texts)
            backend_.Draw(t);
        bool picturesDrawn = true;
        for (const ImageRun& i : shapes_.images)
            picturesDrawn = backend_.Draw(i) && picturesDrawn;
        if (picturesDrawn) {
            ++report_.drawn;
            return;
        }
        ++report_.undrawable;
        ++report_.reasons[kUndecodable];
    }

    // The entity's lines cut to the clip box; a line wholly outside it is
    // left out, so an entity can be clipped to nothing.
    std::vector<Polyline> Clipped() const {
        std::vector<Polyline> pieces;
        for (const Polyline& line : shapes_.lines) {
            const bool inside =
                line.points.size() < 2 ||
                std::all_of(line.points.begin(), line.points.end(), [&](const Point& p) {
                    return p.x >= clip_.minX && p.x <= clip_.maxX && p.y >= clip_.minY &&
                           p.y <= clip_.maxY;
                });
            if (inside) {
                pieces.push_back(line);
                continue;
            }
            ClipPolyline(line.points, clip_, [&](const std::vector<Point>& run) {
                pieces.push_back({line.stroke, run});
            });
        }
        return pieces;
    }

    std::optional<Stroke> StrokeOf(const TEntJwwAttr& att) {
        auto stroke = styles_.StrokeOf(att);
        if (!stroke) shapes_.problem = "pen colour without entry";
        return stroke;
    }

    void AddLine(std::optional<Stroke> stroke, std::vector<Point> points) {
        if (!stroke) return;
        for (const Point& p : points)
            shapes_.Grow(p, stroke->width / 2);
        shapes_.lines.push_back({*stroke, std::move(points)});
    }

    void Add(const TEntJwwLine& line, const Transform& xf) {
        AddLine(StrokeOf(line.att),
                {Placed(xf, line.start_x, line.start_y), Placed(xf, line.end_x, line.end_y)});
    }

    // Curves are flattened finely enough for the view, in their own units.
    double ToleranceFor(const Transform& xf) const {
        const double scale = xf.Scale();
        return tolerance_ / (scale > 0 ? scale : 1);
    }

    void Add(const TEntJwwEnko& arc, const Transform& xf) {
        std::vector<Point> points;
        for (const geom::Point& p : geom::Flatten(geom::EllipseOf(arc), ToleranceFor(xf)))
            points.push_back(Placed(xf, p.x, p.y));
        AddLine(StrokeOf(arc.att), std::move(points));
    }

    void Add(const TEntJwwTen& point, const Transform& xf) {
        if (!rules::Appears(point, styles_.Look().Of())) return;  // a dimension's temporary points
        const auto color = styles_.ColorOf(point.att.nPenColor);
        if (!color) {
            shapes_.problem = "pen colour without entry";
            return;
        }
        const Dot dot{*color, Placed(xf, point.start_x, point.start_y), DotRadiusOf(point)};
        shapes_.Grow(dot.at, dot.radius);
        shapes_.dots.push_back(dot);
    }

    // A box given by its corners (start, along the base, above the base's
    // end, above the start) as placed: its start, base end and top-left.
    struct Placed3 {
        Point origin, right, up;
    };
    Placed3 PlaceBox(const std::array<geom::Point, 4>& corners, const Transform& xf) {
        for (const geom::Point& c : corners)
            shapes_.Grow(Placed(xf, c.x, c.y));
        return {Placed(xf, corners[0].x, corners[0].y), Placed(xf, corners[1].x, corners[1].y),
                Placed(xf, corners[3].x, corners[3].y)};
    }

    void Add(const TEntJwwMoji& text, const Transform& xf) {
        if (const auto image = geom::ImageOf(text)) {
            AddImage(*image, PlaceBox(image->Corners(), xf));
            return;
        }
        const auto [origin, right, up] = PlaceBox(geom::TextCorners(text), xf);
        const auto color = styles_.ColorOf(text.att.nPenColor);
        if (!color) {
            shapes_.problem = "pen colour without entry";
            return;
        }
        AddTextRuns(text, *color, origin, right, up);
    }

    // Looked up once per font name: texts share a few names, and working a
    // face out of a name costs more than drawing the text.
    const std::vector<std::string>& FamiliesOf(const std::u16string& fontName) {
        auto found = families_.find(fontName);
        if (found == families_.end())
            found = families_.emplace(fontName, fonts::FamiliesOf(fonts::FaceOf(fontName))).first;
        return found->second;
    }

    // The text's characters at Jw_cad's places, scaled as the box was placed:
    // one run, and a run of its own for each raised or lowered character.
    void AddTextRuns(const TEntJwwMoji& text, uint32_t rgb, const Point& origin, const Point& right,
                     const Point& up) {
        const fonts::TextLayout layout = fonts::LayOut(text.str, text.dKankaku, text.dSizeX);
        const std::vector<fonts::Script> scripts = fonts::ScriptsOf(text.str);
        const double length = Distance(origin, right);
        const double height = Distance(origin, up);
        const double scale = layout.length > 0 ? length / layout.length : 0;
        const double degrees = DegreesOf(origin, right);
        const double radians = degrees * std::numbers::pi / 180;
        const Point across = height > 0
                                 ? Point{(up.x - origin.x) / height, (up.y - origin.y) / height}
                                 : Point{-std::sin(radians), std::cos(radians)};
        // The point `along` the base line and `above` the box's lower edge.
        const auto at = [&](double along, double above) {
            return Point{origin.x + along * std::cos(radians) + above * across.x,
                         origin.y + along * std::sin(radians) + above * across.y};
        };
        TextRun run{rgb,
                    at(0, fonts::kBaselineInCell * height),
                    height,
                    text.dSizeX * scale,
                    length,
                    degrees,
                    FamiliesOf(text.strFontName),
                    {},
                    {}};
        // Control codes and raising and lowering codes draw nothing.
        std::vector<TextRun> scripted;
        std::u16string shown;
        shown.reserve(text.str.size());
        run.offsets.reserve(text.str.size());
        for (size_t i = 0; i < text.str.size(); ++i) {
            if (text.str[i] < u' ' || scripts[i] == fonts::Script::Code || EndsAPair(text.str, i))
                continue;
            const size_t units = i + 1 < text.str.size() && EndsAPair(text.str, i + 1) ? 2 : 1;
            const double offset = layout.offsets[i] * scale;
            if (scripts[i] == fonts::Script::Plain) {
                shown += text.str.substr(i, units);
                run.offsets.push_back(offset);
                continue;
            }
            const double small = height * fonts::kScriptScale;
            const double lift = scripts[i] == fonts::Script::Super ? height - small : 0;
            TextRun raised = run;
            raised.at = at(offset, lift + fonts::kBaselineInCell * small);
            raised.height = small;
            raised.cellWidth = run.cellWidth * fonts::kScriptScale;
            raised.length = (fonts::IsHalfWidth(text.str[i]) ? 0.5 : 1) * raised.cellWidth;
            raised.text = ToUtf8(text.str.substr(i, units));
            raised.offsets = {0};
            scripted.push_back(std::move(raised));
        }
        run.text = ToUtf8(shown);
        shapes_.texts.push_back(std::move(run));
        for (TextRun& t : scripted)
            shapes_.texts.push_back(std::move(t));
    }

    void AddImage(const geom::ImagePlacement& image, const Placed3& box) {
        if (!images_) images_ = std::make_shared<UnpackedImages>(doc_);
        if (!images_->files.Has(image.name)) {
            shapes_.problem = "image file not at hand";
            return;
        }
        // The run keeps what it unpacks from, whenever a backend asks.
        const auto bytes = [images = images_, name = image.name]() -> std::optional<std::string> {
            auto unpacked = images->files.Bytes(name, images->budget);
            if (unpacked) images->budget -= unpacked->size();
            return unpacked;
        };
        shapes_.images.push_back({bytes, box.origin, Distance(box.origin, box.right),
                                  Distance(box.origin, box.up), DegreesOf(box.origin, box.right)});
    }

    void Add(const TEntJwwSunpo& dim, const Transform& xf) {
        Add(dim.Sen, xf);
        Add(dim.Moji, xf);
        if (dim.bSxfMode == 0) return;
        Add(dim.Ho1, xf);
        Add(dim.Ho2, xf);
        for (const TEntJwwTen* point : {&dim.Te1, &dim.Te2, &dim.Kt1, &dim.Kt2})
            Add(*point, xf);
    }

    void Add(const TEntJwwSolid& solid, const Transform& xf) {
        const auto color = styles_.FillOf(solid);
        if (!color) {
            shapes_.problem = "pen colour without entry";
            return;
        }
        Polygon polygon{*color, {}};
        for (const geom::Point& p : OutlineOf(solid, ToleranceFor(xf)))
            polygon.points.push_back(Placed(xf, p.x, p.y));
        for (const Point& p : polygon.points)
            shapes_.Grow(p);
        shapes_.fills.push_back(std::move(polygon));
    }

    const TJwwData& doc_;
    Styles styles_;
    Box view_;
    PixelMarks marks_;
    RecordBounds bounds_;
    Box clip_;
    double tolerance_ = 0;
    Backend& backend_;
    RenderReport& report_;
    Shapes shapes_;
    std::unordered_map<std::u16string, std::vector<std::string>> families_;
    std::shared_ptr<UnpackedImages> images_;  // made when the first image is met
};

}  // namespace

Box ViewOf(const TJwwData& doc, const RenderOptions& options) {
    if (options.view) return *options.view;
    double w = 0, h = 0;
    doc.GetPaperSize(w, h);
    const Box sheet{-w / 2, -h / 2, w / 2, h / 2};
    if (options.fit == Fit::Paper) return sheet;
    const auto extents =
        DrawnExtents(doc, options.visibility.value_or(Visibility::Of(doc)), MediumOf(options));
    if (!extents) return sheet;
    Box box{extents->minX, extents->minY, extents->maxX, extents->maxY};
    const bool onSheet = box.minX >= sheet.minX && box.maxX <= sheet.maxX &&
                         box.minY >= sheet.minY && box.maxY <= sheet.maxY;
    if (options.fit == Fit::Opening && onSheet) return sheet;
    const double margin = std::max({box.Width(), box.Height(), 1.0}) * kExtentsMargin;
    return {box.minX - margin, box.minY - margin, box.maxX + margin, box.maxY + margin};
}

namespace {

// Measuring draws nothing.
class NoBackend final : public Backend {
  public:
    void Begin(const Box&, uint32_t) override {}
    void Draw(const Polyline&) override {}
    void Draw(const Polygon&) override {}
    void Draw(const Dot&) override {}
    void Draw(const TextRun&) override {}
    bool Draw(const ImageRun&) override { return true; }
    void End() override {}
};

// Measures each of the drawing's own entries for the index: the records it
// expands to, the box their pens reach, the colour of the last one.
class Measurer {
  public:
    Measurer(Resolver& resolver, RenderReport& left) : resolver_(resolver), left_(left) {}

    void Start(int32_t position) {
        entry_ = {position, {INFINITY, INFINITY, -INFINITY, -INFINITY}, 0, 0, false};
        shown_ = false;
        hidden_ = leftOut_ = 0;
    }
    // The entry for the index, or none when it draws nothing (counted as left).
    std::optional<IndexedEntry> Finish() {
        if (shown_) return entry_;
        left_.visited += entry_.records;
        left_.hidden += hidden_;
        left_.leftOut += leftOut_;
        return std::nullopt;
    }

    template <class R>
    void operator()(const R& record, const Placement& at) {
        ++entry_.records;
        switch (resolver_.ShowingOf(record, at)) {
            case Resolver::Showing::Hidden:
                ++hidden_;
                return;
            case Resolver::Showing::LeftOut:
                ++leftOut_;
                return;
            case Resolver::Showing::Shown:
                break;
        }
        shown_ = true;
        const auto mark = resolver_.MarkOf(record, at.xf);
        if (!mark) {
            entry_.whole = true;
            return;
        }
        Box& box = entry_.box;
        box = {std::min(box.minX, mark->reached.minX), std::min(box.minY, mark->reached.minY),
               std::max(box.maxX, mark->reached.maxX), std::max(box.maxY, mark->reached.maxY)};
        entry_.rgb = mark->rgb;
    }

  private:
    Resolver& resolver_;
    RenderReport& left_;
    IndexedEntry entry_;
    bool shown_ = false;
    int64_t hidden_ = 0, leftOut_ = 0;
};

// The entries of the drawing's own order list named by position, one at a time.
EntityView EntryOf(const EntityView& all, int32_t position) {
    return {all.order.subspan(static_cast<size_t>(position), 1), all.arrays};
}

}  // namespace

PreparedDrawing Prepare(const TJwwData& doc, const RenderOptions& look) {
    PreparedDrawing prepared{&doc, look, {}, {}};
    RenderOptions measuring = look;
    measuring.detail = 0;
    NoBackend none;
    RenderReport scratch;
    Resolver resolver(doc, measuring, none, scratch);
    Measurer measure(resolver, prepared.left);
    Expander<Measurer> walk(doc, measure, {});
    const EntityView all = EntityView::Of(doc);
    std::vector<IndexedEntry> entries;
    entries.reserve(all.order.size());
    for (size_t position = 0; position < all.order.size(); ++position) {
        measure.Start(static_cast<int32_t>(position));
        walk.Walk(EntryOf(all, static_cast<int32_t>(position)), Placement{});
        if (auto entry = measure.Finish()) {
            // An entry with no finite box at all is never culled: drawing it
            // reports why. (Finite, so that the index can take its centre.)
            constexpr double kAll = std::numeric_limits<double>::max();
            if (!(entry->box.minX <= entry->box.maxX)) entry->box = {-kAll, -kAll, kAll, kAll};
            entries.push_back(*entry);
        }
    }
    prepared.left.expansion = walk.Report();
    prepared.index = ViewIndex(std::move(entries));
    return prepared;
}

RenderReport Render(const PreparedDrawing& drawing, const PictureView& picture, Backend& backend) {
    RenderOptions options = drawing.look;
    options.view = picture.view;
    options.screenPixel = picture.screenPixel;
    options.detail = picture.devicePixel;
    RenderReport report = drawing.left;
    Resolver resolver(*drawing.doc, options, backend, report);
    backend.Begin(resolver.View(), resolver.Background());
    // Marks need their grid: a detail too fine for one draws every entry in full.
    const double detail = resolver.Marking() ? picture.devicePixel : 0;
    const ViewIndex::Query query = drawing.index.Find(resolver.View(), detail);
    report.visited += query.culledRecords + query.markRecords;
    report.culled += query.culledRecords;
    report.drawn += query.markRecords;
    Expander<Resolver> walk(*drawing.doc, resolver, {});
    const EntityView all = EntityView::Of(*drawing.doc);
    auto mark = query.marks.begin();
    const auto addMarksBefore = [&](int32_t position) {
        for (; mark != query.marks.end() && mark->position < position; ++mark)
            resolver.AddMark(mark->at, mark->rgb);
    };
    for (const int32_t position : query.full) {
        addMarksBefore(position);
        walk.Walk(EntryOf(all, position), Placement{});
    }
    addMarksBefore(INT32_MAX);
    resolver.FlushMarks();
    report.expansion = walk.Report();
    backend.End();
    return report;
}

RenderReport Render(const TJwwData& doc, const RenderOptions& options, Backend& backend) {
    RenderReport report;
    Resolver resolver(doc, options, backend, report);
    backend.Begin(resolver.View(), resolver.Background());
    report.expansion = ForEachExpanded(doc, resolver);
    resolver.FlushMarks();
    backend.End();
    return report;
}

}  // namespace tw::render
