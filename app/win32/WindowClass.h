// The program's window classes: its icon (the system's where it has none),
// the arrow cursor; registered once, a second window finds them.
#pragma once

#include <windows.h>

namespace tw::win32 {

void RegisterWindowClass(HINSTANCE instance, const wchar_t* name, WNDPROC procedure,
                         HBRUSH background = nullptr);

}  // namespace tw::win32
