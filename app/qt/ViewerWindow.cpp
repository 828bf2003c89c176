#include "ViewerWindow.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "DrawingCanvas.h"
#include "util/Func_2.h"

namespace tw::qt {

namespace {

constexpr int kIndexRole = Qt::UserRole;  // group, or group x 16 + layer for a layer

QString LocalJwwOf(const QMimeData* mime) {
    if (!mime->hasUrls() || mime->urls().size() != 1) return {};
    const QString file = mime->urls().front().toLocalFile();
    return file.endsWith(QStringLiteral(".jww"), Qt::CaseInsensitive) ? file : QString();
}

QString NameOf(int number, const std::u16string& name) {
    return QString::number(number, 16).toUpper() +
           (name.empty() ? QString() : QStringLiteral(" ") + QString::fromStdU16String(name));
}

}  // namespace

ViewerWindow::ViewerWindow(QWidget* parent)
    : QWidget(parent),
      canvas_(new DrawingCanvas(this)),
      layers_(new QTreeWidget(this)),
      black_(new QCheckBox(QStringLiteral("Black background"), this)) {
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
    auto* body = new QHBoxLayout;
    body->addWidget(layers_);
    body->addWidget(canvas_, 1);
    auto* whole = new QVBoxLayout(this);
    whole->addLayout(bar);
    whole->addLayout(body, 1);

    connect(fit, &QPushButton::clicked, canvas_, &DrawingCanvas::fit);
    connect(black_, &QCheckBox::toggled, canvas_, &DrawingCanvas::setBlackBackground);
    connect(layers_, &QTreeWidget::itemChanged, this, &ViewerWindow::layerToggled);
}

ViewerWindow::~ViewerWindow() = default;

bool ViewerWindow::open(const QString& file) {
    try {
        auto drawing = std::make_unique<ShownDrawing>(std::filesystem::path(file.toStdU16String()));
        canvas_->setDrawing(&drawing->Doc());
        drawing_ = std::move(drawing);
    } catch (const UnreadableDrawing& e) {
        auto* box =
            new QMessageBox(QMessageBox::Warning, windowTitle(),
                            QStringLiteral("%1 cannot be shown: it is not a readable JWW "
                                           "drawing (%2).")
                                .arg(QFileInfo(file).fileName(), QString::fromUtf8(e.what())),
                            QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
        return false;
    }
    setWindowTitle(QFileInfo(file).fileName() + QStringLiteral(" - Tintwright viewer"));
    fillLayers();
    return true;
}

void ViewerWindow::fillLayers() {
    const QSignalBlocker quiet(layers_);
    layers_->clear();
    const TJwwData& doc = drawing_->Doc();
    const render::Visibility shown = render::Visibility::Of(doc);
    constexpr int n = render::Visibility::kGroups;
    for (int g = 0; g < n; ++g) {
        const std::u16string groupName =
            static_cast<size_t>(g) < doc.EntLgrp.size() ? doc.EntLgrp[g].aStrGLayName : u"";
        auto* group = new QTreeWidgetItem(layers_, {NameOf(g, groupName)});
        group->setData(0, kIndexRole, g);
        group->setFlags(group->flags() | Qt::ItemIsUserCheckable);
        group->setCheckState(0, shown.groups[g] ? Qt::Checked : Qt::Unchecked);
        for (int l = 0; l < n; ++l) {
            const int index = g * n + l;
            const std::u16string layerName = static_cast<size_t>(index) < doc.EntLay.size()
                                                 ? doc.EntLay[index].aStrLayName
                                                 : u"";
            auto* layer = new QTreeWidgetItem(group, {NameOf(l, layerName)});
            layer->setData(0, kIndexRole, index);
            layer->setFlags(layer->flags() | Qt::ItemIsUserCheckable);
            layer->setCheckState(0, shown.layers[index] ? Qt::Checked : Qt::Unchecked);
        }
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
