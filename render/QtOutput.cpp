#include <tintwright/render/QtOutput.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <future>
#include <mutex>
#include <thread>

#include <tintwright/render/QtBackend.h>

namespace tw::render {

namespace {

constexpr double kMillimetresPerInch = 25.4;

}  // namespace

// Qt makes the thread that creates the application object its GUI thread,
// and that object must live as long as anything paints. A program with a
// window makes it in main(); otherwise it is made once, whichever thread asks
// first and however many ask at once, by a thread of its own that lives as
// long as the process and never destroys it: made by a worker that then
// ends, or destroyed at exit after the interpreter of a Python program has
// gone, it crashed the process.
void EnsureGuiApplication() {
    static std::once_flag made;
    std::call_once(made, [] {
        if (QCoreApplication::instance()) return;
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::promise<void> ready;
        std::thread([&ready] {
            static int argc = 1;
            static char name[] = "tintwright";
            static char* argv[] = {name, nullptr};
            new QGuiApplication(argc, argv);  // kept until the process ends
            ready.set_value();
            for (;;)
                std::this_thread::sleep_for(std::chrono::hours(24));
        }).detach();
        ready.get_future().wait();
    });
}

QByteArray RenderPng(const TJwwData& doc, const RenderOptions& options, double dpi,
                     RenderReport& report) {
    const Box view = ViewOf(doc, options);
    const PixelSize size = RasterSizeOf(view, dpi);
    QImage image(size.width, size.height, QImage::Format_RGB32);
    if (image.isNull()) throw OutputError("no memory for an image of this size");
    const int dotsPerMetre = static_cast<int>(std::lround(dpi / kMillimetresPerInch * 1000));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    {
        QPainter painter(&image);
        QtBackend backend(painter, QRectF(0, 0, size.width, size.height));
        RenderOptions fixed = options;
        fixed.view = view;
        report = Render(doc, fixed, backend);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) throw OutputError("the PNG encoder failed");
    return bytes;
}

QByteArray RenderPdf(const TJwwData& doc, const RenderOptions& options, double dpi,
                     RenderReport& report) {
    const Box view = ViewOf(doc, options);
    CheckPdfPage(view, dpi);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator("Tintwright");
        writer.setResolution(static_cast<int>(dpi));
        writer.setPageLayout(
            QPageLayout(QPageSize(QSizeF(view.Width(), view.Height()), QPageSize::Millimeter),
                        QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        QPainter painter;
        if (!painter.begin(&writer)) throw OutputError("the PDF writer could not start");
        QtBackend backend(painter, QRectF(0, 0, writer.width(), writer.height()));
        RenderOptions fixed = options;
        fixed.view = view;
        report = Render(doc, fixed, backend);
        painter.end();
    }
    return bytes;
}

}  // namespace tw::render
