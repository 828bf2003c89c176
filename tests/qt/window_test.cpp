// The real window under the offscreen platform: its controls and start
// values, and the save command driven through the button with a fake save
// dialog and a message sink in place of modal boxes.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <optional>

#include "JwwSaveDialog.h"
#include "MainWindow.h"

using tw::qt::JwwSaveDialog;
using tw::qt::MainWindow;

namespace {

const QString kDone = QStringLiteral("保存完了しました");
const QString kFailed = QStringLiteral("正常保存出来ませんでした");

QByteArray ReadAll(const QString& file) {
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The window of a program installed in a temporary folder, with the dialog
// answering `answer` and the messages collected.
struct Harness {
    QTemporaryDir dir;
    std::optional<QString> answer;
    int dialogs = 0;
    QStringList messages;
    std::unique_ptr<MainWindow> window;

    Harness() {
        window = std::make_unique<MainWindow>(dir.filePath(QStringLiteral("tintwright")));
        window->setSaveDialog([this](QWidget*) {
            ++dialogs;
            return answer;
        });
        window->setMessageSink([this](QWidget*, const QString& text) { messages << text; });
        window->show();
    }

    QString Path(const QString& name) const { return dir.filePath(name); }

    // Presses "Jww保存" with the dialog answering file.
    void SaveTo(const std::optional<QString>& file) {
        answer = file;
        messages.clear();
        QTest::mouseClick(window->Button1, Qt::LeftButton);
    }
};

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void startValues();
    void controlsTextsAndPlaces();
    void tabOrder();
    void japaneseFont();
    void temporaryFolderLivesWhileTheWindowIsOpen();
    void saveWritesTheFileAndReportsIt();
    void cancelledDialogChangesNothing();
    void unwritableFolderThenGoodFolder();
    void versionAndTextCodeReachTheWriter();
    void windowAndCommandLineWriteTheSameFile();
    void saveDialogConfiguration();
    void messagesAppearInAModalBoxWithOk();
};

void WindowTest::startValues() {
    Harness h;
    MainWindow& w = *h.window;
    QVERIFY(w.RadioButton1->isChecked());
    QVERIFY(!w.RadioButton2->isChecked());
    QVERIFY(!w.RadioButton3->isChecked());
    QCOMPARE(w.ComboBox1->currentText(), QStringLiteral("6.00"));
    QCOMPARE(w.ComboBox1->currentIndex(), 1);
    QCOMPARE(w.ComboBox2->currentText(), QStringLiteral("ANSI (Shift-JIS)"));
    QCOMPARE(w.ComboBox2->currentIndex(), 0);
    QVERIFY(!w.ComboBox1->isEditable());
    QVERIFY(!w.ComboBox2->isEditable());
    QCOMPARE(h.dialogs, 0);
    QVERIFY(h.messages.isEmpty());

    // Exactly one radio button is checked at any time.
    QTest::mouseClick(w.RadioButton3, Qt::LeftButton);
    QVERIFY(w.RadioButton3->isChecked());
    QVERIFY(!w.RadioButton1->isChecked());
}

void WindowTest::controlsTextsAndPlaces() {
    Harness h;
    MainWindow& w = *h.window;
    QCOMPARE(w.windowTitle(), QStringLiteral("Tintwright"));
    QCOMPARE(w.size(), QSize(226, 223));
    QCOMPARE(w.minimumSize(), QSize(226, 223));
    QCOMPARE(w.maximumSize(), QSize(226, 223));

    struct Place {
        QWidget* widget;
        QRect rect;
    };
    const Place places[] = {
        {w.Label1, {0, 0, 226, 33}},        {w.RadioButton1, {8, 40, 185, 19}},
        {w.RadioButton2, {8, 64, 120, 19}}, {w.RadioButton3, {8, 88, 120, 19}},
        {w.ComboBox1, {72, 112, 81, 22}},   {w.ComboBox2, {72, 136, 121, 22}},
        {w.Layout1, {8, 168, 50, 50}},      {w.Button1, {72, 168, 145, 49}},
    };
    for (const Place& p : places) {
        QCOMPARE(p.widget->geometry(), p.rect);
        QVERIFY(p.widget->isVisible());
    }

    QCOMPARE(
        w.Label1->text(),
        QStringLiteral("このプログラムは色設定を行ったJWWファイルを作成するテストプログラムです"));
    QVERIFY(w.Label1->wordWrap());
    QCOMPARE(w.Label2->text(), QStringLiteral("バージョン："));
    QVERIFY(!w.Label2->wordWrap());
    QCOMPARE(w.Label3->text(), QStringLiteral("文字コード："));
    QVERIFY(!w.Label3->wordWrap());
    QCOMPARE(w.RadioButton1->text(), QStringLiteral("AutoCAD-DXF風Color"));
    QCOMPARE(w.RadioButton2->text(), QStringLiteral("Mix Color"));
    QCOMPARE(w.RadioButton3->text(), QStringLiteral("Grad Color"));
    QCOMPARE(w.Button1->text(), QStringLiteral("Jww保存"));
    const QStringList versions{QStringLiteral("4.20"), QStringLiteral("6.00"),
                               QStringLiteral("7.00")};
    const QStringList codes{QStringLiteral("ANSI (Shift-JIS)"), QStringLiteral("Unicode (UTF-16)")};
    for (int i = 0; i < 3; ++i)
        QCOMPARE(w.ComboBox1->itemText(i), versions[i]);
    for (int i = 0; i < 2; ++i)
        QCOMPARE(w.ComboBox2->itemText(i), codes[i]);
    QCOMPARE(w.ComboBox1->count(), 3);
    QCOMPARE(w.ComboBox2->count(), 2);

    // Layout1 holds nothing.
    QVERIFY(w.Layout1->children().isEmpty());
}

void WindowTest::tabOrder() {
    Harness h;
    MainWindow& w = *h.window;
    const QWidget* expected[] = {w.Button1,      w.RadioButton1, w.RadioButton2,
                                 w.RadioButton3, w.ComboBox1,    w.ComboBox2};
    QWidget* at = w.Button1;
    for (size_t i = 1; i < std::size(expected); ++i) {
        do {
            at = at->nextInFocusChain();
        } while (at->focusPolicy() == Qt::NoFocus || at == &w);
        QCOMPARE(at, expected[i]);
    }
}

void WindowTest::japaneseFont() {
    Harness h;
    const QFontInfo info(h.window->Label1->font());
    if (!QFontDatabase::families().contains(QStringLiteral("IPAPGothic"))) {
        QSKIP("The IPA fonts are not installed");
    }
    QCOMPARE(info.family(), QStringLiteral("IPAPGothic"));
}

void WindowTest::temporaryFolderLivesWhileTheWindowIsOpen() {
    Harness h;
    const QString temp = h.Path(QStringLiteral("TEMP"));
    QVERIFY(QFileInfo(temp).isDir());
    QVERIFY(h.window->form().JwwDoc);
    h.window->close();
    QVERIFY(!h.window->form().JwwDoc);
    QVERIFY(!QFileInfo::exists(temp));

    // A TEMP that holds someone else's file survives the close.
    Harness other;
    QFile foreign(other.Path(QStringLiteral("TEMP/notes.txt")));
    QVERIFY(foreign.open(QIODevice::WriteOnly));
    foreign.write("keep");
    foreign.close();
    other.window->close();
    QCOMPARE(ReadAll(other.Path(QStringLiteral("TEMP/notes.txt"))), QByteArray("keep"));
}

void WindowTest::saveWritesTheFileAndReportsIt() {
    Harness h;
    const QString file = h.Path(QStringLiteral("chart.jww"));
    h.SaveTo(file);
    QCOMPARE(h.dialogs, 1);
    QCOMPARE(h.messages, QStringList{kDone});
    const QByteArray bytes = ReadAll(file);
    QVERIFY(bytes.startsWith("JwwData."));
    QCOMPARE(h.window->form().JwwDoc->Enthd.n1, 268);
}

void WindowTest::cancelledDialogChangesNothing() {
    Harness h;
    h.SaveTo(std::nullopt);
    QCOMPARE(h.dialogs, 1);
    QVERIFY(h.messages.isEmpty());
    QCOMPARE(h.window->form().JwwDoc->Enthd.n1, 0);
    QCOMPARE(QDir(h.dir.path()).entryList(QDir::Files), QStringList{});
}

void WindowTest::unwritableFolderThenGoodFolder() {
    Harness h;
    QFile plain(h.Path(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    for (const QString& bad :
         {h.Path(QStringLiteral("plain/chart.jww")), h.Path(QStringLiteral("missing/chart.jww"))}) {
        h.SaveTo(bad);
        QCOMPARE(h.messages, QStringList{kFailed});
        const QString good = h.Path(QStringLiteral("good.jww"));
        h.SaveTo(good);
        QCOMPARE(h.messages, QStringList{kDone});
        QVERIFY(ReadAll(good).startsWith("JwwData."));
    }
}

void WindowTest::versionAndTextCodeReachTheWriter() {
    Harness h;
    MainWindow& w = *h.window;
    w.ComboBox1->setCurrentIndex(2);
    w.ComboBox2->setCurrentIndex(1);
    QCOMPARE(w.ComboBox1->currentText(), QStringLiteral("7.00"));
    QCOMPARE(w.ComboBox2->currentText(), QStringLiteral("Unicode (UTF-16)"));
    const QString file = h.Path(QStringLiteral("v700.jww"));
    h.SaveTo(file);
    QCOMPARE(h.messages, QStringList{kDone});
    QCOMPARE(w.form().Version, 700);
    QCOMPARE(w.form().JwwDoc->FileOutOpt, tw::kOutUtf16);
    const QByteArray bytes = ReadAll(file);
    QCOMPARE(bytes.mid(8, 4), QByteArray::fromHex("bc020000"));  // 700
    QCOMPARE(bytes.mid(12, 3), QByteArray::fromHex("fffeff"));   // UTF-16 memo

    w.ComboBox1->setCurrentIndex(0);
    w.ComboBox2->setCurrentIndex(0);
    h.SaveTo(file);
    QCOMPARE(w.form().JwwDoc->FileOutOpt, 0);
    QCOMPARE(ReadAll(file).mid(8, 4), QByteArray::fromHex("a4010000"));  // 420
}

void WindowTest::windowAndCommandLineWriteTheSameFile() {
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/tintwright-cli");
    QVERIFY2(QFileInfo(cli).isExecutable(), qPrintable(cli));
    Harness h;
    MainWindow& w = *h.window;
    struct Case {
        QRadioButton* radio;
        int version;
        int code;
        QStringList args;
    };
    const Case cases[] = {
        {w.RadioButton1, 1, 0, {}},
        {w.RadioButton2, 2, 1, {"--palette", "mix", "--format", "7.00", "--text-code", "utf16"}},
        {w.RadioButton3, 0, 0, {"--palette", "grad", "--format", "4.20", "--text-code", "ansi"}},
    };
    for (const Case& c : cases) {
        c.radio->setChecked(true);
        w.ComboBox1->setCurrentIndex(c.version);
        w.ComboBox2->setCurrentIndex(c.code);
        const QString byWindow = h.Path(QStringLiteral("window.jww"));
        h.SaveTo(byWindow);
        QCOMPARE(h.messages, QStringList{kDone});

        QProcess process;
        process.setWorkingDirectory(h.dir.path());
        process.start(cli, QStringList{"chart", "cli", "--force"} + c.args);
        QVERIFY(process.waitForFinished(30000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()), kDone + "\n");

        const QByteArray fromWindow = ReadAll(byWindow);
        QVERIFY(!fromWindow.isEmpty());
        QVERIFY(fromWindow == ReadAll(h.Path(QStringLiteral("cli.jww"))));
    }
}

void WindowTest::saveDialogConfiguration() {
    JwwSaveDialog dialog(nullptr);
    QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(dialog.fileMode(), QFileDialog::AnyFile);
    QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("*.jww (*.jww)")});
    QCOMPARE(dialog.defaultSuffix(), QStringLiteral("jww"));
    QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
    QVERIFY(dialog.isSizeGripEnabled());

    QTemporaryDir dir;
    QVERIFY(JwwSaveDialog::FolderExists(dir.filePath(QStringLiteral("chart.jww"))));
    QVERIFY(!JwwSaveDialog::FolderExists(dir.filePath(QStringLiteral("missing/chart.jww"))));
}

void WindowTest::messagesAppearInAModalBoxWithOk() {
    QTemporaryDir dir;
    MainWindow window(dir.filePath(QStringLiteral("tintwright")));
    const QString file = dir.filePath(QStringLiteral("chart.jww"));
    window.setSaveDialog([&](QWidget*) { return std::optional<QString>(file); });
    window.show();

    QString seen;
    QList<QAbstractButton*> buttons;
    bool modal = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        seen = box->text();
        buttons = box->buttons();
        modal = box->isModal();
        QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton);
    });
    QTest::mouseClick(window.Button1, Qt::LeftButton);

    QCOMPARE(seen, kDone);
    QVERIFY(modal);
    QCOMPARE(buttons.size(), 1);
}

QTEST_MAIN(WindowTest)
#include "window_test.moc"
