// The program's window on Windows, with the system's own controls: the same
// eleven controls, texts, start values, geometry and tab order as the Qt
// window (app/qt/), on a fixed 226 x 223 client area, handing their state to
// TForm1 through the same TFormUi seam.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/Unit1.h"

namespace tw::win32 {

class MainWindow : private TFormUi {
  public:
    // exePath: the running executable, beside which TEMP is kept.
    MainWindow(HINSTANCE instance, std::u16string exePath);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return window_; }
    // Shows the window and starts the form.
    void Show(int how);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    void CreateControls();
    HWND Control(const wchar_t* kind, const char16_t* text, DWORD style, RECT box, int id);

    std::optional<std::u16string> AskSaveFileName() override;
    void ShowMessage(const std::u16string& text) override;
    void Button1Click();

    HINSTANCE instance_;
    std::u16string exePath_;
    TForm1 form_;
    HWND window_ = nullptr;
    HFONT font_ = nullptr;
    HWND radio_[3] = {};
    HWND versions_ = nullptr;
    HWND textCodes_ = nullptr;
    HWND button_ = nullptr;
};

}  // namespace tw::win32
