#include "MainWindow.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <array>

#include "JwwSaveDialog.h"
#include "app/ChartWindowLayout.h"

namespace tw::qt {

namespace {

using namespace chartwindow;

std::optional<QString> RunSaveDialog(QWidget* parent) {
    JwwSaveDialog dialog(parent);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return QDir::toNativeSeparators(dialog.selectedFiles().first());
}

void ShowMessageBox(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, parent->windowTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

// A font with Japanese glyphs, the first one the system has.
QFont JapaneseFont() {
    QFont font;
    font.setFamilies({QStringLiteral("IPAPGothic"), QStringLiteral("IPAGothic"),
                      QStringLiteral("Yu Gothic UI"), QStringLiteral("Meiryo UI"),
                      QStringLiteral("MS UI Gothic")});
    font.setPixelSize(11);
    return font;
}

}  // namespace

MainWindow::MainWindow(const QString& exePath, QWidget* parent)
    : QWidget(parent),
      form_(static_cast<TFormUi&>(*this)),
      exePath_(exePath),
      saveDialog_(RunSaveDialog),
      messageSink_(ShowMessageBox) {
    setWindowTitle(QStringLiteral("Tintwright"));
    setFont(JapaneseFont());
    setFixedSize(kClientWidth, kClientHeight);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);

    Label1 = new QLabel(
        QStringLiteral("このプログラムは色設定を行ったJWWファイルを作成するテストプログラムです"),
        this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(0, 0, kClientWidth, 33);

    RadioButton1 = new QRadioButton(QStringLiteral("AutoCAD-DXF風Color"), this);
    RadioButton1->setObjectName(QStringLiteral("RadioButton1"));
    RadioButton1->setGeometry(8, 40, 185, 19);
    RadioButton2 = new QRadioButton(QStringLiteral("Mix Color"), this);
    RadioButton2->setObjectName(QStringLiteral("RadioButton2"));
    RadioButton2->setGeometry(8, 64, 120, 19);
    RadioButton3 = new QRadioButton(QStringLiteral("Grad Color"), this);
    RadioButton3->setObjectName(QStringLiteral("RadioButton3"));
    RadioButton3->setGeometry(8, 88, 120, 19);
    palettes_ = new QButtonGroup(this);
    palettes_->addButton(RadioButton1, static_cast<int>(TPalette::Dxf));
    palettes_->addButton(RadioButton2, static_cast<int>(TPalette::Mix));
    palettes_->addButton(RadioButton3, static_cast<int>(TPalette::Grad));
    RadioButton1->setChecked(true);

    Label2 = new QLabel(QStringLiteral("バージョン："), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(8, 112, 56, 18);
    Label2->adjustSize();  // sized to its text
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("4.20"), QStringLiteral("6.00"), QStringLiteral("7.00")});
    ComboBox1->setCurrentIndex(kStartVersionIndex);
    ComboBox1->setGeometry(72, 112, 81, 22);

    Label3 = new QLabel(QStringLiteral("文字コード："), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setGeometry(8, 136, 61, 18);
    Label3->adjustSize();
    ComboBox2 = new QComboBox(this);
    ComboBox2->setObjectName(QStringLiteral("ComboBox2"));
    ComboBox2->addItems({QStringLiteral("ANSI (Shift-JIS)"), QStringLiteral("Unicode (UTF-16)")});
    ComboBox2->setCurrentIndex(static_cast<int>(TTextCode::Ansi));
    ComboBox2->setGeometry(72, 136, 121, 22);

    Layout1 = new QWidget(this);
    Layout1->setObjectName(QStringLiteral("Layout1"));
    Layout1->setGeometry(8, 168, 50, 50);

    Button1 = new QPushButton(QStringLiteral("Jww保存"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(72, 168, 145, 49);
    connect(Button1, &QPushButton::clicked, this, &MainWindow::Button1Click);

    setTabOrder(Button1, RadioButton1);
    setTabOrder(RadioButton1, RadioButton2);
    setTabOrder(RadioButton2, RadioButton3);
    setTabOrder(RadioButton3, ComboBox1);
    setTabOrder(ComboBox1, ComboBox2);
    Button1->setFocus();
}

MainWindow::~MainWindow() {
    form_.FormClose();
}

void MainWindow::setSaveDialog(SaveDialogFn dialog) {
    saveDialog_ = std::move(dialog);
}

void MainWindow::setMessageSink(MessageFn sink) {
    messageSink_ = std::move(sink);
}

int32_t MainWindow::VersionOfIndex(int index) {
    return kVersions.at(index);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (shown_) return;
    shown_ = true;
    form_.FormShow(exePath_.toStdU16String());
}

void MainWindow::closeEvent(QCloseEvent* event) {
    form_.FormClose();
    QWidget::closeEvent(event);
}

std::optional<std::u16string> MainWindow::AskSaveFileName() {
    const std::optional<QString> file = saveDialog_(this);
    if (!file) return std::nullopt;
    return file->toStdU16String();
}

void MainWindow::ShowMessage(const std::u16string& text) {
    messageSink_(this, QString::fromStdU16String(text));
}

void MainWindow::Button1Click() {
    form_.Palette = static_cast<TPalette>(palettes_->checkedId());
    form_.Version = VersionOfIndex(ComboBox1->currentIndex());
    form_.TextCode = static_cast<TTextCode>(ComboBox2->currentIndex());
    form_.Button1Click();
}

}  // namespace tw::qt
