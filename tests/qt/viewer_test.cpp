// The viewer under the offscreen platform: it opens the chart and shows its
// colours, zooms around the cursor, pans, fits again with F, switches the
// background and layers, and answers a damaged file with a message.
#include <QCheckBox>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

#include "DrawingCanvas.h"
#include "ViewerWindow.h"
#include "document/DrawingRules.h"
#include "jww/Reader.h"

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

  private:
    QTemporaryDir dir_;
    QString chart_;
};

void ViewerTest::initTestCase() {
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

QTEST_MAIN(ViewerTest)
#include "viewer_test.moc"
