// SaveDialog1: the save-file dialog of the window. One filter entry "*.jww",
// default extension "jww", asks before overwriting, and accepts only a file
// in a folder that exists.
#pragma once

#include <QFileDialog>

namespace tw::qt {

class JwwSaveDialog : public QFileDialog {
    Q_OBJECT

  public:
    explicit JwwSaveDialog(QWidget* parent);

    // True when the folder that would hold file exists.
    static bool FolderExists(const QString& file);

  protected:
    void accept() override;
};

}  // namespace tw::qt
