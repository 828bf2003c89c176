// The platform part of Func_2 on Windows: code page 932 character by
// character, the user's casing and UTF-8, through the system's own calls.
#include <windows.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include <tintwright/util/Cp932Platform.h>
#include <tintwright/util/Func_2.h>

namespace tw {

namespace {

constexpr UINT kCodePage932 = 932;

const wchar_t* Wide(const std::u16string& text) {
    return reinterpret_cast<const wchar_t*>(text.data());
}

wchar_t* Wide(std::u16string& text) {
    return reinterpret_cast<wchar_t*>(text.data());
}

std::u16string MapCase(const std::u16string& text, DWORD mapping) {
    if (text.empty()) return {};
    const auto length = static_cast<int>(text.size());
    const DWORD flags = mapping | LCMAP_LINGUISTIC_CASING;
    const int needed = LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, Wide(text), length, nullptr,
                                     0, nullptr, nullptr, 0);
    std::u16string result(static_cast<size_t>(needed), u'\0');
    if (needed <= 0 || LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, Wide(text), length,
                                     Wide(result), needed, nullptr, nullptr, 0) != needed)
        throw std::runtime_error("case mapping failed");
    return result;
}

}  // namespace

std::vector<uint16_t> PlatformEncodeTable() {
    std::vector<uint16_t> codes(0x10000);
    for (uint32_t unit = 1; unit < 0x10000; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF) continue;
        const auto c = static_cast<wchar_t>(unit);
        char bytes[2];
        BOOL substituted = FALSE;
        const int n = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, &c, 1, bytes, 2,
                                          nullptr, &substituted);
        if (substituted || n < 1) continue;
        const auto first = static_cast<uint8_t>(bytes[0]);
        codes[unit] = n == 1 ? first : static_cast<uint16_t>(first << 8 | uint8_t(bytes[1]));
    }
    return codes;
}

char16_t PlatformDecode(const uint8_t* bytes, size_t size) {
    wchar_t text[2];
    const int n =
        MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS,
                            reinterpret_cast<const char*>(bytes), static_cast<int>(size), text, 2);
    return n == 1 ? static_cast<char16_t>(text[0]) : char16_t{0};
}

std::u16string UpperText(const std::u16string& text) {
    return MapCase(text, LCMAP_UPPERCASE);
}

std::u16string LowerText(const std::u16string& text) {
    return MapCase(text, LCMAP_LOWERCASE);
}

namespace {

// UTF-8 of text; with WC_ERR_INVALID_CHARS none for a lone surrogate,
// without it such a unit becomes U+FFFD.
std::optional<std::string> Utf8Of(const std::u16string& text, DWORD flags) {
    if (text.empty()) return std::string();
    const auto length = static_cast<int>(text.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, flags, Wide(text), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) return std::nullopt;
    std::string result(static_cast<size_t>(needed), '\0');
    if (WideCharToMultiByte(CP_UTF8, flags, Wide(text), length, result.data(), needed, nullptr,
                            nullptr) != needed)
        return std::nullopt;
    return result;
}

// UTF-16 of text; with MB_ERR_INVALID_CHARS none for invalid bytes.
std::optional<std::u16string> Utf16Of(const std::string& text, DWORD flags) {
    if (text.empty()) return std::u16string();
    const auto length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(CP_UTF8, flags, text.data(), length, nullptr, 0);
    if (needed <= 0) return std::nullopt;
    std::u16string result(static_cast<size_t>(needed), u'\0');
    if (MultiByteToWideChar(CP_UTF8, flags, text.data(), length, Wide(result), needed) != needed)
        return std::nullopt;
    return result;
}

}  // namespace

std::string ToUtf8(const std::u16string& text) {
    auto result = Utf8Of(text, 0);
    if (!result) throw std::runtime_error("UTF-8 encoding failed");
    return std::move(*result);
}

std::u16string FromUtf8(const std::string& text) {
    auto result = Utf16Of(text, 0);
    if (!result) throw std::runtime_error("UTF-8 decoding failed");
    return std::move(*result);
}

std::optional<std::string> ExactUtf8(const std::u16string& text) {
    return Utf8Of(text, WC_ERR_INVALID_CHARS);
}

std::optional<std::u16string> ExactFromUtf8(const std::string& text) {
    return Utf16Of(text, MB_ERR_INVALID_CHARS);
}

}  // namespace tw
