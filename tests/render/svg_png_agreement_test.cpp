// An SVG rasterised by rsvg-convert shows what the PNG shows: the ink of the
// one lies within two pixels of the ink of the other, texts included, on
// screen and in print. librsvg honours neither textLength nor x lists, so
// this fails when texts are laid out by anything but the SVG's own places.
#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "support/TempDir.h"
#include "tests/render/CliRun.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

const fs::path kShared = TW_SHARED_TESTDATA;
constexpr int kTolerance = 2;  // pixels

using Mask = std::vector<std::vector<bool>>;

// Pixels darker than light grey once laid on white.
Mask InkOf(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_ARGB32);
    Mask ink(rgb.height(), std::vector<bool>(rgb.width()));
    for (int y = 0; y < rgb.height(); ++y)
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb p = rgb.pixel(x, y);
            const int alpha = qAlpha(p);
            const int grey = (qGray(p) * alpha + 255 * (255 - alpha)) / 255;
            ink[y][x] = grey < 200;
        }
    return ink;
}

// Every pixel within the tolerance of ink, rows then columns.
Mask Widened(const Mask& ink) {
    const int h = static_cast<int>(ink.size()), w = h ? static_cast<int>(ink[0].size()) : 0;
    Mask rows(h, std::vector<bool>(w)), out(h, std::vector<bool>(w));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int d = -kTolerance; d <= kTolerance && !rows[y][x]; ++d)
                rows[y][x] = x + d >= 0 && x + d < w && ink[y][x + d];
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int d = -kTolerance; d <= kTolerance && !out[y][x]; ++d)
                out[y][x] = y + d >= 0 && y + d < h && rows[y + d][x];
    return out;
}

// The share of both pictures' ink that the other has nearby.
double Agreement(const Mask& a, const Mask& b) {
    const Mask nearA = Widened(a), nearB = Widened(b);
    int64_t inkA = 0, inkB = 0, agreed = 0;
    for (size_t y = 0; y < a.size(); ++y)
        for (size_t x = 0; x < a[y].size(); ++x) {
            inkA += a[y][x];
            inkB += b[y][x];
            agreed += (a[y][x] && nearB[y][x]) + (b[y][x] && nearA[y][x]);
        }
    return inkA + inkB ? static_cast<double>(agreed) / static_cast<double>(inkA + inkB) : 0;
}

struct AgreementCase {
    std::string drawing;
    bool print;
};

void PrintTo(const AgreementCase& c, std::ostream* out) {
    *out << c.drawing << (c.print ? " in print" : " on screen");
}

class SvgPngAgreement : public testing::TestWithParam<AgreementCase> {};

TEST_P(SvgPngAgreement, RsvgConvertDrawsWhatThePngShows) {
    const AgreementCase& c = GetParam();
    const fs::path file = kShared / c.drawing;
    ASSERT_TRUE(fs::exists(file)) << "the shared drawings are missing: " << file;
    TempDir dir;
    const std::string mode = c.print ? " --print" : "";
    for (const char* out : {"drawing.png", "drawing.svg"}) {
        const CommandResult r =
            Cli(dir.path(), "render '" + file.string() + "' " + out + " --dpi 100" + mode);
        ASSERT_EQ(r.code, 0) << r.err;
    }
    const QImage png(QString::fromStdString((dir.path() / "drawing.png").string()));
    ASSERT_FALSE(png.isNull());
    ASSERT_EQ(RunIn(dir.path(), "rsvg-convert -w " + std::to_string(png.width()) + " -h " +
                                    std::to_string(png.height()) + " -o raster.png drawing.svg")
                  .code,
              0);
    const QImage svg(QString::fromStdString((dir.path() / "raster.png").string()));
    ASSERT_EQ(svg.size(), png.size());
    EXPECT_GE(Agreement(InkOf(png), InkOf(svg)), 0.9);
}

INSTANTIATE_TEST_SUITE_P(Shared, SvgPngAgreement,
                         testing::Values(AgreementCase{"Test1.jww", false},
                                         AgreementCase{"Test1.jww", true},
                                         AgreementCase{"Test3.jww", false},
                                         AgreementCase{"Test3.jww", true}),
                         [](const auto& info) {
                             return fs::path(info.param.drawing).stem().string() +
                                    (info.param.print ? "_print" : "_screen");
                         });

}  // namespace
}  // namespace tw
