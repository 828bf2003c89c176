// A PDF's page is the view's size up to the largest Qt's PDF writer can
// hold; a larger view is refused with both sizes named, never written as a
// page of another size or drawn on a wrapped one. Our own PDF writer (the
// Windows build's) keeps the same limit.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/render/PdfOutput.h>
#include <tintwright/render/QtOutput.h>

namespace tw::render {
namespace {

constexpr double kPointsPerMm = 72 / 25.4;

// The page's width and height in points, as the file's /MediaBox holds them.
std::pair<double, double> MediaBox(const std::string& text) {
    std::smatch m;
    if (!std::regex_search(text, m, std::regex(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])")))
        return {0, 0};
    return {std::stod(m[1]), std::stod(m[2])};
}

// The two PDF writers, as the command line calls them.
struct Writer {
    const char* name;
    std::string (*write)(const TJwwData&, const RenderOptions&, RenderReport&);
};
const Writer kWriters[] = {
    {"Qt",
     [](const TJwwData& doc, const RenderOptions& options, RenderReport& report) {
         return RenderPdf(doc, options, kPdfResolution, report).toStdString();
     }},
    {"our own", PdfOf},
};

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
    for (const Writer& writer : kWriters) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(writer.name) + ": " + std::to_string(c.width) + " x " +
                         std::to_string(c.height));
            RenderOptions options;
            options.view = Box{0, 0, c.width, c.height};
            RenderReport report;
            if (c.written) {
                const auto [w, h] = MediaBox(writer.write(doc, options, report));
                EXPECT_NEAR(w, c.width * kPointsPerMm, 1);
                EXPECT_NEAR(h, c.height * kPointsPerMm, 1);
                continue;
            }
            try {
                writer.write(doc, options, report);
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
}

}  // namespace
}  // namespace tw::render
