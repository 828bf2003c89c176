// tintwright.exe: the chart window, or with a drawing (`tintwright.exe
// FILE.jww`, as the .jww association and a file dropped on the program give
// it, or `tintwright.exe view FILE.jww`) the viewer showing it; with
// `--grab OUT.png` the picture of its drawing area is written instead.
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

// What the command line asks: a drawing to show (`FILE` or `view FILE`), and
// a file to write the drawing area's picture to instead of staying open
// (`--grab OUT.png`).
struct ViewerArguments {
    std::optional<std::filesystem::path> file;
    std::optional<std::filesystem::path> grab;
};

ViewerArguments Arguments() {
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    ViewerArguments parsed;
    for (int i = 1; args && i < count; ++i) {
        const std::wstring_view arg(args[i]);
        if (i == 1 && arg == L"view") continue;
        if (arg == L"--grab" && i + 1 < count)
            parsed.grab = args[++i];
        else if (!parsed.file)
            parsed.file = args[i];
    }
    LocalFree(args);
    return parsed;
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
    if (const ViewerArguments asked = Arguments(); asked.file) {
        try {
            tw::win32::ViewerWindow viewer(instance);
            viewer.Show(show);
            const bool opened = viewer.Open(*asked.file);
            if (asked.grab) return opened && viewer.Grab(*asked.grab) ? 0 : 1;
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
