// PNG and PDF from worker threads: the first render of the process starts
// Qt from a worker that then ends, several workers draw at once, and each
// picture is the one the same drawing gives when drawn alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <future>
#include <thread>
#include <vector>

#include <tintwright/jww/Reader.h>
#include <tintwright/render/QtOutput.h>
#include "support/SharedDrawings.h"

namespace tw::render {
namespace {

namespace fs = std::filesystem;

QByteArray Png(const fs::path& file, bool pdf) {
    TJwwData doc;
    if (!jwwin::ReadDrawingFile(doc, file.u16string(), {}).ok) return {};
    EnsureGuiApplication();
    RenderOptions options;
    options.screenPixel = 25.4 / 40;
    RenderReport report;
    return pdf ? RenderPdf(doc, options, 40, report) : RenderPng(doc, options, 40, report);
}

TEST(WorkerThreads, DrawPngAndPdfAsTheyWouldAlone) {
    const std::vector<fs::path> files = test::SharedDrawingFiles();
    ASSERT_FALSE(files.empty());
    // The first render, Qt's start among it, in a thread that ends at once.
    const QByteArray first =
        std::async(std::launch::async, [&] { return Png(files[0], false); }).get();
    ASSERT_FALSE(first.isEmpty());
    std::vector<std::future<QByteArray>> pngs, pdfs;
    for (int round = 0; round < 2; ++round) {
        for (const fs::path& file : files) {
            pngs.push_back(std::async(std::launch::async, Png, file, false));
            pdfs.push_back(std::async(std::launch::async, Png, file, true));
        }
    }
    for (size_t i = 0; i < pngs.size(); ++i) {
        const fs::path& file = files[i % files.size()];
        SCOPED_TRACE(file.filename().string());
        EXPECT_EQ(pngs[i].get(), Png(file, false));
        EXPECT_TRUE(pdfs[i].get().startsWith("%PDF"));
    }
    EXPECT_EQ(first, Png(files[0], false));
}

}  // namespace
}  // namespace tw::render
