#include "ViewerWindow.h"

#include <commctrl.h>
#include <commdlg.h>
#include <gdiplus.h>
#include <shellapi.h>
#include <windowsx.h>

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include <tintwright/render/GdiplusBackend.h>
#include <tintwright/render/GdiplusOutput.h>
#include <tintwright/util/Func_2.h>
#include "WindowClass.h"

namespace tw::win32 {

namespace {

constexpr wchar_t kClassName[] = L"TintwrightViewer";
constexpr wchar_t kTitle[] = L"Tintwright viewer";
constexpr double kWheelStep = 1.25;  // per notch
constexpr double kKeyStep = 1.5;     // per + or - key
constexpr int kInitialWidth = 900, kInitialHeight = 650;

enum MenuId { kOpen = 1, kClose, kQuit, kFitDrawing, kFitSheet, kZoomIn, kZoomOut };

HMENU MakeMenu() {
    HMENU file = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, kOpen, L"&Open…\tCtrl+O");
    AppendMenuW(file, MF_STRING, kClose, L"&Close\tCtrl+W");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, kQuit, L"&Quit\tCtrl+Q");
    HMENU view = CreatePopupMenu();
    AppendMenuW(view, MF_STRING, kFitDrawing, L"Fit &drawing\tF");
    AppendMenuW(view, MF_STRING, kFitSheet, L"Fit &sheet\tS");
    AppendMenuW(view, MF_STRING, kZoomIn, L"Zoom &in\t+");
    AppendMenuW(view, MF_STRING, kZoomOut, L"Zoom &out\t-");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"&View");
    return bar;
}

bool ControlDown() {
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

}  // namespace

ViewerWindow::ViewerWindow(HINSTANCE instance) : instance_(instance) {
    render::StartGdiplus();
    RegisterWindowClass(instance_, kClassName, Procedure);
    window_ = CreateWindowExW(WS_EX_ACCEPTFILES, kClassName, kTitle, WS_OVERLAPPEDWINDOW,
                              CW_USEDEFAULT, CW_USEDEFAULT, kInitialWidth, kInitialHeight, nullptr,
                              MakeMenu(), instance_, this);
    if (window_ == nullptr) throw std::runtime_error("cannot create the viewer window");
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                              0, 0, 0, window_, nullptr, instance_, nullptr);
}

ViewerWindow::~ViewerWindow() {
    if (window_) DestroyWindow(window_);
}

void ViewerWindow::Show(int how) {
    ShowWindow(window_, how);
    UpdateWindow(window_);
}

bool ViewerWindow::Open(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::exists(file, error)) {
        Tell(file.wstring() + L" cannot be shown: the file does not exist.");
        return false;
    }
    try {
        drawing_ = std::make_unique<ShownDrawing>(file);
    } catch (const UnreadableDrawing& e) {
        Tell(file.filename().wstring() + L" cannot be shown: it is not a readable JWW drawing (" +
             WideFromUtf8(e.what()) + L").");
        return false;
    }
    SetWindowTextW(window_, (file.filename().wstring() + L" - " + kTitle).c_str());
    FitTo(render::Fit::Opening);
    return true;
}

void ViewerWindow::Close() {
    drawing_.reset();
    SetWindowTextW(window_, kTitle);
    FitTo(render::Fit::Opening);
}

void ViewerWindow::Tell(const std::wstring& text) {
    MessageBoxW(window_, text.c_str(), kTitle, MB_OK | MB_ICONWARNING);
}

AreaSize ViewerWindow::Area() const {
    RECT client{}, bar{};
    GetClientRect(window_, &client);
    if (status_) GetWindowRect(status_, &bar);
    return {static_cast<double>(client.right),
            static_cast<double>(std::max<LONG>(client.bottom - (bar.bottom - bar.top), 1))};
}

void ViewerWindow::FitTo(render::Fit fit) {
    fitted_ = fit;
    render::RenderOptions fitting;
    fitting.fit = fit;
    transform_.Fit(drawing_ ? render::ViewOf(drawing_->Doc(), fitting) : render::Box{}, Area());
    Changed();
}

void ViewerWindow::Changed() {
    InvalidateRect(window_, nullptr, FALSE);
}

void ViewerWindow::AskAndOpen() {
    wchar_t name[MAX_PATH * 4] = L"";
    OPENFILENAMEW ask{};
    ask.lStructSize = sizeof ask;
    ask.hwndOwner = window_;
    ask.lpstrFilter = L"Jw_cad drawings (*.jww)\0*.jww\0All files\0*.*\0";
    ask.lpstrFile = name;
    ask.nMaxFile = static_cast<DWORD>(std::size(name));
    ask.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_EXPLORER;
    if (GetOpenFileNameW(&ask)) Open(std::filesystem::path(name));
}

// Drawn into a bitmap first, then copied at once: no flicker.
void ViewerWindow::Paint() {
    PAINTSTRUCT paint;
    HDC screen = BeginPaint(window_, &paint);
    const AreaSize area = Area();
    const int w = static_cast<int>(area.width), h = static_cast<int>(area.height);
    Gdiplus::Bitmap buffer(std::max(w, 1), std::max(h, 1), PixelFormat32bppRGB);
    if (buffer.GetLastStatus() != Gdiplus::Ok) {  // no memory for the buffer: nothing new shown
        EndPaint(window_, &paint);
        return;
    }
    {
        Gdiplus::Graphics graphics(&buffer);
        render::GdiplusBackend backend(
            graphics, Gdiplus::RectF(0, 0, static_cast<float>(w), static_cast<float>(h)));
        render::RenderOptions options;
        options.view = transform_.View(area);
        options.screenPixel = transform_.MillimetresPerPixel();
        if (drawing_) {
            render::Render(drawing_->Doc(), options, backend);
        } else {
            backend.Begin(*options.view, 0xFFFFFF);
            backend.End();
        }
    }
    Gdiplus::Graphics(screen).DrawImage(&buffer, 0, 0);
    EndPaint(window_, &paint);
}

void ViewerWindow::CursorMoved(render::Point pixel) {
    const render::Point paper = transform_.PaperAt(pixel, Area());
    wchar_t text[160];
    std::swprintf(text, std::size(text), L"%.2f, %.2f mm on paper    zoom %.4g px/mm", paper.x,
                  paper.y, transform_.Zoom());
    SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text));
}

bool ViewerWindow::Command(int id) {
    const AreaSize area = Area();
    const render::Point centre{area.width / 2, area.height / 2};
    switch (id) {
        case kOpen:
            AskAndOpen();
            return true;
        case kClose:
            Close();
            return true;
        case kQuit:
            DestroyWindow(window_);
            return true;
        case kFitDrawing:
            FitTo(render::Fit::Opening);
            return true;
        case kFitSheet:
            FitTo(render::Fit::Paper);
            return true;
        case kZoomIn:
        case kZoomOut:
            fitted_.reset();
            transform_.ZoomAt(centre, id == kZoomIn ? kKeyStep : 1 / kKeyStep, area);
            Changed();
            return true;
        default:
            return false;
    }
}

bool ViewerWindow::Key(WPARAM key) {
    if (ControlDown()) {
        switch (key) {
            case 'O':
                return Command(kOpen);
            case 'W':
                return Command(kClose);
            case 'Q':
                return Command(kQuit);
            default:
                return false;
        }
    }
    switch (key) {
        case 'F':
        case VK_HOME:
            return Command(kFitDrawing);
        case 'S':
            return Command(kFitSheet);
        case VK_ADD:
        case VK_OEM_PLUS:
            return Command(kZoomIn);
        case VK_SUBTRACT:
        case VK_OEM_MINUS:
            return Command(kZoomOut);
        default:
            return false;
    }
}

LRESULT CALLBACK ViewerWindow::Procedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<ViewerWindow*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
        self->window_ = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<ViewerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self && message == WM_NCDESTROY) {
        self->window_ = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        self = nullptr;
    }
    return self ? self->Handle(message, w, l) : DefWindowProcW(window, message, w, l);
}

LRESULT ViewerWindow::Handle(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_PAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            if (status_) SendMessageW(status_, WM_SIZE, 0, 0);
            if (fitted_) FitTo(*fitted_);
            Changed();
            return 0;
        case WM_MOUSEWHEEL: {
            POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
            ScreenToClient(window_, &at);
            fitted_.reset();
            transform_.ZoomAt({static_cast<double>(at.x), static_cast<double>(at.y)},
                              std::pow(kWheelStep, GET_WHEEL_DELTA_WPARAM(w) / 120.0), Area());
            Changed();
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN:
            dragFrom_ = POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
            SetCapture(window_);
            return 0;
        case WM_LBUTTONUP:
        case WM_MBUTTONUP:
            dragFrom_.reset();
            ReleaseCapture();
            return 0;
        case WM_MOUSEMOVE: {
            const POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
            CursorMoved({static_cast<double>(at.x), static_cast<double>(at.y)});
            if (dragFrom_ && (w & (MK_LBUTTON | MK_MBUTTON))) {
                fitted_.reset();
                transform_.PanBy(at.x - dragFrom_->x, at.y - dragFrom_->y);
                dragFrom_ = at;
                Changed();
            }
            return 0;
        }
        case WM_KEYDOWN:
            if (Key(w)) return 0;
            break;
        case WM_COMMAND:
            if (Command(LOWORD(w))) return 0;
            break;
        case WM_DROPFILES: {
            const auto drop = reinterpret_cast<HDROP>(w);
            wchar_t name[MAX_PATH * 4];
            const bool got = DragQueryFileW(drop, 0, name, static_cast<UINT>(std::size(name))) > 0;
            DragFinish(drop);
            if (got) Open(std::filesystem::path(name));
            return 0;
        }
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return DefWindowProcW(window_, message, w, l);
}

}  // namespace tw::win32
