#include "MainWindow.h"

#include <commctrl.h>
#include <commdlg.h>

#include <array>
#include <stdexcept>
#include <utility>

#include "JapaneseFont.h"
#include "WindowClass.h"
#include "app/ChartWindowLayout.h"

namespace tw::win32 {

namespace {

using namespace chartwindow;
constexpr int kButton1 = 100;
constexpr int kFontPixels = 11;  // the Qt window's
constexpr wchar_t kClassName[] = L"TintwrightMainWindow";
constexpr char16_t kTitle[] = u"Tintwright";

const wchar_t* Wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, std::u16string exePath)
    : instance_(instance), exePath_(std::move(exePath)), form_(static_cast<TFormUi&>(*this)) {
    RegisterWindowClass(instance_, kClassName, Procedure,
                        reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
    window_ = CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, Wide(kTitle), style, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, instance_, this);
    if (window_ == nullptr) throw std::runtime_error("cannot create the window");
    font_ = JapaneseFont(kFontPixels);
    CreateControls();
}

MainWindow::~MainWindow() {
    form_.FormClose();
    if (window_ != nullptr) DestroyWindow(window_);
    DeleteObject(font_);
}

// Created in the Qt window's tab order: Button1 first, then the radio
// buttons and the two lists; the labels take no focus.
void MainWindow::CreateControls() {
    Control(L"STATIC", u"このプログラムは色設定を行ったJWWファイルを作成するテストプログラムです",
            SS_LEFT, {0, 0, kClientWidth, 33}, 0);
    button_ =
        Control(L"BUTTON", u"Jww保存", BS_PUSHBUTTON | WS_TABSTOP, {72, 168, 145, 49}, kButton1);
    radio_[0] = Control(L"BUTTON", u"AutoCAD-DXF風Color",
                        BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP, {8, 40, 185, 19}, 0);
    radio_[1] = Control(L"BUTTON", u"Mix Color", BS_AUTORADIOBUTTON, {8, 64, 120, 19}, 0);
    radio_[2] = Control(L"BUTTON", u"Grad Color", BS_AUTORADIOBUTTON, {8, 88, 120, 19}, 0);
    SendMessageW(radio_[0], BM_SETCHECK, BST_CHECKED, 0);
    Control(L"STATIC", u"バージョン：", SS_LEFT | WS_GROUP, {8, 112, 64, 18}, 0);
    versions_ = Control(WC_COMBOBOXW, u"", CBS_DROPDOWNLIST | WS_TABSTOP | WS_GROUP | WS_VSCROLL,
                        {72, 112, 81, 120}, 0);
    for (const char16_t* item : {u"4.20", u"6.00", u"7.00"})
        SendMessageW(versions_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item)));
    SendMessageW(versions_, CB_SETCURSEL, kStartVersionIndex, 0);
    Control(L"STATIC", u"文字コード：", SS_LEFT, {8, 136, 64, 18}, 0);
    textCodes_ = Control(WC_COMBOBOXW, u"", CBS_DROPDOWNLIST | WS_TABSTOP | WS_GROUP | WS_VSCROLL,
                         {72, 136, 121, 120}, 0);
    for (const char16_t* item : {u"ANSI (Shift-JIS)", u"Unicode (UTF-16)"})
        SendMessageW(textCodes_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(item)));
    SendMessageW(textCodes_, CB_SETCURSEL, static_cast<WPARAM>(TTextCode::Ansi), 0);
    // Layout1: an empty 50 x 50 panel, as in the Qt window.
    Control(L"STATIC", u"", SS_LEFT, {8, 168, 50, 50}, 0);
}

HWND MainWindow::Control(const wchar_t* kind, const char16_t* text, DWORD style, RECT box, int id) {
    const HWND control = CreateWindowExW(
        0, kind, Wide(text), WS_CHILD | WS_VISIBLE | style, box.left, box.top, box.right,
        box.bottom, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
    return control;
}

void MainWindow::Show(int how) {
    ShowWindow(window_, how);
    UpdateWindow(window_);
    SetFocus(button_);
    form_.FormShow(exePath_);
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(l);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->window_ == nullptr) return DefWindowProcW(window, message, w, l);
    return self->Handle(message, w, l);
}

LRESULT MainWindow::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(w) == kButton1 && HIWORD(w) == BN_CLICKED) Button1Click();
            return 0;
        case WM_CLOSE:
            form_.FormClose();
            DestroyWindow(window_);
            return 0;
        case WM_DESTROY:
            window_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window_, message, w, l);
    }
}

std::optional<std::u16string> MainWindow::AskSaveFileName() {
    std::u16string file(32768, u'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window_;
    dialog.lpstrFilter = L"*.jww\0*.jww\0";
    dialog.lpstrFile = reinterpret_cast<wchar_t*>(file.data());
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrDefExt = L"jww";
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_EXPLORER;
    if (!GetSaveFileNameW(&dialog)) return std::nullopt;
    file.resize(file.find(u'\0'));
    return file;
}

void MainWindow::ShowMessage(const std::u16string& text) {
    MessageBoxW(window_, Wide(text.c_str()), Wide(kTitle), MB_OK);
}

void MainWindow::Button1Click() {
    for (int i = 0; i < 3; ++i) {
        if (SendMessageW(radio_[i], BM_GETCHECK, 0, 0) == BST_CHECKED)
            form_.Palette = static_cast<TPalette>(i);
    }
    form_.Version = kVersions.at(static_cast<size_t>(SendMessageW(versions_, CB_GETCURSEL, 0, 0)));
    form_.TextCode = static_cast<TTextCode>(SendMessageW(textCodes_, CB_GETCURSEL, 0, 0));
    form_.Button1Click();
}

}  // namespace tw::win32
