#include "ViewerWindow.h"

#include <commctrl.h>
#include <commdlg.h>
#include <gdiplus.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include <tintwright/render/GdiplusBackend.h>
#include <tintwright/render/GdiplusOutput.h>
#include <tintwright/util/Func_2.h>
#include <tintwright/util/OutputFile.h>
#include "JapaneseFont.h"
#include "RecentFiles.h"
#include "WindowClass.h"
#include "app/ExportShown.h"
#include "app/LayerRows.h"
#include "app/ViewScroll.h"
#include "app/ViewerStatus.h"
#include "app/cli/RenderCommand.h"

namespace tw::win32 {

namespace {

constexpr wchar_t kFrameClass[] = L"TintwrightViewer";
constexpr wchar_t kCanvasClass[] = L"TintwrightViewerCanvas";
constexpr wchar_t kTitle[] = L"Tintwright viewer";
constexpr double kWheelStep = 1.25;  // per notch
constexpr double kKeyStep = 1.5;     // per + or - key
constexpr int kInitialWidth = 1000, kInitialHeight = 700;
constexpr int kPanelWidth = 220;  // at 96 dpi
constexpr int kFontPixels = 12;   // at 96 dpi
// Sent to itself once a click or key has changed a check box.
constexpr UINT kLayersToggled = WM_APP + 1;
constexpr int kLayerRows = render::Visibility::kGroups;
// A tree item's lParam: a group's number, or kLayerRows + its layer index.
constexpr LPARAM kLayerParam = kLayerRows;

HMENU MakeMenu(HMENU& recent) {
    HMENU file = CreatePopupMenu();
    recent = CreatePopupMenu();
    AppendMenuW(file, MF_STRING, ViewerWindow::kOpen, L"&Open…\tCtrl+O");
    AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), L"Open &Recent");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, ViewerWindow::kExportDxf, L"&Export DXF…\tCtrl+E");
    AppendMenuW(file, MF_STRING, ViewerWindow::kSaveJww, L"Save as &JWW…\tCtrl+Shift+J");
    AppendMenuW(file, MF_STRING, ViewerWindow::kSaveAs, L"Save &As PDF, PNG or SVG…\tCtrl+Shift+S");
    AppendMenuW(file, MF_STRING, ViewerWindow::kPrint, L"&Print…\tCtrl+P");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, ViewerWindow::kClose, L"&Close\tCtrl+W");
    AppendMenuW(file, MF_STRING, ViewerWindow::kQuit, L"&Quit\tCtrl+Q");
    HMENU view = CreatePopupMenu();
    AppendMenuW(view, MF_STRING, ViewerWindow::kFitDrawing, L"Fit &drawing\tF");
    AppendMenuW(view, MF_STRING, ViewerWindow::kFitSheet, L"Fit &sheet\tS");
    AppendMenuW(view, MF_STRING, ViewerWindow::kZoomIn, L"Zoom &in\t+");
    AppendMenuW(view, MF_STRING, ViewerWindow::kZoomOut, L"Zoom &out\t-");
    AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(view, MF_STRING, ViewerWindow::kPrintView, L"&Print view\tCtrl+Shift+P");
    AppendMenuW(view, MF_STRING, ViewerWindow::kBlackBackground, L"&Black background");
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"&File");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"&View");
    return bar;
}

bool Down(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

std::wstring Wide(const std::u16string& text) {
    return {text.begin(), text.end()};
}

std::string Utf8(const std::filesystem::path& path) {
    return ToUtf8(path.u16string());
}

UINT DpiOf(HWND window) {
    const HDC screen = GetDC(window);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(window, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

// The object a window of ours belongs to, kept from its creation to its end.
ViewerWindow* Owner(HWND window, UINT message, LPARAM l) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrW(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams));
    auto* owner = reinterpret_cast<ViewerWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCDESTROY) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    return owner;
}

HTREEITEM AddRow(HWND tree, HTREEITEM parent, const LayerRow& row, LPARAM param) {
    std::wstring label = Wide(row.label);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = label.data();
    insert.item.lParam = param;
    const auto item = reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    // The check box is the state image, set once the item exists.
    TVITEMW check{};
    check.mask = TVIF_STATE;
    check.hItem = item;
    check.stateMask = TVIS_STATEIMAGEMASK;
    check.state = INDEXTOSTATEIMAGEMASK(row.shown ? 2 : 1);
    SendMessageW(tree, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&check));
    return item;
}

}  // namespace

ViewerWindow::ViewerWindow(HINSTANCE instance) : instance_(instance) {
    render::StartGdiplus();
    RegisterWindowClass(instance_, kFrameClass, FrameProcedure);
    RegisterWindowClass(instance_, kCanvasClass, CanvasProcedure);
    window_ =
        CreateWindowExW(WS_EX_ACCEPTFILES, kFrameClass, kTitle,
                        WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                        kInitialWidth, kInitialHeight, nullptr, MakeMenu(recent_), instance_, this);
    if (window_ == nullptr) throw std::runtime_error("cannot create the viewer window");
    dpi_ = DpiOf(window_);
    layers_ = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES |
                                  TVS_LINESATROOT | TVS_CHECKBOXES | TVS_SHOWSELALWAYS,
                              0, 0, 0, 0, window_, nullptr, instance_, nullptr);
    canvas_ = CreateWindowExW(0, kCanvasClass, L"", WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL,
                              0, 0, 0, 0, window_, nullptr, instance_, this);
    status_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0,
                              0, 0, 0, window_, nullptr, instance_, nullptr);
    if (!layers_ || !canvas_ || !status_)
        throw std::runtime_error("cannot create the viewer's controls");
    SetFonts();
    LayOut();
    FitTo(render::Fit::Opening);
}

ViewerWindow::~ViewerWindow() {
    if (window_) DestroyWindow(window_);
    DeleteObject(font_);
}

// The panel's and the status line's font, at the window's DPI.
void ViewerWindow::SetFonts() {
    const HFONT old = font_;
    font_ = JapaneseFont(MulDiv(kFontPixels, static_cast<int>(dpi_), USER_DEFAULT_SCREEN_DPI));
    for (const HWND control : {layers_, status_})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_), TRUE);
    DeleteObject(old);
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
        auto drawing = std::make_unique<ShownDrawing>(file);
        shown_.SetDrawing(nullptr, Area());  // before the drawing it shows goes
        drawing_ = std::move(drawing);
    } catch (const UnreadableDrawing& e) {
        Tell(file.filename().wstring() + L" cannot be shown: it is not a readable JWW drawing (" +
             WideFromUtf8(e.what()) + L").");
        return false;
    }
    shown_.SetDrawing(&drawing_->Doc(), Area());
    file_ = std::filesystem::absolute(file, error);
    if (error) file_ = file;
    RememberRecent(file_);
    SetWindowTextW(window_, (file.filename().wstring() + L" - " + kTitle).c_str());
    FillLayers();
    Changed();
    return true;
}

void ViewerWindow::Close() {
    shown_.SetDrawing(nullptr, Area());
    drawing_.reset();
    file_.clear();
    SetWindowTextW(window_, kTitle);
    FillLayers();
    Changed();
}

void ViewerWindow::Tell(const std::wstring& text) {
    MessageBoxW(window_, text.c_str(), kTitle, MB_OK | MB_ICONWARNING);
}

bool ViewerWindow::ReportCommand(int exitCode, const std::string& reason) {
    if (exitCode != 0) Tell(WideFromUtf8(reason));
    return exitCode == 0;
}

bool ViewerWindow::ExportDxf(const std::filesystem::path& target) {
    if (!drawing_) return false;
    const auto replaceImages = [&] {
        const std::wstring question = L"The folder " + target.stem().wstring() +
                                      L"_images beside the file already holds images of the "
                                      L"same names. Replace them?";
        return MessageBoxW(window_, question.c_str(), kTitle, MB_YESNO | MB_ICONQUESTION) == IDYES;
    };
    const std::string reason = ExportShown(drawing_->Doc(), target, replaceImages);
    return ReportCommand(reason.empty() ? 0 : 1, reason);
}

bool ViewerWindow::SaveAs(const std::filesystem::path& target) {
    if (!drawing_) return false;
    cli::RenderCommandOptions options;
    options.force = true;
    std::ostringstream out, err;
    return ReportCommand(cli::RunRender(Utf8(file_), Utf8(target), options, out, err), err.str());
}

bool ViewerWindow::SaveAsJww(const std::filesystem::path& target, const cli::JwwFormat& format) {
    if (!drawing_) return false;
    const cli::JwwSaved outcome = cli::SaveAsJww(drawing_->Doc(), target, format);
    if (!outcome.said.empty()) Tell(WideFromUtf8(outcome.said));
    return outcome.saved;
}

void ViewerWindow::AskAndSaveJww() {
    if (!drawing_) return;
    const std::vector<cli::JwwFormat> formats = cli::JwwFormats(drawing_->Doc());
    std::wstring filter;  // pairs of label and pattern, each ended by a zero
    for (const cli::JwwFormat& f : formats) {
        filter += WideFromUtf8(f.label) + L" (*.jww)";
        filter += L'\0';
        filter += L"*.jww";
        filter += L'\0';
    }
    wchar_t name[MAX_PATH * 4] = L"";
    OPENFILENAMEW ask{};
    ask.lStructSize = sizeof ask;
    ask.hwndOwner = window_;
    ask.lpstrFilter = filter.c_str();
    ask.nFilterIndex = 1;
    ask.lpstrDefExt = L"jww";
    ask.lpstrFile = name;
    ask.nMaxFile = static_cast<DWORD>(std::size(name));
    ask.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&ask)) return;
    const size_t chosen = ask.nFilterIndex >= 1 ? ask.nFilterIndex - 1 : 0;
    SaveAsJww(std::filesystem::path(name), formats[std::min(chosen, formats.size() - 1)]);
}

void ViewerWindow::AskAndWrite(int id) {
    if (!drawing_) return;
    const bool dxf = id == kExportDxf;
    wchar_t name[MAX_PATH * 4] = L"";
    OPENFILENAMEW ask{};
    ask.lStructSize = sizeof ask;
    ask.hwndOwner = window_;
    ask.lpstrFilter =
        dxf ? L"DXF drawings (*.dxf)\0*.dxf\0"
            : L"PDF (*.pdf)\0*.pdf\0PNG image (*.png)\0*.png\0SVG image (*.svg)\0*.svg\0";
    ask.lpstrDefExt = dxf ? L"dxf" : L"pdf";
    ask.lpstrFile = name;
    ask.nMaxFile = static_cast<DWORD>(std::size(name));
    ask.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&ask)) return;
    const std::filesystem::path target(name);
    if (dxf)
        ExportDxf(target);
    else
        SaveAs(target);
}

bool ViewerWindow::PrintOn(HDC page) const {
    if (!drawing_) return false;
    render::RenderOptions options;
    options.fit = render::Fit::Paper;
    options.print = true;
    options.visibility = shown_.Visibility();
    const render::Box sheet = render::ViewOf(drawing_->Doc(), options);
    options.view = sheet;
    // A printer's page starts at its printable area, inside the paper's edge.
    const auto perMillimetre = [page](int dpi) { return GetDeviceCaps(page, dpi) / 25.4; };
    const float left = static_cast<float>(-GetDeviceCaps(page, PHYSICALOFFSETX));
    const float top = static_cast<float>(-GetDeviceCaps(page, PHYSICALOFFSETY));
    Gdiplus::Graphics graphics(page);
    graphics.SetPageUnit(Gdiplus::UnitPixel);
    render::GdiplusBackend backend(
        graphics,
        Gdiplus::RectF(left, top, static_cast<float>(sheet.Width() * perMillimetre(LOGPIXELSX)),
                       static_cast<float>(sheet.Height() * perMillimetre(LOGPIXELSY))));
    render::Render(drawing_->Doc(), options, backend);
    return true;
}

// The printer's dialog, offered the sheet's size and orientation first.
void ViewerWindow::AskAndPrint() {
    if (!drawing_) return;
    PRINTDLGW ask{};
    ask.lStructSize = sizeof ask;
    ask.hwndOwner = window_;
    ask.Flags = PD_RETURNDEFAULT;
    if (!PrintDlgW(&ask)) {
        Tell(L"No printer is set up.");
        return;
    }
    double width = 0, height = 0;
    drawing_->Doc().GetPaperSize(width, height);
    if (auto* mode = static_cast<DEVMODEW*>(GlobalLock(ask.hDevMode))) {
        mode->dmOrientation = width > height ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
        mode->dmPaperWidth = static_cast<short>(std::min(width, height) * 10);  // tenths of mm
        mode->dmPaperLength = static_cast<short>(std::max(width, height) * 10);
        mode->dmFields |= DM_ORIENTATION | DM_PAPERWIDTH | DM_PAPERLENGTH;
        GlobalUnlock(ask.hDevMode);
    }
    ask.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION;
    const bool chosen = PrintDlgW(&ask) && ask.hDC;
    bool printed = false;
    if (chosen) {
        const std::wstring name = file_.filename().wstring();
        DOCINFOW job{};
        job.cbSize = sizeof job;
        job.lpszDocName = name.c_str();
        if (StartDocW(ask.hDC, &job) > 0) {
            printed = StartPage(ask.hDC) > 0 && PrintOn(ask.hDC) && EndPage(ask.hDC) > 0;
            if (printed)
                printed = EndDoc(ask.hDC) > 0;
            else
                AbortDoc(ask.hDC);
        }
        DeleteDC(ask.hDC);
    }
    GlobalFree(ask.hDevMode);
    GlobalFree(ask.hDevNames);
    if (chosen && !printed) Tell(L"The drawing could not be printed.");
}

void ViewerWindow::AskAndOpen() {
    wchar_t name[MAX_PATH * 4] = L"";
    OPENFILENAMEW ask{};
    ask.lStructSize = sizeof ask;
    ask.hwndOwner = window_;
    ask.lpstrFilter = L"Jw_cad drawings (*.jww)\0*.jww\0All files\0*.*\0";
    ask.lpstrFile = name;
    ask.nMaxFile = static_cast<DWORD>(std::size(name));
    ask.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_NOCHANGEDIR;
    if (GetOpenFileNameW(&ask)) Open(std::filesystem::path(name));
}

void ViewerWindow::FillRecent(HMENU menu) {
    while (GetMenuItemCount(menu) > 0)
        DeleteMenu(menu, 0, MF_BYPOSITION);
    recentShown_ = RecentFiles();
    for (size_t i = 0; i < recentShown_.size(); ++i)
        AppendMenuW(menu, MF_STRING, kRecentFirst + i, recentShown_[i].wstring().c_str());
    if (recentShown_.empty()) AppendMenuW(menu, MF_STRING | MF_GRAYED, 0, L"(none)");
}

void ViewerWindow::FillLayers() {
    fillingLayers_ = true;
    SendMessageW(layers_, WM_SETREDRAW, FALSE, 0);
    SendMessageW(layers_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    if (drawing_) {
        const LayerPanelRows rows = LayerRowsOf(drawing_->Doc(), shown_.Visibility());
        for (int g = 0; g < kLayerRows; ++g) {
            const HTREEITEM group = AddRow(layers_, TVI_ROOT, rows[g].group, g);
            for (int l = 0; l < kLayerRows; ++l)
                AddRow(layers_, group, rows[g].layers[l], kLayerParam + g * kLayerRows + l);
        }
    }
    SendMessageW(layers_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(layers_, nullptr, TRUE);
    fillingLayers_ = false;
}

// The check boxes as they are now, whatever changed them.
void ViewerWindow::ReadLayers() {
    if (!drawing_) return;
    render::Visibility shown = shown_.Visibility();
    const auto next = [this](HTREEITEM item, WPARAM how) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageW(layers_, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    };
    const auto read = [this, &shown](HTREEITEM item) {
        TVITEMW row{};
        row.mask = TVIF_STATE | TVIF_PARAM;
        row.hItem = item;
        row.stateMask = TVIS_STATEIMAGEMASK;
        SendMessageW(layers_, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&row));
        const bool checked = (row.state & TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
        if (row.lParam < kLayerParam)
            shown.groups[row.lParam] = checked;
        else
            shown.layers[row.lParam - kLayerParam] = checked;
    };
    for (HTREEITEM group = next(nullptr, TVGN_ROOT); group; group = next(group, TVGN_NEXT)) {
        read(group);
        for (HTREEITEM layer = next(group, TVGN_CHILD); layer; layer = next(layer, TVGN_NEXT))
            read(layer);
    }
    const render::Visibility& was = shown_.Visibility();
    if (shown.groups == was.groups && shown.layers == was.layers) return;
    shown_.SetVisibility(shown);
    Changed();
}

// A check box changed by a click or the space key (TVN_ITEMCHANGED is newer
// than some tree views): the panel is read once the change is done.
void ViewerWindow::LayersNotified(const NMHDR& note) {
    if (note.hwndFrom != layers_ || fillingLayers_) return;
    bool toggled = note.code == TVN_ITEMCHANGEDW;
    if (note.code == NM_CLICK) {
        TVHITTESTINFO hit{};
        const DWORD at = GetMessagePos();  // where the click was
        hit.pt = {GET_X_LPARAM(at), GET_Y_LPARAM(at)};
        ScreenToClient(layers_, &hit.pt);
        SendMessageW(layers_, TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        toggled = (hit.flags & TVHT_ONITEMSTATEICON) != 0;
    }
    if (note.code == TVN_KEYDOWN)
        toggled = reinterpret_cast<const NMTVKEYDOWN&>(note).wVKey == VK_SPACE;
    if (toggled) PostMessageW(window_, kLayersToggled, 0, 0);
}

void ViewerWindow::ShowChecked(int id, bool on) {
    CheckMenuItem(GetMenu(window_), id, MF_BYCOMMAND | (on ? MF_CHECKED : MF_UNCHECKED));
    Changed();
}

AreaSize ViewerWindow::Area() const {
    RECT client{};
    GetClientRect(canvas_, &client);
    return {static_cast<double>(std::max<LONG>(client.right, 1)),
            static_cast<double>(std::max<LONG>(client.bottom, 1))};
}

void ViewerWindow::LayOut() {
    if (!status_) return;
    SendMessageW(status_, WM_SIZE, 0, 0);
    RECT client{}, bar{};
    GetClientRect(window_, &client);
    GetWindowRect(status_, &bar);
    const int height = std::max<int>(client.bottom - (bar.bottom - bar.top), 0);
    const int panel =
        std::min<int>(MulDiv(kPanelWidth, dpi_, USER_DEFAULT_SCREEN_DPI), client.right / 2);
    MoveWindow(layers_, 0, 0, panel, height, TRUE);
    MoveWindow(canvas_, panel, 0, std::max<int>(client.right - panel, 1), std::max(height, 1),
               TRUE);
}

void ViewerWindow::FitTo(render::Fit fit) {
    shown_.FitTo(fit, Area());
    Changed();
}

void ViewerWindow::Changed() {
    UpdateScrollBars();
    InvalidateRect(canvas_, nullptr, FALSE);
}

// The bars stay shown (disabled when all is in view): the drawing area
// keeps its size whatever they hold.
void ViewerWindow::UpdateScrollBars() {
    const AreaSize area = Area();
    const ViewScroll bars = ScrollOf(shown_.View(area), shown_.ScrollArea(area), shown_.Zoom());
    for (const auto& [which, range] :
         {std::pair{SB_HORZ, bars.horizontal}, {SB_VERT, bars.vertical}}) {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        info.nMax = range.maximum + range.page - 1;  // Windows counts the page inside the range
        info.nPage = static_cast<UINT>(range.page);
        info.nPos = range.value;
        SetScrollInfo(canvas_, which, &info, TRUE);
    }
}

void ViewerWindow::Scrolled(int bar, int code) {
    const render::Box view = shown_.View(Area());
    const render::Box area = shown_.ScrollArea(Area());
    const double zoom = shown_.Zoom();
    const ViewScroll bars = ScrollOf(view, area, zoom);
    const ScrollBarRange& range = bar == SB_HORZ ? bars.horizontal : bars.vertical;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_TRACKPOS;
    GetScrollInfo(canvas_, bar, &info);
    int value = range.value;
    switch (code) {
        case SB_LINEUP:
            value -= range.step;
            break;
        case SB_LINEDOWN:
            value += range.step;
            break;
        case SB_PAGEUP:
            value -= range.page;
            break;
        case SB_PAGEDOWN:
            value += range.page;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            value = info.nTrackPos;
            break;
        case SB_TOP:
            value = 0;
            break;
        case SB_BOTTOM:
            value = range.maximum;
            break;
        default:
            return;
    }
    value = std::clamp(value, 0, range.maximum);
    const render::Point pan = bar == SB_HORZ
                                  ? PanToScroll(value, bars.vertical.value, view, area, zoom)
                                  : PanToScroll(bars.horizontal.value, value, view, area, zoom);
    shown_.PanBy(pan.x, pan.y);
    Changed();
}

// The drawing area's picture, drawn into a bitmap; none when there is no
// memory for it.
std::unique_ptr<Gdiplus::Bitmap> ViewerWindow::Picture() {
    const AreaSize area = Area();
    const int w = static_cast<int>(area.width), h = static_cast<int>(area.height);
    auto picture = std::make_unique<Gdiplus::Bitmap>(w, h, PixelFormat32bppRGB);
    if (picture->GetLastStatus() != Gdiplus::Ok) return nullptr;
    Gdiplus::Graphics graphics(picture.get());
    render::GdiplusBackend backend(
        graphics, Gdiplus::RectF(0, 0, static_cast<float>(w), static_cast<float>(h)));
    report_ = shown_.Draw(backend, area, 1);
    return picture;
}

// Drawn into a bitmap first, then copied at once: no flicker.
void ViewerWindow::Paint(HDC target) {
    if (const auto picture = Picture()) Gdiplus::Graphics(target).DrawImage(picture.get(), 0, 0);
}

bool ViewerWindow::Grab(const std::filesystem::path& target) {
    try {
        const auto picture = Picture();
        if (!picture) throw render::OutputError("no memory for the picture");
        WriteOutputFile(target, render::EncodePng(*picture), true);
        return true;
    } catch (const std::exception& e) {  // the encoder or the file refused
        Tell(target.wstring() + L" cannot be written: " + WideFromUtf8(e.what()));
        return false;
    }
}

void ViewerWindow::CursorMoved(render::Point pixel) {
    const render::Point paper = shown_.PaperAt(pixel, Area());
    const std::wstring text = WideFromUtf8(ViewerStatus(paper, shown_.Drawing(), shown_.Zoom()));
    SendMessageW(status_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool ViewerWindow::Command(int id) {
    const AreaSize area = Area();
    const render::Point centre{area.width / 2, area.height / 2};
    if (id >= kRecentFirst && id < kRecentFirst + static_cast<int>(recentShown_.size())) {
        Open(recentShown_[id - kRecentFirst]);
        return true;
    }
    switch (id) {
        case kOpen:
            AskAndOpen();
            return true;
        case kExportDxf:
        case kSaveAs:
            AskAndWrite(id);
            return true;
        case kSaveJww:
            AskAndSaveJww();
            return true;
        case kPrint:
            AskAndPrint();
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
            shown_.ZoomAt(centre, id == kZoomIn ? kKeyStep : 1 / kKeyStep, area);
            Changed();
            return true;
        case kPrintView:
            shown_.SetPrintView(!shown_.PrintView());
            ShowChecked(id, shown_.PrintView());
            return true;
        case kBlackBackground:
            shown_.SetBlackBackground(!shown_.BlackBackground());
            ShowChecked(id, shown_.BlackBackground());
            return true;
        default:
            return false;
    }
}

bool ViewerWindow::Key(WPARAM key) {
    if (Down(VK_CONTROL)) {
        const bool shift = Down(VK_SHIFT);
        switch (key) {
            case 'O':
                return Command(kOpen);
            case 'E':
                return Command(kExportDxf);
            case 'S':
                return shift && Command(kSaveAs);
            case 'J':
                return shift && Command(kSaveJww);
            case 'P':
                return Command(shift ? kPrintView : kPrint);
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

LRESULT CALLBACK ViewerWindow::FrameProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    ViewerWindow* self = Owner(window, message, l);
    if (!self) return DefWindowProcW(window, message, w, l);
    if (message == WM_NCCREATE) self->window_ = window;
    if (message == WM_NCDESTROY) {  // the object may outlive its window
        self->window_ = nullptr;
        return DefWindowProcW(window, message, w, l);
    }
    return self->Frame(message, w, l);
}

LRESULT CALLBACK ViewerWindow::CanvasProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    ViewerWindow* self = Owner(window, message, l);
    if (!self) return DefWindowProcW(window, message, w, l);
    if (message == WM_NCCREATE) self->canvas_ = window;
    if (message == WM_NCDESTROY) {
        self->canvas_ = nullptr;
        return DefWindowProcW(window, message, w, l);
    }
    return self->CanvasMessage(message, w, l);
}

LRESULT ViewerWindow::Frame(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_SIZE:
            LayOut();
            return 0;
        case WM_SETFOCUS:
            if (canvas_) SetFocus(canvas_);
            return 0;
        case WM_DPICHANGED: {
            dpi_ = HIWORD(w);
            const RECT& suggested = *reinterpret_cast<const RECT*>(l);
            SetWindowPos(window_, nullptr, suggested.left, suggested.top,
                         suggested.right - suggested.left, suggested.bottom - suggested.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            SetFonts();
            LayOut();
            return 0;
        }
        case WM_INITMENUPOPUP:
            if (reinterpret_cast<HMENU>(w) == recent_) FillRecent(recent_);
            break;
        case WM_NOTIFY:
            LayersNotified(*reinterpret_cast<const NMHDR*>(l));
            break;
        case kLayersToggled:
            ReadLayers();
            return 0;
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

LRESULT ViewerWindow::CanvasMessage(UINT message, WPARAM w, LPARAM l) {
    switch (message) {
        case WM_PAINT: {
            PAINTSTRUCT paint;
            Paint(BeginPaint(canvas_, &paint));
            EndPaint(canvas_, &paint);
            return 0;
        }
        case WM_PRINTCLIENT:  // a picture of the window, as PrintWindow asks
            Paint(reinterpret_cast<HDC>(w));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            shown_.Resized(Area());
            Changed();
            return 0;
        case WM_HSCROLL:
        case WM_VSCROLL:
            Scrolled(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(w));
            return 0;
        case WM_MOUSEWHEEL: {
            POINT at{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
            ScreenToClient(canvas_, &at);
            shown_.ZoomAt({static_cast<double>(at.x), static_cast<double>(at.y)},
                          std::pow(kWheelStep, GET_WHEEL_DELTA_WPARAM(w) / 120.0), Area());
            Changed();
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_MBUTTONDOWN:
            SetFocus(canvas_);
            dragFrom_ = POINT{GET_X_LPARAM(l), GET_Y_LPARAM(l)};
            SetCapture(canvas_);
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
                shown_.PanBy(at.x - dragFrom_->x, at.y - dragFrom_->y);
                dragFrom_ = at;
                Changed();
            }
            return 0;
        }
        case WM_KEYDOWN:
            if (Key(w)) return 0;
            break;
        default:
            break;
    }
    return DefWindowProcW(canvas_, message, w, l);
}

}  // namespace tw::win32
