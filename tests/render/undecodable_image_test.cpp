// A bound image whose file cannot be decoded is not drawable, in every
// output, and named in the report; a readable one is drawn.
#include <gtest/gtest.h>

#include <QImage>
#include <fstream>
#include <functional>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/render/QtOutput.h>
#include <tintwright/render/SvgBackend.h>
#include "support/TempDir.h"

namespace tw::render {
namespace {

RenderReport Svg(const TJwwData& doc) {
    std::string svg;
    SvgBackend backend(svg, 0.1);
    return Render(doc, RenderOptions{}, backend);
}

RenderReport Png(const TJwwData& doc) {
    RenderReport report;
    RenderPng(doc, RenderOptions{}, 20, report);
    return report;
}

RenderReport Pdf(const TJwwData& doc) {
    RenderReport report;
    RenderPdf(doc, RenderOptions{}, 300, report);
    return report;
}

TEST(UndecodableImage, IsNotDrawableInEveryOutput) {
    EnsureGuiApplication();
    TempDir folder;
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(QString::fromStdString((folder.path() / "good.png").string())));
    // A PNG signature over bytes that are no picture, and bytes of no kind.
    std::ofstream(folder.path() / "broken.png", std::ios::binary)
        << "\x89PNG\r\n\x1a\nnot a picture";
    std::ofstream(folder.path() / "noise.bmp", std::ios::binary) << "noise";
    const struct {
        const char* file;
        bool svgDraws;  // SVG embeds the bytes of a known kind: the viewer decodes them
    } images[] = {{"good.png", true}, {"broken.png", true}, {"noise.bmp", false}};
    const struct {
        const char* name;
        std::function<RenderReport(const TJwwData&)> render;
        bool decodes;
    } outputs[] = {{"svg", Svg, false}, {"png", Png, true}, {"pdf", Pdf, true}};
    for (const auto& image : images) {
        TJwwData doc;
        doc.DataDefaultSet();
        doc.BindImageFolder = folder.folder();
        const std::string text = std::string("^@BM") + image.file + ",40,30";
        ASSERT_TRUE(doc.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 1, 10, 20, 5, 5, 0, 0, u"MS Gothic",
                                   std::u16string(text.begin(), text.end())));
        for (const auto& output : outputs) {
            SCOPED_TRACE(std::string(image.file) + " as " + output.name);
            const bool drawable =
                std::string(image.file) == "good.png" || (!output.decodes && image.svgDraws);
            const RenderReport report = output.render(doc);
            EXPECT_EQ(report.drawn, drawable ? 1 : 0);
            EXPECT_EQ(report.undrawable, drawable ? 0 : 1);
            EXPECT_EQ(report.reasons.count("images that cannot be read or decoded"),
                      drawable ? 0u : 1u);
        }
    }
}

}  // namespace
}  // namespace tw::render
