// The viewer under the offscreen platform: it opens the chart and shows its
// colours, zooms around the cursor, pans, fits again with F, switches the
// background and layers, and answers a damaged or missing file with a
// message. Its File menu writes what the command line writes, prints to a
// PDF printer and remembers recent files; its status line and layer panel
// agree with a real drawing.
#include <QAction>
#include <QCheckBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/OutputRules.h>
#include <tintwright/jww/Reader.h>
#include "DrawingCanvas.h"
#include "ViewerWindow.h"

using tw::qt::DrawingCanvas;
using tw::qt::ViewerWindow;

namespace {

// The paper point under a pixel of the canvas.
QPointF PaperAt(const DrawingCanvas& canvas, const QPointF& pixel) {
    const tw::render::Box v = canvas.view();
    const double mmpp = v.Width() / canvas.width();
    return {v.minX + pixel.x() * mmpp, v.maxY - pixel.y() * mmpp};
}

QPointF PixelOf(const DrawingCanvas& canvas, double x, double y) {
    const tw::render::Box v = canvas.view();
    const double mmpp = v.Width() / canvas.width();
    return {(x - v.minX) / mmpp, (v.maxY - y) / mmpp};
}

const QString kShared = QStringLiteral(TW_SHARED_TESTDATA);

QString Cli() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/tintwright-cli");
}

QByteArray Run(const QStringList& arguments) {
    QProcess cli;
    cli.start(Cli(), arguments);
    if (!cli.waitForFinished(60000) || cli.exitCode() != 0) return {};
    return cli.readAllStandardOutput();
}

QByteArray Contents(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QAction* ActionNamed(const QWidget& window, const QString& text) {
    for (QAction* action : window.findChildren<QAction*>())
        if (action->text().remove(QLatin1Char('&')) == text) return action;
    return nullptr;
}

// Whether any pixel within two of p differs from the background.
bool InkNear(const QImage& image, const QPoint& p) {
    const QRgb background = image.pixel(1, 1);
    for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
            if (image.pixel(p + QPoint(dx, dy)) != background) return true;
    return false;
}

QString LastMessage(const QWidget& window) {
    const auto boxes = window.findChildren<QMessageBox*>();
    return boxes.isEmpty() ? QString() : boxes.back()->text();
}

}  // namespace

class ViewerTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void showsTheColoursTheFileCarries();
    void wheelZoomKeepsThePointUnderTheCursor();
    void dragPansAndFKeyFitsAgain();
    void backgroundAndLayerSwitches();
    void damagedFileShowsAMessage();
    void missingFileIsCalledMissing();
    void panShowsTheLastPictureMovedThenDrawsSharply();
    void menusHoldTheirActions();
    void eachDrawingInAWindowOfItsOwn();
    void scrollBarsFollowAndMoveTheView();
    void openRecentRemembersOpenedFiles();
    void exportAndSaveAsWriteWhatTheCommandLineWrites();
    void exportAndSaveAsJwwWriteTheDrawingOnScreen();
    void printsToAPdfPrinter();
    void statusLineShowsPaperAndRealMillimetres();
    void layerPanelCountsAgreeWithDump();
    void printViewLeavesOutWhatDoesNotPrint();
    void fitSheetShowsTheSheetAndFollowsResizes();

  private:
    QTemporaryDir dir_;
    QString chart_;
};

void ViewerTest::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);  // recent files in a settings file of their own
    QVERIFY2(QFileInfo::exists(kShared + QStringLiteral("/Test1.jww")),
             qPrintable(QStringLiteral("the shared drawings are missing: ") + kShared));
    chart_ = dir_.filePath(QStringLiteral("chart.jww"));
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/tintwright-cli");
    QCOMPARE(QProcess::execute(cli, {QStringLiteral("chart"), chart_, QStringLiteral("--palette"),
                                     QStringLiteral("mix")}),
             0);
}

void ViewerTest::showsTheColoursTheFileCarries() {
    ViewerWindow window;
    window.resize(1000, 700);
    window.show();
    QVERIFY(window.open(chart_));
    DrawingCanvas& canvas = *window.canvas();
    // Close enough that the 0.4 mm lines are several pixels wide.
    canvas.zoomAt(PixelOf(canvas, 0, 20), 6);
    const QImage image = canvas.grab().toImage();
    tw::TJwwData doc;
    QVERIFY(tw::jwwin::ReadDrawingFile(doc, chart_.toStdU16String(), {}).ok);
    int checked = 0;
    for (size_t i = 4; i < doc.EntLine.size(); ++i) {
        const tw::TEntJwwLine& l = doc.EntLine[i];
        const QPoint p = PixelOf(canvas, (l.start_x + l.end_x) / 2, l.start_y).toPoint();
        if (!image.rect().contains(p)) continue;
        const uint32_t ref = *tw::rules::PenColor(doc, l.att.nPenColor, false);
        const QColor want(ref & 0xFF, (ref >> 8) & 0xFF, (ref >> 16) & 0xFF);
        QCOMPARE(image.pixelColor(p), want);
        ++checked;
    }
    QVERIFY2(checked >= 20, qPrintable(QString::number(checked)));
    QCOMPARE(canvas.lastReport().undrawable, 0);
}

void ViewerTest::wheelZoomKeepsThePointUnderTheCursor() {
    ViewerWindow window;
    window.show();
    QVERIFY(window.open(chart_));
    DrawingCanvas& canvas = *window.canvas();
    const QPointF cursor(canvas.width() * 0.3, canvas.height() * 0.6);
    const QPointF before = PaperAt(canvas, cursor);
    const double width = canvas.view().Width();
    QWheelEvent wheel(cursor, canvas.mapToGlobal(cursor), QPoint(), QPoint(0, 240), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&canvas, &wheel);
    QVERIFY(canvas.view().Width() < width * 0.7);
    const QPointF after = PaperAt(canvas, cursor);
    QVERIFY(std::abs(after.x() - before.x()) < 1e-6);
    QVERIFY(std::abs(after.y() - before.y()) < 1e-6);
}

void ViewerTest::dragPansAndFKeyFitsAgain() {
    ViewerWindow window;
    window.show();
    QVERIFY(window.open(chart_));
    DrawingCanvas& canvas = *window.canvas();
    const tw::render::Box fitted = canvas.view();
    const double mmpp = fitted.Width() / canvas.width();
    QTest::mousePress(&canvas, Qt::LeftButton, {}, QPoint(100, 100));
    QMouseEvent move(QEvent::MouseMove, QPointF(150, 80), canvas.mapToGlobal(QPointF(150, 80)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&canvas, &move);
    QTest::mouseRelease(&canvas, Qt::LeftButton, {}, QPoint(150, 80));
    // Dragged right and up: the paper moves with the cursor.
    QVERIFY(std::abs(canvas.view().minX - (fitted.minX - 50 * mmpp)) < 1e-6);
    QVERIFY(std::abs(canvas.view().minY - (fitted.minY - 20 * mmpp)) < 1e-6);
    QTest::keyClick(&canvas, Qt::Key_F);
    QVERIFY(std::abs(canvas.view().minX - fitted.minX) < 1e-6);
    QVERIFY(std::abs(canvas.view().maxY - fitted.maxY) < 1e-6);
}

void ViewerTest::backgroundAndLayerSwitches() {
    ViewerWindow window;
    window.show();
    QVERIFY(window.open(chart_));
    DrawingCanvas& canvas = *window.canvas();
    window.blackBackground()->setChecked(true);
    QCOMPARE(canvas.grab().toImage().pixelColor(1, 1), QColor(Qt::black));
    const int64_t visited = canvas.lastReport().visited;
    // Group 0 holds every line of the chart.
    window.layers()->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    canvas.grab();
    QCOMPARE(canvas.lastReport().hidden, visited);
    QCOMPARE(canvas.lastReport().drawn, 0);
}

void ViewerTest::damagedFileShowsAMessage() {
    const QString bad = dir_.filePath(QStringLiteral("bad.jww"));
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("JwwData. and then nothing");
    file.close();
    ViewerWindow window;
    window.show();
    QVERIFY(window.open(chart_));
    QVERIFY(!window.open(bad));
    auto* box = window.findChild<QMessageBox*>();
    QVERIFY(box);
    QVERIFY(box->isVisible());
    QVERIFY(box->text().contains(QStringLiteral("bad.jww cannot be shown")));
    // The drawing shown before stays.
    window.canvas()->grab();
    QVERIFY(window.canvas()->lastReport().drawn > 0);
}

void ViewerTest::missingFileIsCalledMissing() {
    ViewerWindow window;
    window.show();
    QVERIFY(!window.open(dir_.filePath(QStringLiteral("nowhere.jww"))));
    QVERIFY(LastMessage(window).contains(QStringLiteral("does not exist")));
    QVERIFY(!LastMessage(window).contains(QStringLiteral("not a readable")));
}

void ViewerTest::panShowsTheLastPictureMovedThenDrawsSharply() {
    ViewerWindow window;
    window.show();
    QVERIFY(window.open(chart_));
    DrawingCanvas& canvas = *window.canvas();
    const QImage before = canvas.grab().toImage();
    const int64_t drawnBefore = canvas.lastReport().drawn;
    canvas.zoomAt(QPointF(0, 0), 2);  // twice as large about the top left corner
    canvas.panBy(QPointF(40, 25));
    const QImage moved = canvas.grab().toImage();
    // Each pixel of the moved picture shows the pixel of the last one that
    // maps to it: (x - 40) / 2, (y - 25) / 2.
    int compared = 0;
    for (int y = 60; y < canvas.height(); y += 37)
        for (int x = 60; x < canvas.width(); x += 41) {
            const QPoint from((x - 40) / 2, (y - 25) / 2);
            if (before.pixel(from) != before.pixel(from + QPoint(1, 1))) continue;  // an edge
            QCOMPARE(moved.pixel(x, y), before.pixel(from));
            ++compared;
        }
    QVERIFY(compared > 20);
    QCOMPARE(canvas.lastReport().drawn, drawnBefore);  // not drawn again yet
    // Once the user pauses the view is drawn again, sharply.
    const QImage sharpBefore = moved;
    QTRY_VERIFY_WITH_TIMEOUT(canvas.grab().toImage() != sharpBefore, 3000);
    ViewerWindow fresh;
    fresh.show();
    fresh.resize(window.size());
    QVERIFY(fresh.open(chart_));
    fresh.canvas()->zoomAt(QPointF(0, 0), 2);
    fresh.canvas()->panBy(QPointF(40, 25));
    QTRY_COMPARE_WITH_TIMEOUT(fresh.canvas()->grab().toImage(), canvas.grab().toImage(), 3000);
}

void ViewerTest::menusHoldTheirActions() {
    ViewerWindow window;
    const struct {
        const char* text;
        QKeySequence keys;
    } cases[] = {
        {"New Window", QKeySequence::New},
        {"Open…", QKeySequence::Open},
        {"Export DXF…", QKeySequence(QStringLiteral("Ctrl+E"))},
        {"Save As PDF, PNG or SVG…", QKeySequence::SaveAs},
        {"Print…", QKeySequence::Print},
        {"Close", QKeySequence::Close},
        {"Quit", QKeySequence::Quit},
        {"Fit drawing", QKeySequence(Qt::Key_F)},
        {"Zoom In", QKeySequence::ZoomIn},
        {"Zoom Out", QKeySequence::ZoomOut},
    };
    for (const auto& c : cases) {
        const QAction* action = ActionNamed(window, QString::fromUtf8(c.text));
        QVERIFY2(action, c.text);
        QCOMPARE(action->shortcut(), c.keys);
    }
    QVERIFY(window.open(chart_));
    const double before = window.canvas()->zoom();
    ActionNamed(window, QStringLiteral("Zoom In"))->trigger();
    QVERIFY(window.canvas()->zoom() > before);
    ActionNamed(window, QStringLiteral("Black Background"))->trigger();
    QVERIFY(window.canvas()->blackBackground());
    ActionNamed(window, QStringLiteral("Close"))->trigger();
    QCOMPARE(window.layers()->topLevelItemCount(), 0);
}

// New Window opens another viewer beside the first; each keeps its own
// drawing; Quit closes them all.
void ViewerTest::eachDrawingInAWindowOfItsOwn() {
    QPointer<ViewerWindow> first = ViewerWindow::openWindow(chart_);
    QVERIFY(first->isVisible());
    const QString chartTitle = first->windowTitle();
    ActionNamed(*first, QStringLiteral("New Window"))->trigger();
    QPointer<ViewerWindow> second;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* viewer = qobject_cast<ViewerWindow*>(widget); viewer && viewer != first)
            second = viewer;
    QVERIFY(second && second->isVisible());
    QCOMPARE(second->layers()->topLevelItemCount(), 0);
    QVERIFY(second->open(kShared + QStringLiteral("/Test1.jww")));
    QVERIFY(second->windowTitle().startsWith(QStringLiteral("Test1.jww")));
    QCOMPARE(first->windowTitle(), chartTitle);
    ActionNamed(*second, QStringLiteral("Quit"))->trigger();
    QTRY_VERIFY(first.isNull() && second.isNull());
}

// The window's own scroll bars (the layer panel has its own).
QScrollBar* BarOf(const ViewerWindow& window, Qt::Orientation orientation) {
    for (QScrollBar* bar : window.findChildren<QScrollBar*>(Qt::FindDirectChildrenOnly))
        if (bar->orientation() == orientation) return bar;
    return nullptr;
}

// Zoomed in, the bars span the sheet and what is drawn with the view as
// their page; moving a bar to an end brings that edge into view; a pan
// moves the bars.
void ViewerTest::scrollBarsFollowAndMoveTheView() {
    ViewerWindow window;
    window.show();
    QVERIFY(window.open(chart_));
    QScrollBar* horizontal = BarOf(window, Qt::Horizontal);
    QScrollBar* vertical = BarOf(window, Qt::Vertical);
    QVERIFY(horizontal && vertical);
    DrawingCanvas* canvas = window.canvas();
    canvas->zoomAt(QPointF(canvas->width() / 2.0, canvas->height() / 2.0), 4);
    QVERIFY(horizontal->maximum() > 0 && vertical->maximum() > 0);
    QVERIFY(std::abs(horizontal->pageStep() - canvas->width()) <= 1);
    const tw::render::Box area = canvas->scrollArea();
    const double pixel = 1 / canvas->zoom();

    horizontal->setValue(horizontal->minimum());
    QVERIFY(std::abs(canvas->view().minX - area.minX) <= 2 * pixel);
    vertical->setValue(vertical->maximum());
    QVERIFY(std::abs(canvas->view().minY - area.minY) <= 2 * pixel);

    const int before = horizontal->value();
    canvas->panBy(QPointF(-30, 0));  // the drawing moves left: the view right
    QCOMPARE(horizontal->value(), before + 30);
}

void ViewerTest::openRecentRemembersOpenedFiles() {
    const QString test1 = kShared + QStringLiteral("/Test1.jww");
    {
        ViewerWindow window;
        QVERIFY(window.open(chart_));
        QVERIFY(window.open(test1));
    }
    ViewerWindow window;
    QMenu* recent = nullptr;
    for (QMenu* menu : window.findChildren<QMenu*>())
        if (menu->title().remove(QLatin1Char('&')) == QStringLiteral("Open Recent")) recent = menu;
    QVERIFY(recent);
    emit recent->aboutToShow();
    const QList<QAction*> entries = recent->actions();
    QVERIFY(entries.size() >= 2);
    QCOMPARE(entries[0]->text(), QFileInfo(test1).absoluteFilePath());
    QCOMPARE(entries[1]->text(), QFileInfo(chart_).absoluteFilePath());
    entries[1]->trigger();
    QVERIFY(window.windowTitle().startsWith(QStringLiteral("chart.jww")));
}

void ViewerTest::exportAndSaveAsWriteWhatTheCommandLineWrites() {
    const QString input = kShared + QStringLiteral("/Test1.jww");
    ViewerWindow window;
    QVERIFY(window.open(input));
    const auto path = [this](const char* name) { return dir_.filePath(QString::fromUtf8(name)); };

    QVERIFY(window.exportDxf(path("window.dxf")));
    QCOMPARE(QProcess::execute(Cli(), {QStringLiteral("export"), input, path("cli.dxf")}), 0);
    QVERIFY(!Contents(path("cli.dxf")).isEmpty());
    QCOMPARE(Contents(path("window.dxf")), Contents(path("cli.dxf")));

    for (const char* ext : {"svg", "png"}) {
        const QString mine = path("window.") + QString::fromUtf8(ext);
        const QString theirs = path("cli.") + QString::fromUtf8(ext);
        QVERIFY(window.saveAs(mine));
        QVERIFY(!Run({QStringLiteral("render"), input, theirs}).isEmpty());
        QVERIFY(!Contents(theirs).isEmpty());
        QCOMPARE(Contents(mine), Contents(theirs));
    }
    // A refused output is reported, not passed over.
    QVERIFY(!window.saveAs(path("window.txt")));
    QVERIFY2(LastMessage(window).contains(QStringLiteral(".svg, .png or .pdf")),
             qPrintable(LastMessage(window)));
}

// What is on screen is written, not the file read again by its name: the
// file may have gone meanwhile. Saved as JWW in its own format, it is the
// file it came from.
void ViewerTest::exportAndSaveAsJwwWriteTheDrawingOnScreen() {
    const QString input = dir_.filePath(QStringLiteral("shown.jww"));
    QVERIFY(QFile::copy(kShared + QStringLiteral("/Test1.jww"), input));
    const QByteArray original = Contents(input);
    const tw::ShownDrawing same(std::filesystem::path(input.toStdU16String()));
    const std::vector<tw::cli::JwwFormat> formats = tw::cli::JwwFormats(same.Doc());
    ViewerWindow window;
    QVERIFY(window.open(input));
    QVERIFY(QFile::remove(input));
    const auto path = [this](const char* name) { return dir_.filePath(QString::fromUtf8(name)); };
    QVERIFY(window.exportDxf(path("gone.dxf")));
    QVERIFY(Contents(path("gone.dxf")).startsWith("  0\nSECTION") ||
            Contents(path("gone.dxf")).startsWith("0\nSECTION"));
    QVERIFY(window.saveAsJww(path("again.jww"), formats.front()));
    QCOMPARE(Contents(path("again.jww")), original);
}

void ViewerTest::printsToAPdfPrinter() {
    const QString input = kShared + QStringLiteral("/Test1.jww");
    ViewerWindow window;
    QVERIFY(window.open(input));
    const QString pdf = dir_.filePath(QStringLiteral("printed.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QVERIFY(window.print(printer));
    QVERIFY(Contents(pdf).startsWith("%PDF"));
    // The page is the drawing's sheet, at its own size.
    const tw::ShownDrawing drawing(std::filesystem::path(input.toStdU16String()));
    const tw::render::Box sheet = tw::render::ViewOf(drawing.Doc(), tw::render::RenderOptions{});
    const QSizeF page = printer.pageLayout().fullRect(QPageLayout::Millimeter).size();
    QVERIFY(std::abs(page.width() - sheet.Width()) < 1);
    QVERIFY(std::abs(page.height() - sheet.Height()) < 1);
}

void ViewerTest::statusLineShowsPaperAndRealMillimetres() {
    // The first line of Test1.jww starts at (-96.32, -150.10) mm on paper;
    // its group 0 is drawn at 1:100.
    ViewerWindow window;
    window.show();
    QVERIFY(window.open(kShared + QStringLiteral("/Test1.jww")));
    DrawingCanvas& canvas = *window.canvas();
    const QPoint pixel = PixelOf(canvas, -96.324, -150.100).toPoint();
    QTest::mouseMove(&canvas, pixel);
    const QRegularExpressionMatch m =
        QRegularExpression(
            QStringLiteral("(\\S+), (\\S+) mm on paper +(\\S+), (\\S+) mm real \\(1:100\\)"))
            .match(window.status());
    QVERIFY2(m.hasMatch(), qPrintable(window.status()));
    const double pixelMm = 1 / canvas.zoom();
    QVERIFY(std::abs(m.captured(1).toDouble() - -96.324) <= pixelMm);
    QVERIFY(std::abs(m.captured(2).toDouble() - -150.100) <= pixelMm);
    QVERIFY(std::abs(m.captured(3).toDouble() - -9632.4) <= 100 * pixelMm);
    QVERIFY(std::abs(m.captured(4).toDouble() - -15010.0) <= 100 * pixelMm);
}

void ViewerTest::layerPanelCountsAgreeWithDump() {
    const QString input = kShared + QStringLiteral("/Test1.jww");
    const QJsonArray layers =
        QJsonDocument::fromJson(Run({QStringLiteral("dump"), QStringLiteral("--json"), input}))
            .object()[QStringLiteral("layers")]
            .toArray();
    QCOMPARE(layers.size(), 256);
    ViewerWindow window;
    QVERIFY(window.open(input));
    for (const QJsonValue& value : layers) {
        const QJsonObject layer = value.toObject();
        const QTreeWidgetItem* item = window.layers()
                                          ->topLevelItem(layer[QStringLiteral("group")].toInt())
                                          ->child(layer[QStringLiteral("layer")].toInt());
        const QString count =
            QStringLiteral("(%1)").arg(layer[QStringLiteral("entities")].toInteger());
        QVERIFY2(item->text(0).endsWith(count),
                 qPrintable(item->text(0) + QStringLiteral(" ") + count));
    }
}

void ViewerTest::printViewLeavesOutWhatDoesNotPrint() {
    // A line in pen 2 and one in the auxiliary colour 9, shown on screen only.
    tw::TJwwData doc;
    doc.DataDefaultSet();
    constexpr int32_t kPen = 2, kSolid = 1;
    QVERIFY(doc.AddEntLine(0, 0, 0, kPen, kSolid, 0, 0, -50, 0, 50, 0));
    QVERIFY(doc.AddEntLine(0, 0, 0, tw::rules::kAuxiliaryPen, kSolid, 0, 0, -50, 20, 50, 20));
    ViewerWindow window;
    window.show();
    DrawingCanvas& canvas = *window.canvas();
    canvas.setDrawing(&doc);
    QAction* printView = ActionNamed(window, QStringLiteral("Print View"));
    QVERIFY(printView);
    QVERIFY(printView->isCheckable());
    QCOMPARE(printView->shortcut(), QKeySequence(QStringLiteral("Ctrl+Shift+P")));

    const auto shows = [&canvas](double y) {
        return InkNear(canvas.grab().toImage(), PixelOf(canvas, 0, y).toPoint());
    };
    QVERIFY(shows(0));
    QVERIFY(shows(20));
    QCOMPARE(canvas.lastReport().drawn, 2);
    printView->trigger();
    QVERIFY(canvas.printView());
    QVERIFY(shows(0));
    QVERIFY(!shows(20));
    QCOMPARE(canvas.lastReport().drawn, 1);
    QCOMPARE(canvas.lastReport().leftOut, 1);
    printView->trigger();  // back to the screen
    QVERIFY(shows(20));
}

void ViewerTest::fitSheetShowsTheSheetAndFollowsResizes() {
    const QString input = kShared + QStringLiteral("/Test1.jww");
    ViewerWindow window;
    window.show();
    QVERIFY(window.open(input));
    DrawingCanvas& canvas = *window.canvas();
    QAction* fitSheet = ActionNamed(window, QStringLiteral("Fit sheet"));
    QVERIFY(fitSheet);
    QCOMPARE(fitSheet->shortcut(), QKeySequence(Qt::Key_S));
    const tw::ShownDrawing drawing(std::filesystem::path(input.toStdU16String()));
    const tw::render::Box sheet = tw::render::ViewOf(drawing.Doc(), tw::render::RenderOptions{});
    const auto holdsTheSheetTightly = [&canvas, &sheet] {
        const tw::render::Box v = canvas.view();
        const double pixel = 1 / canvas.zoom();
        const bool holds = v.minX <= sheet.minX + 1e-6 && v.maxX >= sheet.maxX - 1e-6 &&
                           v.minY <= sheet.minY + 1e-6 && v.maxY >= sheet.maxY - 1e-6;
        // The sheet's width or height spans the canvas.
        const bool tight = std::abs(v.Width() - sheet.Width()) < pixel ||
                           std::abs(v.Height() - sheet.Height()) < pixel;
        return holds && tight;
    };
    canvas.zoomAt(QPointF(10, 10), 3);
    QVERIFY(!holdsTheSheetTightly());
    fitSheet->trigger();
    QVERIFY(holdsTheSheetTightly());
    const int width = canvas.width();
    window.resize(window.width() + 200, window.height() - 100);
    QTRY_VERIFY(canvas.width() != width);
    QVERIFY(holdsTheSheetTightly());
    // Zooming or panning ends the fit: a resize then keeps the scale.
    canvas.panBy(QPointF(30, 0));
    const double zoom = canvas.zoom();
    window.resize(window.width() - 200, window.height() + 100);
    QTRY_VERIFY(canvas.width() == width);
    QCOMPARE(canvas.zoom(), zoom);
    QVERIFY(!holdsTheSheetTightly());
}

QTEST_MAIN(ViewerTest)
#include "viewer_test.moc"
