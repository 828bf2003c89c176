#include "RecentFiles.h"

#include <windows.h>

#include <string>

#include "app/RecentFiles.h"

namespace tw::win32 {

namespace {

constexpr wchar_t kKey[] = L"Software\\Tintwright\\Viewer";
constexpr wchar_t kValue[] = L"Recent";

std::u16string U16(const std::wstring& text) {
    return {text.begin(), text.end()};
}

std::vector<std::u16string> Stored() {
    DWORD bytes = 0;
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_MULTI_SZ, nullptr, nullptr,
                     &bytes) != ERROR_SUCCESS)
        return {};
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    if (RegGetValueW(HKEY_CURRENT_USER, kKey, kValue, RRF_RT_REG_MULTI_SZ, nullptr, text.data(),
                     &bytes) != ERROR_SUCCESS)
        return {};
    std::vector<std::u16string> files;
    for (const wchar_t* name = text.c_str(); *name; name += wcslen(name) + 1)
        files.push_back(U16(name));
    return files;
}

}  // namespace

std::vector<std::filesystem::path> RecentFiles() {
    std::vector<std::filesystem::path> files;
    for (const std::u16string& name : Stored())
        files.emplace_back(name);
    return files;
}

void RememberRecent(const std::filesystem::path& file) {
    std::wstring text;  // each name ended by a null, the list by another
    for (const std::u16string& name : WithRecent(Stored(), file.u16string()))
        text.append(name.begin(), name.end()).push_back(L'\0');
    text.push_back(L'\0');
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;  // no settings: the list is not kept, the viewer still works
    RegSetValueExW(key, kValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(text.data()),
                   static_cast<DWORD>(text.size() * sizeof(wchar_t)));
    RegCloseKey(key);
}

}  // namespace tw::win32
