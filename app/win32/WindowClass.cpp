#include "WindowClass.h"

namespace tw::win32 {

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                         HBRUSH background) {
    WNDCLASSEXW kind{};
    kind.cbSize = sizeof kind;
    kind.lpfnWndProc = procedure;
    kind.hInstance = instance;
    kind.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    kind.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));  // the program's own, resource 1
    if (!kind.hIcon) kind.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    kind.hbrBackground = background;
    kind.lpszClassName = name;
    RegisterClassExW(&kind);
}

}  // namespace tw::win32
