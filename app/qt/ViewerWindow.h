// The read-only viewer: a drawing drawn by the renderer, a background switch,
// a fit button and the layer groups and layers with visibility toggles. A
// .jww dropped onto the window is opened in place of the shown one; a file
// that cannot be read leaves the window as it was and says why in a message
// box that does not block.
#pragma once

#include <QWidget>
#include <memory>

#include "app/ShownDrawing.h"

class QCheckBox;
class QMessageBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace tw::qt {

class DrawingCanvas;

class ViewerWindow : public QWidget {
    Q_OBJECT

  public:
    explicit ViewerWindow(QWidget* parent = nullptr);
    ~ViewerWindow() override;

    // True when the file was read and is shown.
    bool open(const QString& file);

    DrawingCanvas* canvas() const { return canvas_; }
    QTreeWidget* layers() const { return layers_; }
    QCheckBox* blackBackground() const { return black_; }

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void fillLayers();
    void layerToggled(QTreeWidgetItem* item);

    std::unique_ptr<ShownDrawing> drawing_;
    DrawingCanvas* canvas_;
    QTreeWidget* layers_;
    QCheckBox* black_;
};

}  // namespace tw::qt
