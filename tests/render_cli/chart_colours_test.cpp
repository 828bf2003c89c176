// The colour chart drawn by the renderer shows, on each of its 256 grid lines
// and 8 pen lines, exactly the colour the file carries, for the three
// palettes: as PNG, as SVG rasterised by rsvg-convert and as PDF rasterised
// by pdftoppm. On the black background the colours the white background
// turns to black are white.
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/EntityView.h>
#include <tintwright/jww/Reader.h>
#include "support/TempDir.h"
#include "tests/render_cli/CliRun.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

constexpr int kDpi = 200;  // the chart's 0.4 mm lines are over 2 pixels wide
constexpr int kFrameLines = 4;

struct Sample {
    double x, y;   // paper millimetres
    uint32_t rgb;  // 0xRRGGBB
};

uint32_t RgbOf(uint32_t colorref) {
    return ((colorref & 0xFF) << 16) | (colorref & 0xFF00) | ((colorref >> 16) & 0xFF);
}

// The middle of each sample line and the colour its pen carries in the file.
std::vector<Sample> SamplesOf(const fs::path& chart, bool black) {
    TJwwData doc;
    EXPECT_TRUE(jwwin::ReadDrawingFile(doc, chart.u16string(), {}).ok);
    std::vector<Sample> samples;
    const auto lines = EntityView::Of(doc).All<TEntJwwLine>();
    for (size_t i = kFrameLines; i < lines.size(); ++i) {
        const TEntJwwLine& l = lines[i];
        uint32_t rgb = RgbOf(*rules::PenColor(doc, l.att.nPenColor, false));
        if (black && rgb == 0) rgb = 0xFFFFFF;
        samples.push_back({(l.start_x + l.end_x) / 2, (l.start_y + l.end_y) / 2, rgb});
    }
    return samples;
}

struct ChartCase {
    std::string palette;
    std::string format;  // png, svg or pdf
    bool black;
};

std::string Name(const testing::TestParamInfo<ChartCase>& info) {
    return info.param.palette + "_" + info.param.format + (info.param.black ? "_black" : "");
}

class ChartColours : public testing::TestWithParam<ChartCase> {
  protected:
    // The chart rendered and, for SVG and PDF, rasterised by the consumer.
    QImage Picture() {
        const ChartCase& c = GetParam();
        const std::string out = "chart." + c.format;
        const CommandResult r =
            Cli(dir.path(), "render chart.jww " + out + " --dpi " + std::to_string(kDpi) +
                                (c.black ? " --background black" : ""));
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_NE(r.out.find("drawn 268 of 268 entities"), std::string::npos) << r.out;
        const std::string dpi = std::to_string(kDpi);
        if (c.format == "svg")
            EXPECT_EQ(RunIn(dir.path(),
                            "rsvg-convert -d " + dpi + " -p " + dpi + " -o raster.png chart.svg")
                          .code,
                      0);
        if (c.format == "pdf")
            EXPECT_EQ(
                RunIn(dir.path(), "pdftoppm -r " + dpi + " -png -singlefile chart.pdf raster").code,
                0);
        return QImage(QString::fromStdString(
            (dir.path() / (c.format == "png" ? out : std::string("raster.png"))).string()));
    }

    TempDir dir;
};

TEST_P(ChartColours, EveryLineShowsTheColourTheFileCarries) {
    const ChartCase& c = GetParam();
    ASSERT_EQ(Cli(dir.path(), "chart chart.jww --palette " + c.palette).code, 0);
    const fs::path chart = dir.path() / "chart.jww";
    const QImage image = Picture();
    ASSERT_FALSE(image.isNull());
    const double sx = image.width() / 297.0;
    const double sy = image.height() / 210.0;
    const std::vector<Sample> samples = SamplesOf(chart, c.black);
    ASSERT_EQ(samples.size(), 264u);
    int wrong = 0;
    for (const Sample& s : samples) {
        const int px = static_cast<int>((s.x + 148.5) * sx);
        const int py = static_cast<int>((105 - s.y) * sy);
        const uint32_t shown = image.pixel(px, py) & 0xFFFFFF;
        if (shown != s.rgb && ++wrong <= 5)
            ADD_FAILURE() << "line at (" << s.x << ", " << s.y << "): shows " << std::hex << shown
                          << ", the file carries " << s.rgb;
    }
    EXPECT_EQ(wrong, 0);
}

INSTANTIATE_TEST_SUITE_P(
    ThreePalettes, ChartColours,
    testing::Values(ChartCase{"dxf", "png", false}, ChartCase{"mix", "png", false},
                    ChartCase{"grad", "png", false}, ChartCase{"dxf", "png", true},
                    ChartCase{"mix", "png", true}, ChartCase{"grad", "png", true},
                    ChartCase{"dxf", "svg", false}, ChartCase{"mix", "svg", false},
                    ChartCase{"grad", "svg", false}, ChartCase{"dxf", "pdf", false},
                    ChartCase{"mix", "pdf", false}, ChartCase{"grad", "pdf", false}),
    Name);

}  // namespace
}  // namespace tw
