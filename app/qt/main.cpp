// tintwright: the window, or with "view FILE" the read-only viewer.
// "view FILE --grab OUT.png" writes a picture of the viewer instead of
// staying open (the README's screenshot is made so, offscreen).
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <iostream>

#include "MainWindow.h"
#include "ViewerWindow.h"
#include "app/OutputFile.h"

namespace {

int Grab(QWidget& window, const QString& file) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    window.grab().toImage().save(&buffer, "PNG");
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
    const QStringList args = QCoreApplication::arguments();
    if (args.size() >= 3 && args[1] == QStringLiteral("view")) {
        tw::qt::ViewerWindow viewer;
        viewer.show();
        const bool opened = viewer.open(args[2]);
        if (args.size() == 5 && args[3] == QStringLiteral("--grab"))
            return opened ? Grab(viewer, args[4]) : 1;
        return app.exec();
    }
    tw::qt::MainWindow window(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
    window.show();
    return app.exec();
}
