// The viewer on Windows: a drawing drawn by the renderer's frontend and GDI+
// backend into a back buffer, zoomed with the wheel about the cursor, panned
// by dragging, fitted with F or Home (the drawing) or S (the sheet); File
// menu (Open… Ctrl+O, Close Ctrl+W, Quit Ctrl+Q), a .jww dropped on it opens,
// and a status line tells the cursor's paper position and the zoom.
#pragma once

#include <windows.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include <tintwright/render/Frontend.h>

#include "app/ShownDrawing.h"
#include "app/ViewTransform.h"

namespace tw::win32 {

class ViewerWindow {
  public:
    explicit ViewerWindow(HINSTANCE instance);
    ~ViewerWindow();
    ViewerWindow(const ViewerWindow&) = delete;
    ViewerWindow& operator=(const ViewerWindow&) = delete;

    HWND Handle() const { return window_; }
    void Show(int how);
    // Shows the file; a missing or unreadable one is told in a message box
    // and the window keeps what it showed.
    bool Open(const std::filesystem::path& file);

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM l);
    LRESULT Handle(UINT message, WPARAM w, LPARAM l);
    bool Command(int id);
    bool Key(WPARAM key);
    void AskAndOpen();
    void Close();
    void FitTo(render::Fit fit);
    void Paint();
    void CursorMoved(render::Point pixel);
    void Changed();
    void Tell(const std::wstring& text);
    AreaSize Area() const;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    HWND status_ = nullptr;
    std::unique_ptr<ShownDrawing> drawing_;
    ViewTransform transform_;
    // The fit kept on resize, until the user zooms or pans.
    std::optional<render::Fit> fitted_ = render::Fit::Opening;
    std::optional<POINT> dragFrom_;
};

}  // namespace tw::win32
