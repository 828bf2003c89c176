#include <tintwright/render/QtOutput.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

#include <unistd.h>

#include <tintwright/render/QtBackend.h>

namespace tw::render {

namespace {

constexpr double kMillimetresPerInch = 25.4;

int gArgc = 1;
char gName[] = "tintwright";
char* gArgv[] = {gName, nullptr};

// Qt makes the thread that creates the application object its GUI thread;
// that object must live as long as anything paints and be destroyed by the
// thread that made it, with the fonts it loaded. Made by a worker that then
// ended, or destroyed by the main thread after a Python interpreter had
// gone, it crashed the process. So the main thread makes it in place, as a
// static destroyed at exit; asked first by another thread, a thread of its
// own makes it, keeps it and destroys it at exit.
class GuiHost {
  public:
    void Start() {
        thread_ = std::thread([this] { Run(); });
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return made_; });
    }

    void Stop() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }

  private:
    void Run() {
        auto app = std::make_unique<QGuiApplication>(gArgc, gArgv);
        std::unique_lock lock(mutex_);
        made_ = true;
        changed_.notify_all();
        changed_.wait(lock, [this] { return stopping_; });
        app.reset();
    }

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable changed_;
    bool made_ = false;
    bool stopping_ = false;
};

GuiHost& Host() {
    static auto* host = new GuiHost;  // outlives every static that paints
    return *host;
}

bool OnMainThread() {
    return gettid() == getpid();
}

}  // namespace

// Made once, whichever thread asks first and however many ask at once.
void EnsureGuiApplication() {
    static std::once_flag made;
    std::call_once(made, [] {
        if (QCoreApplication::instance()) return;
        if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (OnMainThread()) {
            static QGuiApplication app(gArgc, gArgv);
            return;
        }
        Host().Start();
        std::atexit([] { Host().Stop(); });
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
