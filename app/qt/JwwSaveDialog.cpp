#include "JwwSaveDialog.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace tw::qt {

JwwSaveDialog::JwwSaveDialog(QWidget* parent) : QFileDialog(parent) {
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    setNameFilter(QStringLiteral("*.jww (*.jww)"));
    setDefaultSuffix(QStringLiteral("jww"));
    setOption(QFileDialog::DontConfirmOverwrite, false);
    setSizeGripEnabled(true);
}

bool JwwSaveDialog::FolderExists(const QString& file) {
    return QFileInfo(file).absoluteDir().exists();
}

void JwwSaveDialog::accept() {
    const QStringList files = selectedFiles();
    if (!files.isEmpty() && !QFileInfo(files.first()).isDir() && !FolderExists(files.first())) {
        QMessageBox::warning(
            this, windowTitle(),
            tr("The folder does not exist:\n%1")
                .arg(QDir::toNativeSeparators(QFileInfo(files.first()).absolutePath())));
        return;
    }
    QFileDialog::accept();
}

}  // namespace tw::qt
