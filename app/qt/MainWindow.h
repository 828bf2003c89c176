// The program's window: the eleven controls of TForm1 on a fixed 226 x 223
// client area. The window only shows controls and hands their state to
// TForm1; the save dialog and the message box are replaceable so that tests
// drive the very same window without blocking on modal boxes.
#pragma once

#include <QWidget>
#include <functional>
#include <optional>

#include "app/Unit1.h"

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace tw::qt {

class MainWindow : public QWidget, private TFormUi {
    Q_OBJECT

  public:
    // Shows the save dialog; the chosen file, or nothing when cancelled.
    using SaveDialogFn = std::function<std::optional<QString>(QWidget* parent)>;
    // Shows a modal message with an OK button.
    using MessageFn = std::function<void(QWidget* parent, const QString& text)>;

    // exePath: the running executable, beside which TEMP is kept.
    explicit MainWindow(const QString& exePath, QWidget* parent = nullptr);
    ~MainWindow() override;

    void setSaveDialog(SaveDialogFn dialog);
    void setMessageSink(MessageFn sink);

    TForm1& form() { return form_; }

    // The window's list positions of the versions 4.20, 6.00 and 7.00.
    static int32_t VersionOfIndex(int index);

    QLabel* Label1;
    QRadioButton* RadioButton1;
    QRadioButton* RadioButton2;
    QRadioButton* RadioButton3;
    QLabel* Label2;
    QComboBox* ComboBox1;
    QLabel* Label3;
    QComboBox* ComboBox2;
    QWidget* Layout1;
    QPushButton* Button1;

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    std::optional<std::u16string> AskSaveFileName() override;
    void ShowMessage(const std::u16string& text) override;

    void Button1Click();

    TForm1 form_;
    QString exePath_;
    bool shown_ = false;
    QButtonGroup* palettes_;
    SaveDialogFn saveDialog_;
    MessageFn messageSink_;
};

}  // namespace tw::qt
