// The viewer on Windows, the same application as the Qt one: a drawing drawn
// by the renderer's frontend and GDI+ backend into a back buffer, zoomed
// with the wheel about the cursor, panned by dragging or with the scroll
// bars, fitted with F or Home (the drawing) or S (the sheet); File menu
// (Open… Ctrl+O, Open Recent, Export DXF… Ctrl+E, Save as PDF, PNG or SVG…
// Ctrl+Shift+S, Print… Ctrl+P, Close Ctrl+W, Quit Ctrl+Q), View menu (fit, zoom, Print view
// Ctrl+Shift+P, Black background), the layer groups and layers with their
// entity counts and check boxes on the left, a .jww dropped on it opens,
// and a status line tells the cursor's paper and real position and the zoom.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <tintwright/render/Frontend.h>

#include "app/DrawingView.h"
#include "app/ShownDrawing.h"
#include "app/cli/SaveAsJww.h"

namespace Gdiplus {
class Bitmap;
}

namespace tw::win32 {

class ViewerWindow {
  public:
    // The menu's commands, as WM_COMMAND carries them.
    enum MenuId {
        kOpen = 1,
        kExportDxf,
        kSaveAs,
        kPrint,
        kClose,
        kQuit,
        kFitDrawing,
        kFitSheet,
        kZoomIn,
        kZoomOut,
        kPrintView,
        kBlackBackground,
        kSaveJww,
        kRecentFirst = 100,  // kRecentFirst + i opens the i-th recent file
    };

    explicit ViewerWindow(HINSTANCE instance);
    ~ViewerWindow();
    ViewerWindow(const ViewerWindow&) = delete;
    ViewerWindow& operator=(const ViewerWindow&) = delete;

    HWND Handle() const { return window_; }
    // The drawing area (scroll bars, mouse) and the layer panel.
    HWND Canvas() const { return canvas_; }
    HWND Layers() const { return layers_; }
    void Show(int how);
    // Shows the file; a missing or unreadable one is told in a message box
    // and the window keeps what it showed.
    bool Open(const std::filesystem::path& file);
    // The shown drawing written as the command line's "export" and "render"
    // (format from the extension) write it, replacing the target (the save
    // dialog asked); a failure is told in a message box. True when written.
    bool ExportDxf(const std::filesystem::path& target);
    // The drawing on screen as a JWW file in that version and text code.
    bool SaveAsJww(const std::filesystem::path& target, const cli::JwwFormat& format);
    void AskAndSaveJww();
    bool SaveAs(const std::filesystem::path& target);
    // The sheet at the drawing's scale, in print colours, on a page whose
    // top-left corner is the sheet's (a printer's, or any device context):
    // what Print… sends to the printer. False without a drawing.
    bool PrintOn(HDC page) const;
    // The drawing area's picture written as a PNG file (replacing one); a
    // failure is told in a message box. True when written.
    bool Grab(const std::filesystem::path& target);
    // What the last picture drew.
    const render::RenderReport& LastReport() const { return report_; }

  private:
    static LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    static LRESULT CALLBACK CanvasProcedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Frame(UINT message, WPARAM w, LPARAM l);
    LRESULT CanvasMessage(UINT message, WPARAM w, LPARAM l);
    bool Command(int id);
    bool Key(WPARAM key);
    void LayersNotified(const NMHDR& note);
    void AskAndOpen();
    void AskAndWrite(int id);
    void AskAndPrint();
    bool ReportCommand(int exitCode, const std::string& reason);
    void Close();
    void FillRecent(HMENU menu);
    void FillLayers();
    void ReadLayers();
    void ShowChecked(int id, bool on);
    void SetFonts();
    void LayOut();
    void FitTo(render::Fit fit);
    std::unique_ptr<Gdiplus::Bitmap> Picture();
    void Paint(HDC target);
    void CursorMoved(render::Point pixel);
    void Scrolled(int bar, int code);
    void UpdateScrollBars();
    void Changed();
    void Tell(const std::wstring& text);
    AreaSize Area() const;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND canvas_ = nullptr;
    HWND layers_ = nullptr;
    HWND status_ = nullptr;
    HMENU recent_ = nullptr;
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    HFONT font_ = nullptr;
    std::unique_ptr<ShownDrawing> drawing_;
    std::filesystem::path file_;
    std::vector<std::filesystem::path> recentShown_;
    bool fillingLayers_ = false;
    DrawingView shown_;
    std::optional<POINT> dragFrom_;
    render::RenderReport report_;
};

}  // namespace tw::win32
