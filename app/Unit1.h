// TForm1: the program's window state, start-up, shut-down and its one command,
// the colour-chart save. It knows no toolkit: what it needs from one (a save
// dialog, a modal message) goes through TFormUi, which the Qt window, the
// command line and the tests each implement. So every front end presses the
// very same Button1Click.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/document/RefTable.h>

namespace tw {

class TgraAttribute;

// The toolkit services TForm1 uses.
class TFormUi {
  public:
    virtual ~TFormUi() = default;
    // The save dialog: the chosen file name (default extension added, an
    // overwrite already confirmed), or nothing when the user cancels.
    virtual std::optional<std::u16string> AskSaveFileName() = 0;
    // A modal message with an OK button.
    virtual void ShowMessage(const std::u16string& text) = 0;
};

// Which of the three radio buttons is checked.
enum class TPalette : int32_t { Dxf = 0, Mix = 1, Grad = 2 };

// The two entries of the text-code list.
enum class TTextCode : int32_t { Ansi = 0, Utf16 = 1 };

// The two messages of the save command.
inline constexpr char16_t kSaveDoneMessage[] = u"保存完了しました";
inline constexpr char16_t kSaveFailedMessage[] = u"正常保存出来ませんでした";

class TForm1 {
  public:
    explicit TForm1(TFormUi& ui);
    ~TForm1();
    TForm1(const TForm1&) = delete;
    TForm1& operator=(const TForm1&) = delete;

    // Current choices of the front end. The window offers the versions
    // 420, 600 and 700; the command line every version the writer knows.
    TPalette Palette = TPalette::Dxf;
    int32_t Version = 600;
    TTextCode TextCode = TTextCode::Ansi;

    // Palette entries 0 to 255, packed by PackRGB; entry 256 stays 0.
    std::array<int32_t, 257> DXFColorMap{};

    std::unique_ptr<TJwwData> JwwDoc;
    std::unique_ptr<TgraAttribute> GraAtt;
    std::shared_ptr<TRefTable> RefTable;  // also handed to JwwDoc->Ref
    std::u16string AppPath;
    std::u16string AppFolder;   // ends with the directory separator
    std::u16string TempFolder;  // AppFolder + "TEMP" + separator
    int32_t BackMode = 0;

    // Start-up; exePath is the full path of the running executable.
    void FormShow(const std::u16string& exePath);
    // Shut-down; does nothing when the form is not running.
    void FormClose();
    // The save command.
    void Button1Click();

    void JwInit();
    void JwFine();
    static void JwwDataFree(TJwwData& JW);

    // Palette builders: each overwrites DXFColorMap entries 0 to 255.
    void DXFColorTableSet();
    void SXFColorTableSet();
    void GradColorTableSet();

    // Tables of the test drawing.
    void InitLayer(TJwwData& JW) const;
    void InitColor(TJwwData& JW) const;
    void InitLtype(TJwwData& JW) const;
    void InitMojis(TJwwData& JW) const;
    void InitElses(TJwwData& JW) const;

    // Reference table through Jw_win.jwf in AppFolder.
    void GetRefFileName();
    void RefFileOpen();

  private:
    void BuildPalette();

    TFormUi& ui_;
};

}  // namespace tw
