#include "JapaneseFont.h"

#include <cwchar>
#include <initializer_list>

namespace tw::win32 {

HFONT JapaneseFont(int pixels) {
    for (const wchar_t* face : {L"Meiryo UI", L"MS UI Gothic", L"Yu Gothic UI"}) {
        LOGFONTW wanted{};
        wanted.lfCharSet = SHIFTJIS_CHARSET;
        wcsncpy(wanted.lfFaceName, face, LF_FACESIZE - 1);
        bool found = false;
        const HDC screen = GetDC(nullptr);
        EnumFontFamiliesExW(
            screen, &wanted,
            [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
                *reinterpret_cast<bool*>(found) = true;
                return 0;
            },
            reinterpret_cast<LPARAM>(&found), 0);
        ReleaseDC(nullptr, screen);
        if (found)
            return CreateFontW(-pixels, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY,
                               DEFAULT_PITCH, face);
    }
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace tw::win32
