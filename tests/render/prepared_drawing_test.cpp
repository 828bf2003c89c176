// A viewer's prepared drawing: pictures through the index draw exactly what
// the plain walk draws, in the same order; what is smaller than a pixel is
// drawn as that pixel, in the colour drawn there last, under what is drawn
// after it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>

#include <tintwright/jww/Reader.h>
#include <tintwright/render/Frontend.h>
#include "render/RecordingBackend.h"

namespace tw::render {
namespace {

namespace fs = std::filesystem;

const fs::path kShared = TW_SHARED_TESTDATA;

std::string Text(const Point& p) {
    char text[64];
    std::snprintf(text, sizeof text, "(%.9g %.9g)", p.x, p.y);
    return text;
}

std::string Text(const std::vector<Point>& points) {
    std::string text;
    for (const Point& p : points)
        text += Text(p);
    return text;
}

// Everything a backend was handed, one line per primitive, kind by kind.
std::vector<std::string> Trace(const RecordingBackend& b) {
    std::vector<std::string> trace;
    for (const Polyline& l : b.lines)
        trace.push_back("line " + std::to_string(l.stroke.rgb) + " " +
                        std::to_string(l.stroke.width) + Text(l.points));
    for (const Polygon& f : b.fills)
        trace.push_back("fill " + std::to_string(f.rgb) + Text(f.points));
    for (const Dot& d : b.dots)
        trace.push_back("dot " + std::to_string(d.rgb) + Text(d.at));
    for (const TextRun& t : b.texts)
        trace.push_back("text " + t.text + Text(t.at));
    for (const ImageRun& i : b.images)
        trace.push_back("image " + i.bytes().value_or("(none)") + Text(i.at));
    return trace;
}

Box Part(const Box& whole, double left, double bottom, double share) {
    const double w = whole.Width(), h = whole.Height();
    return {whole.minX + left * w, whole.minY + bottom * h, whole.minX + (left + share) * w,
            whole.minY + (bottom + share) * h};
}

struct Look {
    const char* name;
    bool print;
};
void PrintTo(const Look& look, std::ostream* out) {
    *out << look.name;
}

class PreparedRealDrawings : public testing::TestWithParam<std::tuple<std::string, Look>> {};

// With a detail too fine for marks, each view through the index hands the
// backend exactly what the plain walk hands it, and accounts for every record.
TEST_P(PreparedRealDrawings, DrawExactlyWhatThePlainWalkDraws) {
    const auto& [name, look] = GetParam();
    const fs::path file = kShared / name;
    ASSERT_TRUE(fs::exists(file)) << "the shared drawings are missing: " << file;
    TJwwData doc;
    ASSERT_TRUE(jwwin::ReadDrawingFile(doc, file.u16string(), {}).ok);
    RenderOptions options;
    options.print = look.print;
    options.fit = Fit::Extents;
    const Box whole = ViewOf(doc, options);
    const PreparedDrawing prepared = Prepare(doc, options);
    const struct {
        const char* name;
        Box view;
    } views[] = {{"whole", whole},
                 {"middle quarter", Part(whole, 0.375, 0.375, 0.25)},
                 {"corner", Part(whole, 0.0, 0.8, 0.12)},
                 {"off the drawing", Part(whole, 3.0, 3.0, 1.0)}};
    for (const auto& [viewName, view] : views) {
        SCOPED_TRACE(viewName);
        RenderOptions plainOptions = options;
        plainOptions.view = view;
        plainOptions.screenPixel = 0.25;
        RecordingBackend plain, indexed;
        const RenderReport expected = Render(doc, plainOptions, plain);
        const RenderReport got = Render(prepared, {view, 0.25, 1e-12}, indexed);
        EXPECT_EQ(Trace(indexed), Trace(plain));
        EXPECT_EQ(got.drawn, expected.drawn);
        EXPECT_EQ(got.visited, expected.visited);
        EXPECT_EQ(got.drawn + got.hidden + got.leftOut + got.culled + got.undrawable, got.visited);
        EXPECT_EQ(got.undrawable, expected.undrawable);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Shared, PreparedRealDrawings,
    testing::Combine(testing::Values("2blocks.jww", "3blocks.jww", "Test1.jww", "Test2.jww",
                                     "Test3.jww", "copy-block.jww", "non_block.jww"),
                     testing::Values(Look{"screen", false}, Look{"print", true})),
    [](const auto& info) {
        std::string name =
            fs::path(std::get<0>(info.param)).stem().string() + "_" + std::get<1>(info.param).name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

constexpr int32_t kSolidStyle = 1;
const Box kView{-50, -50, 50, 50};  // 100 x 100 pixels of 1 mm

void AddTinyLine(TJwwData& doc, int32_t pen, double x, double y) {
    ASSERT_TRUE(doc.AddEntLine(0, 0, 0, pen, kSolidStyle, 0, 0, x, y, x + 0.01, y));
}

// The two ways to draw with marks: the plain walk given the detail, and a
// prepared drawing's picture.
struct Path {
    const char* name;
    RenderReport (*draw)(const TJwwData&, RecordingBackend&);
};
const Path kPaths[] = {
    {"plain walk",
     [](const TJwwData& doc, RecordingBackend& backend) {
         RenderOptions options;
         options.view = kView;
         options.detail = 1;
         return Render(doc, options, backend);
     }},
    {"prepared",
     [](const TJwwData& doc, RecordingBackend& backend) {
         return Render(Prepare(doc, {}), {kView, 0.1, 1}, backend);
     }},
};

// Two tiny lines on one pixel, a solid over it, a third tiny line on top:
// the pixel in the second line's colour, the solid, the third line's pixel.
TEST(PixelMarks, TakeTheLastColourAndKeepTheDrawingOrder) {
    TJwwData doc;
    doc.DataDefaultSet();
    AddTinyLine(doc, 1, 0.2, 0.2);
    AddTinyLine(doc, 2, 0.3, 0.3);
    ASSERT_TRUE(doc.AddEntSolid(0, 0, 0, 10, kSolidStyle, 0, 0, 0x00FF00, -10, -10, 10, -10, 10, 10,
                                -10, 10));
    AddTinyLine(doc, 3, 0.4, 0.4);
    RecordingBackend pens;  // the colours the pens draw in
    {
        RenderOptions options;
        options.view = kView;
        Render(doc, options, pens);
        ASSERT_EQ(pens.lines.size(), 3u);
    }
    const std::vector<Point> pixel{
        {0, 1}, {1, 1}, {1, 0}, {0, 0}};  // holding (0.2 .. 0.41, 0.2 .. 0.4)
    for (const Path& path : kPaths) {
        SCOPED_TRACE(path.name);
        RecordingBackend b;
        const RenderReport report = path.draw(doc, b);
        EXPECT_EQ(report.drawn, 4);
        EXPECT_TRUE(b.lines.empty());
        ASSERT_EQ(b.fills.size(), 3u);
        EXPECT_EQ(b.fills[0].rgb, pens.lines[1].stroke.rgb);
        EXPECT_EQ(Text(b.fills[0].points), Text(pixel));
        EXPECT_EQ(b.fills[1].points.size(), 4u);  // the solid
        EXPECT_EQ(b.fills[2].rgb, pens.lines[2].stroke.rgb);
        EXPECT_EQ(Text(b.fills[2].points), Text(pixel));
    }
}

// A long line thin one way only is drawn as a line, not a dot: only what
// is smaller than a pixel both ways is a mark, in the view of 1 mm pixels
// and in the drawing fitted to its extents.
TEST(PixelMarks, ALineThinOneWayStaysALine) {
    struct Case {
        const char* name;
        double x1, y1, x2, y2;
    };
    const Case cases[] = {{"horizontal", -40, 0.2, 40, 0.2}, {"vertical", 0.2, -40, 0.2, 40}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TJwwData doc;
        doc.DataDefaultSet();
        ASSERT_TRUE(doc.AddEntLine(0, 0, 0, 1, kSolidStyle, 0, 0, c.x1, c.y1, c.x2, c.y2));
        std::vector<Path> paths(std::begin(kPaths), std::end(kPaths));
        paths.push_back({"prepared at fit", [](const TJwwData& d, RecordingBackend& backend) {
                             RenderOptions fit;
                             fit.fit = Fit::Extents;
                             const Box view = ViewOf(d, fit);
                             const double pixel = std::max(view.Width(), view.Height()) / 100;
                             return Render(Prepare(d, {}), {view, pixel, pixel}, backend);
                         }});
        for (const Path& path : paths) {
            SCOPED_TRACE(path.name);
            RecordingBackend b;
            EXPECT_EQ(path.draw(doc, b).drawn, 1);
            EXPECT_EQ(b.lines.size(), 1u);
            EXPECT_TRUE(b.fills.empty());
        }
    }
}

// Ten thousand tiny lines over a 10 mm square cost the pixels they light,
// each a whole pixel of the grid.
TEST(PixelMarks, CostThePixelsTheyLight) {
    TJwwData doc;
    doc.DataDefaultSet();
    for (int i = 0; i < 10'000; ++i)
        AddTinyLine(doc, 1 + i % 8, (i % 100) * 0.1 + 0.05, (i / 100) * 0.1 + 0.05);
    for (const Path& path : kPaths) {
        SCOPED_TRACE(path.name);
        RecordingBackend b;
        const RenderReport report = path.draw(doc, b);
        EXPECT_EQ(report.drawn, 10'000);
        EXPECT_EQ(b.fills.size(), 100u);  // 10 x 10 pixels
        for (const Polygon& square : b.fills) {
            ASSERT_EQ(square.points.size(), 4u);
            const Point corner = square.points[0];
            EXPECT_EQ(corner.x, std::floor(corner.x));
            EXPECT_EQ(corner.y, std::floor(corner.y));
            EXPECT_EQ(square.points[2].x - corner.x, 1);
        }
    }
}

}  // namespace
}  // namespace tw::render
