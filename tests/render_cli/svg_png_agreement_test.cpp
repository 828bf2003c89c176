// An SVG rasterised by rsvg-convert shows what the PNG shows: the ink of the
// one lies within two pixels of the ink of the other, texts included, on
// screen and in print. librsvg honours neither textLength nor x lists, so
// this fails when texts are laid out by anything but the SVG's own places.
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "support/Ink.h"
#include "support/TempDir.h"
#include "tests/render_cli/CliRun.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

const fs::path kShared = TW_SHARED_TESTDATA;
constexpr int kTolerance = 2;  // pixels

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
    const Agreement agreement = AgreementOf(png, svg, kTolerance);
    EXPECT_GE(agreement.firstInSecond, 0.9);
    EXPECT_GE(agreement.secondInFirst, 0.9);
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
