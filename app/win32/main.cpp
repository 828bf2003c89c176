// tintwright.exe: the window.
#include <windows.h>

#include <commctrl.h>

#include <tintwright/util/CommandLine.h>
#include "MainWindow.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    tw::win32::MainWindow window(instance, tw::ExecutableFile("").u16string());
    window.Show(show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.IsDialogMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
