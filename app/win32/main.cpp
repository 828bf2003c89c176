// tintwright.exe: the chart window, or with a drawing (`tintwright.exe
// FILE.jww`, as the .jww association and a file dropped on the program give
// it, or `tintwright.exe view FILE.jww`) the viewer showing it.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

#include <filesystem>
#include <optional>
#include <stdexcept>

#include <tintwright/util/CommandLine.h>
#include "MainWindow.h"
#include "ViewerWindow.h"

namespace {

// The drawing named on the command line, if any.
std::optional<std::filesystem::path> DrawingArgument() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    std::optional<std::filesystem::path> file;
    if (args && count >= 2) {
        const bool view = std::wstring_view(args[1]) == L"view";
        if (!view)
            file = args[1];
        else if (count >= 3)
            file = args[2];
    }
    LocalFree(args);
    return file;
}

// dialog: a window whose dialog keys (Tab) are handled, or none.
int MessageLoop(HWND dialog) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (dialog && IsDialogMessageW(dialog, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof controls,
                                  ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    if (const auto file = DrawingArgument()) {
        try {
            tw::win32::ViewerWindow viewer(instance);
            viewer.Show(show);
            viewer.Open(*file);
            return MessageLoop(nullptr);
        } catch (const std::exception& e) {  // GDI+ or the window could not start
            MessageBoxA(nullptr, e.what(), "Tintwright viewer", MB_OK | MB_ICONERROR);
            return 1;
        }
    }
    tw::win32::MainWindow window(instance, tw::ExecutableFile("").u16string());
    window.Show(show);
    return MessageLoop(window.Handle());
}
