// tintwright: the window, or with "view FILE..." the read-only viewer, a window per drawing.
// "view FILE --grab OUT.png" writes a picture of the viewer instead of
// staying open (the README's screenshot is made so, offscreen).
#include <QApplication>
#include <QBuffer>
#include <QCommandLineParser>
#include <QDir>
#include <iostream>

#include <tintwright/util/OutputFile.h>
#include "MainWindow.h"
#include "TwVersion.h"
#include "ViewerWindow.h"

namespace {

int Grab(QWidget& window, const QString& file) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!window.grab().toImage().save(&buffer, "PNG")) {
        std::cerr << "the PNG encoder failed\n";
        return 1;
    }
    try {
        tw::WriteOutputFile(std::filesystem::path(file.toStdU16String()), bytes.toStdString(),
                            true);
    } catch (const tw::OutputRefused& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationVersion(TW_VERSION_TEXT);

    QCommandLineParser options;
    options.setApplicationDescription(
        "Tintwright: writes a colour-chart test drawing for Jw_cad as a JWW file; "
        "with a drawing (or \"view FILE\") shows it read-only.");
    options.addHelpOption();
    options.addVersionOption();
    options.addPositionalArgument("FILE", "JWW drawing to show in the viewer", "[view] [FILE...]");
    const QCommandLineOption grab("grab", "Write a picture of the viewer to OUT.png and quit",
                                  "OUT.png");
    options.addOption(grab);
    options.process(app);

    // The desktop entry hands over the drawing the user opened.
    QStringList files = options.positionalArguments();
    if (!files.isEmpty() && files.front() == QStringLiteral("view")) files.pop_front();
    if (options.isSet(grab)) {
        if (files.size() != 1) options.showHelp(2);
        tw::qt::ViewerWindow viewer;
        viewer.show();
        return viewer.open(files.front()) ? Grab(viewer, options.value(grab)) : 1;
    }
    if (!files.isEmpty()) {
        for (const QString& file : files)
            tw::qt::ViewerWindow::openWindow(file);
        return app.exec();
    }
    tw::qt::MainWindow window(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
    window.show();
    return app.exec();
}
