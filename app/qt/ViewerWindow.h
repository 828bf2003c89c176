// The read-only viewer: a drawing drawn by the renderer, a File menu (open,
// recent files, export and save-as through the command line's own commands,
// print), a View menu (fit, zoom, background), the layer groups and layers
// with their entity counts and visibility toggles, and a status line with
// the cursor's paper position and the zoom. A .jww dropped onto the window
// is opened in place of the shown one; a file that cannot be read leaves the
// window as it was and says why in a message box that does not block.
#pragma once

#include <QWidget>
#include <memory>

#include "app/ShownDrawing.h"
#include "app/cli/SaveAsJww.h"

class QCheckBox;
class QLabel;
class QMenu;
class QPrinter;
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

    // A new window, shown, deleted when closed; with a file, showing it (a
    // file that cannot be read is said so in the window).
    static ViewerWindow* openWindow(const QString& file = {});

    // True when the file was read and is shown.
    bool open(const QString& file);
    // The shown drawing written as the command line's "export" and "render"
    // (format from the extension) write it; true when written.
    bool exportDxf(const QString& target);
    bool saveAs(const QString& target);
    // The drawing on screen as a JWW file in that version and text code.
    bool saveAsJww(const QString& target, const cli::JwwFormat& format);
    // The sheet at the drawing's scale, in print colours; true when printed.
    bool print(QPrinter& printer);
    // The status line's text.
    QString status() const;

    DrawingCanvas* canvas() const { return canvas_; }
    QTreeWidget* layers() const { return layers_; }
    QCheckBox* blackBackground() const { return black_; }

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void buildMenus();
    void fillLayers();
    void fillRecent();
    void layerToggled(QTreeWidgetItem* item);
    void cursorMoved(const QPointF& paper);
    void closeDrawing();
    // Shows a failed command's reason; true when the command succeeded.
    bool reportCommand(int exitCode, const std::string& reason);

    std::unique_ptr<ShownDrawing> drawing_;
    QString file_;
    QMenu* recent_ = nullptr;
    DrawingCanvas* canvas_;
    QTreeWidget* layers_;
    QCheckBox* black_;
    QLabel* status_;
};

}  // namespace tw::qt
