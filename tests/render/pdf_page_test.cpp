// A PDF's page is the view's size up to the largest the PDF writer can hold;
// a larger view is refused with both sizes named, never written as a page
// of another size or drawn on a wrapped one.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/render/QtOutput.h>

namespace tw::render {
namespace {

constexpr double kResolution = 1200;  // as the command line writes PDF
constexpr double kPointsPerMm = 72 / 25.4;

// The page's width and height in points, as the file's /MediaBox holds them.
std::pair<double, double> MediaBox(const QByteArray& pdf) {
    const std::string text = pdf.toStdString();
    std::smatch m;
    if (!std::regex_search(text, m, std::regex(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])")))
        return {0, 0};
    return {std::stod(m[1]), std::stod(m[2])};
}

TEST(PdfPage, IsTheViewsSizeOrRefusedWithBothSizes) {
    EnsureGuiApplication();
    TJwwData doc;
    doc.DataDefaultSet();
    const struct {
        double width, height;  // mm
        bool written;
    } cases[] = {
        {297, 210, true},    {4e7, 100, true},   // 40 km: the writer's device size still fits
        {100, 4e7, true},    {5e7, 100, false},  // the device size would wrap
        {100, 5e7, false},   {8e8, 100, false},  // the page in points would wrap: an empty page
        {1e12, 1e12, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height));
        RenderOptions options;
        options.view = Box{0, 0, c.width, c.height};
        RenderReport report;
        if (c.written) {
            const auto [w, h] = MediaBox(RenderPdf(doc, options, kResolution, report));
            EXPECT_NEAR(w, c.width * kPointsPerMm, 1);
            EXPECT_NEAR(h, c.height * kPointsPerMm, 1);
            continue;
        }
        try {
            RenderPdf(doc, options, kResolution, report);
            ADD_FAILURE() << "written";
        } catch (const OutputError& e) {
            char sizes[100];
            std::snprintf(sizes, sizeof sizes, "the page would be %.0f x %.0f mm", c.width,
                          c.height);
            EXPECT_EQ(
                std::string(e.what()),
                std::string(sizes) + ", more than the 45455070 mm a side a PDF page can have");
        }
    }
}

}  // namespace
}  // namespace tw::render
