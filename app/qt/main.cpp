// tintwright: the window.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>

#include "MainWindow.h"
#include "TwVersion.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(TW_VERSION_TEXT);

    QCommandLineParser options;
    options.setApplicationDescription(
        "Tintwright: writes a colour-chart test drawing for Jw_cad as a JWW file.");
    options.addHelpOption();
    options.addVersionOption();
    // The desktop entry hands over the drawing the user opened; the window
    // does not show drawings, so it starts as it would without one.
    options.addPositionalArgument("FILE", "JWW drawing to open (not shown yet)", "[FILE]");
    options.process(app);

    tw::qt::MainWindow window(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
    window.show();
    return app.exec();
}
