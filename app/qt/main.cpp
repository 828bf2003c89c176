// tintwright: the window.
#include <QApplication>
#include <QDir>

#include "MainWindow.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    tw::qt::MainWindow window(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
    window.show();
    return app.exec();
}
