#include "ViewerWindow.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <sstream>

#include <tintwright/render/QtBackend.h>
#include <tintwright/util/Func_2.h>
#include "DrawingCanvas.h"
#include "ViewScrollBars.h"
#include "app/ExportShown.h"
#include "app/LayerRows.h"
#include "app/RecentFiles.h"
#include "app/ViewerStatus.h"
#include "app/cli/RenderCommand.h"
#include "app/cli/SaveAsJww.h"

namespace tw::qt {

namespace {

constexpr int kIndexRole = Qt::UserRole;  // group, or group x 16 + layer for a layer

QString LocalJwwOf(const QMimeData* mime) {
    if (!mime->hasUrls() || mime->urls().size() != 1) return {};
    const QString file = mime->urls().front().toLocalFile();
    return file.endsWith(QStringLiteral(".jww"), Qt::CaseInsensitive) ? file : QString();
}

const QString kRecentKey = QStringLiteral("viewer/recent");
constexpr double kZoomStep = 1.25;

QStringList RecentFiles() {
    return QSettings().value(kRecentKey).toStringList();
}

void RememberRecent(const QString& file) {
    std::vector<std::u16string> files;
    for (const QString& name : RecentFiles())
        files.push_back(name.toStdU16String());
    QStringList kept;
    for (const std::u16string& name : WithRecent(std::move(files), file.toStdU16String()))
        kept.append(QString::fromStdU16String(name));
    QSettings().setValue(kRecentKey, kept);
}

std::string Utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

void ShowMessage(QWidget* parent, const QString& text) {
    auto* box =
        new QMessageBox(QMessageBox::Warning, parent->windowTitle(), text, QMessageBox::Ok, parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

}  // namespace

ViewerWindow::ViewerWindow(QWidget* parent)
    : QWidget(parent),
      canvas_(new DrawingCanvas(this)),
      layers_(new QTreeWidget(this)),
      black_(new QCheckBox(QStringLiteral("Black background"), this)),
      status_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Tintwright viewer"));
    setAcceptDrops(true);
    resize(1000, 700);

    layers_->setHeaderLabel(QStringLiteral("Layer groups and layers"));
    layers_->setMaximumWidth(240);
    auto* fit = new QPushButton(QStringLiteral("Fit (F)"), this);

    auto* bar = new QHBoxLayout;
    bar->addWidget(fit);
    bar->addWidget(black_);
    bar->addStretch();
    auto* horizontal = new QScrollBar(Qt::Horizontal, this);
    auto* vertical = new QScrollBar(Qt::Vertical, this);
    new ViewScrollBars(canvas_, horizontal, vertical);
    auto* scrolled = new QGridLayout;
    scrolled->setSpacing(0);
    scrolled->addWidget(canvas_, 0, 0);
    scrolled->addWidget(vertical, 0, 1);
    scrolled->addWidget(horizontal, 1, 0);
    auto* body = new QHBoxLayout;
    body->addWidget(layers_);
    body->addLayout(scrolled, 1);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(bar);
    whole->addLayout(body, 1);
    whole->addWidget(status_);
    buildMenus();

    connect(fit, &QPushButton::clicked, canvas_, &DrawingCanvas::fit);
    connect(black_, &QCheckBox::toggled, canvas_, &DrawingCanvas::setBlackBackground);
    connect(layers_, &QTreeWidget::itemChanged, this, &ViewerWindow::layerToggled);
    connect(canvas_, &DrawingCanvas::cursorMoved, this, &ViewerWindow::cursorMoved);
}

void ViewerWindow::buildMenus() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    // Several drawings side by side: each in a window of its own.
    file->addAction(QStringLiteral("&New Window"), QKeySequence::New, this,
                    [] { ViewerWindow::openWindow(); });
    file->addAction(QStringLiteral("&Open…"), QKeySequence::Open, this, [this] {
        const QString name = QFileDialog::getOpenFileName(
            this, QStringLiteral("Open drawing"), {}, QStringLiteral("Jw_cad drawings (*.jww)"));
        if (!name.isEmpty()) open(name);
    });
    recent_ = file->addMenu(QStringLiteral("Open &Recent"));
    connect(recent_, &QMenu::aboutToShow, this, &ViewerWindow::fillRecent);
    fillRecent();
    file->addSeparator();
    file->addAction(
        QStringLiteral("&Export DXF…"), QKeySequence(QStringLiteral("Ctrl+E")), this, [this] {
            const QString name = QFileDialog::getSaveFileName(
                this, QStringLiteral("Export DXF"), {}, QStringLiteral("DXF drawings (*.dxf)"));
            if (!name.isEmpty()) exportDxf(name);
        });
    file->addAction(
        QStringLiteral("Save as &JWW…"), QKeySequence(QStringLiteral("Ctrl+Shift+J")), this,
        [this] {
            if (!drawing_) return;
            const std::vector<cli::JwwFormat> formats = cli::JwwFormats(drawing_->Doc());
            QStringList filters;
            for (const cli::JwwFormat& f : formats)
                filters.append(QString::fromStdString(f.label) + " (*.jww)");
            QString chosen = filters.front();
            QString name = QFileDialog::getSaveFileName(this, QStringLiteral("Save as JWW"), {},
                                                        filters.join(";;"), &chosen);
            if (name.isEmpty()) return;
            if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".jww");
            saveAsJww(
                name,
                formats[static_cast<size_t>(std::max<qsizetype>(0, filters.indexOf(chosen)))]);
        });
    file->addAction(QStringLiteral("Save &As PDF, PNG or SVG…"), QKeySequence::SaveAs, this,
                    [this] {
                        const QString name = QFileDialog::getSaveFileName(
                            this, QStringLiteral("Save as"), {},
                            QStringLiteral("PDF (*.pdf);;PNG image (*.png);;SVG image (*.svg)"));
                        if (!name.isEmpty()) saveAs(name);
                    });
    file->addAction(QStringLiteral("&Print…"), QKeySequence::Print, this, [this] {
        QPrinter printer(QPrinter::HighResolution);
        QPrintDialog dialog(&printer, this);
        if (dialog.exec() == QDialog::Accepted) print(printer);
    });
    file->addSeparator();
    file->addAction(QStringLiteral("&Close"), QKeySequence::Close, this,
                    &ViewerWindow::closeDrawing);
    file->addAction(QStringLiteral("&Quit"), QKeySequence::Quit, this,
                    &QApplication::closeAllWindows);

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    view->addAction(QStringLiteral("&Fit drawing"), QKeySequence(Qt::Key_F), canvas_,
                    &DrawingCanvas::fit);
    view->addAction(QStringLiteral("Fit &sheet"), QKeySequence(Qt::Key_S), canvas_,
                    &DrawingCanvas::fitSheet);
    const auto zoomBy = [this](double factor) {
        canvas_->zoomAt(QPointF(canvas_->width() / 2.0, canvas_->height() / 2.0), factor);
    };
    view->addAction(QStringLiteral("Zoom &In"), QKeySequence::ZoomIn, this,
                    [zoomBy] { zoomBy(kZoomStep); });
    view->addAction(QStringLiteral("Zoom &Out"), QKeySequence::ZoomOut, this,
                    [zoomBy] { zoomBy(1 / kZoomStep); });
    view->addSeparator();
    QAction* print = view->addAction(QStringLiteral("&Print View"));
    print->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+P")));
    print->setCheckable(true);
    connect(print, &QAction::toggled, canvas_, &DrawingCanvas::setPrintView);
    QAction* black = view->addAction(QStringLiteral("&Black Background"));
    black->setCheckable(true);
    connect(black, &QAction::toggled, black_, &QCheckBox::setChecked);
    connect(black_, &QCheckBox::toggled, black, &QAction::setChecked);
}

void ViewerWindow::fillRecent() {
    recent_->clear();
    for (const QString& name : RecentFiles())
        recent_->addAction(name, this, [this, name] { open(name); });
    recent_->setEnabled(!recent_->isEmpty());
}

bool ViewerWindow::reportCommand(int exitCode, const std::string& reason) {
    if (exitCode != 0) ShowMessage(this, QString::fromStdString(reason).trimmed());
    return exitCode == 0;
}

bool ViewerWindow::exportDxf(const QString& target) {
    if (!drawing_) return false;
    const std::filesystem::path file(target.toStdU16String());
    const auto replaceImages = [&] {
        const QString folder = QString::fromStdU16String(file.stem().u16string()) + "_images";
        return QMessageBox::question(
                   this, QStringLiteral("Export DXF"),
                   QStringLiteral("The folder %1 beside the file already holds images of the "
                                  "same names. Replace them?")
                       .arg(folder)) == QMessageBox::Yes;
    };
    const std::string reason = ExportShown(drawing_->Doc(), file, replaceImages);
    return reportCommand(reason.empty() ? 0 : 1, reason);
}

bool ViewerWindow::saveAsJww(const QString& target, const cli::JwwFormat& format) {
    if (!drawing_) return false;
    const cli::JwwSaved outcome =
        cli::SaveAsJww(drawing_->Doc(), std::filesystem::path(target.toStdU16String()), format);
    if (!outcome.said.empty()) ShowMessage(this, QString::fromStdString(outcome.said));
    return outcome.saved;
}

bool ViewerWindow::saveAs(const QString& target) {
    if (!drawing_) return false;
    cli::RenderCommandOptions options;
    options.force = true;
    std::ostringstream out;
    std::ostringstream err;
    const int exitCode = cli::RunRender(Utf8(file_), Utf8(target), options, out, err);
    return reportCommand(exitCode, err.str());
}

bool ViewerWindow::print(QPrinter& printer) {
    if (!drawing_) return false;
    render::RenderOptions options;
    options.fit = render::Fit::Paper;
    options.print = true;
    options.visibility = canvas_->visibility();
    const render::Box sheet = render::ViewOf(drawing_->Doc(), options);
    printer.setFullPage(true);
    printer.setPageLayout(
        QPageLayout(QPageSize(QSizeF(sheet.Width(), sheet.Height()), QPageSize::Millimeter),
                    QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&printer)) {
        ShowMessage(this, QStringLiteral("The printer could not start."));
        return false;
    }
    const QRectF page = printer.pageLayout().fullRectPixels(printer.resolution());
    render::QtBackend backend(painter, QRectF(0, 0, page.width(), page.height()));
    options.view = sheet;
    render::Render(drawing_->Doc(), options, backend);
    return painter.end();
}

void ViewerWindow::closeDrawing() {
    canvas_->setDrawing(nullptr);
    drawing_.reset();
    file_.clear();
    layers_->clear();
    setWindowTitle(QStringLiteral("Tintwright viewer"));
}

void ViewerWindow::cursorMoved(const QPointF& paper) {
    status_->setText(QString::fromStdString(ViewerStatus(
        {paper.x(), paper.y()}, drawing_ ? &drawing_->Doc() : nullptr, canvas_->zoom())));
}

QString ViewerWindow::status() const {
    return status_->text();
}

ViewerWindow::~ViewerWindow() = default;

ViewerWindow* ViewerWindow::openWindow(const QString& file) {
    auto* window = new ViewerWindow;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
    if (!file.isEmpty()) window->open(file);
    return window;
}

bool ViewerWindow::open(const QString& file) {
    if (!QFileInfo::exists(file)) {
        ShowMessage(this, QStringLiteral("%1 cannot be shown: the file does not exist.").arg(file));
        return false;
    }
    try {
        auto drawing = std::make_unique<ShownDrawing>(std::filesystem::path(file.toStdU16String()));
        canvas_->setDrawing(&drawing->Doc());
        drawing_ = std::move(drawing);
    } catch (const UnreadableDrawing& e) {
        ShowMessage(this, QStringLiteral("%1 cannot be shown: it is not a readable JWW "
                                         "drawing (%2).")
                              .arg(QFileInfo(file).fileName(), QString::fromUtf8(e.what())));
        return false;
    }
    file_ = QFileInfo(file).absoluteFilePath();
    RememberRecent(file_);
    setWindowTitle(QFileInfo(file).fileName() + QStringLiteral(" - Tintwright viewer"));
    fillLayers();
    return true;
}

void ViewerWindow::fillLayers() {
    const QSignalBlocker quiet(layers_);
    layers_->clear();
    const LayerPanelRows rows = LayerRowsOf(drawing_->Doc(), canvas_->visibility());
    const auto add = [](QTreeWidgetItem* item, const LayerRow& row, int index) {
        item->setText(0, QString::fromStdU16String(row.label));
        item->setData(0, kIndexRole, index);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, row.shown ? Qt::Checked : Qt::Unchecked);
    };
    for (int g = 0; g < static_cast<int>(rows.size()); ++g) {
        auto* group = new QTreeWidgetItem(layers_);
        add(group, rows[g].group, g);
        for (int l = 0; l < static_cast<int>(rows[g].layers.size()); ++l)
            add(new QTreeWidgetItem(group), rows[g].layers[l], g * render::Visibility::kGroups + l);
    }
}

void ViewerWindow::layerToggled(QTreeWidgetItem*) {
    render::Visibility shown;
    for (int g = 0; g < layers_->topLevelItemCount(); ++g) {
        const QTreeWidgetItem* group = layers_->topLevelItem(g);
        shown.groups[g] = group->checkState(0) == Qt::Checked;
        for (int l = 0; l < group->childCount(); ++l) {
            const QTreeWidgetItem* layer = group->child(l);
            shown.layers[layer->data(0, kIndexRole).toInt()] = layer->checkState(0) == Qt::Checked;
        }
    }
    canvas_->setVisibility(shown);
}

void ViewerWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!LocalJwwOf(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void ViewerWindow::dropEvent(QDropEvent* event) {
    const QString file = LocalJwwOf(event->mimeData());
    if (file.isEmpty()) return;
    event->acceptProposedAction();
    open(file);
}

}  // namespace tw::qt
