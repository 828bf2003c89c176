// The platform part of Func_2 on ICU: code page 932, locale casing and UTF-8.
// A Windows build puts WideCharToMultiByte(932) and LCMapStringEx here.
#include <unicode/ucnv.h>
#include <unicode/uset.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "util/Func_2.h"

namespace tw {

namespace {

struct ConverterClose {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

// Opening a converter is costly and texts are converted one by one, so each
// thread keeps its own. It holds no state between calls (it is reset).
UConverter* Cp932Converter() {
    thread_local std::unique_ptr<UConverter, ConverterClose> converter = [] {
        UErrorCode error = U_ZERO_ERROR;
        std::unique_ptr<UConverter, ConverterClose> opened(ucnv_open("windows-31j", &error));
        if (U_FAILURE(error)) throw std::runtime_error("code page 932 converter unavailable");
        ucnv_setSubstChars(opened.get(), "?", 1, &error);
        if (U_FAILURE(error)) throw std::runtime_error("code page 932 substitution refused");
        return opened;
    }();
    ucnv_reset(converter.get());
    return converter.get();
}

// ICU's table follows the IBM PC convention and permutes the single-byte
// codes 0x1A, 0x1C and 0x7F; Windows maps them one to one. Code page 932 never
// uses these bytes as a trail byte, so mending them byte by byte is exact.
uint8_t IcuToWindowsByte(uint8_t byte) {
    switch (byte) {
        case 0x7F:
            return 0x1A;
        case 0x1A:
            return 0x1C;
        case 0x1C:
            return 0x7F;
        default:
            return byte;
    }
}

uint8_t WindowsToIcuByte(uint8_t byte) {
    switch (byte) {
        case 0x1A:
            return 0x7F;
        case 0x1C:
            return 0x1A;
        case 0x7F:
            return 0x1C;
        default:
            return byte;
    }
}

// Code page 932 as lookup tables taken from ICU once, so that converting a
// text costs one lookup per character rather than a converter call. Only what
// ICU converts cleanly on its own goes into a table; a text with anything else
// (an unmapped character, a surrogate, a malformed byte sequence, U+0000)
// goes through ICU whole, so every result stays ICU's.

// A converter that stops at the first character ICU would substitute, which
// tells a clean conversion from a substituted one.
std::unique_ptr<UConverter, ConverterClose> StrictConverter() {
    UErrorCode error = U_ZERO_ERROR;
    std::unique_ptr<UConverter, ConverterClose> converter(ucnv_open("windows-31j", &error));
    ucnv_setFromUCallBack(converter.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                          &error);
    ucnv_setToUCallBack(converter.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                        &error);
    if (U_FAILURE(error)) throw std::runtime_error("code page 932 converter unavailable");
    return converter;
}

// The Windows bytes of one code unit (lead << 8 | trail for a pair), 0 when
// ICU would not convert it cleanly.
uint16_t EncodeOne(UConverter* converter, char16_t c) {
    ucnv_reset(converter);
    char bytes[4];
    char* target = bytes;
    const UChar* source = &c;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_fromUnicode(converter, &target, bytes + sizeof bytes, &source, source + 1, nullptr, true,
                     &error);
    const auto n = target - bytes;
    if (U_FAILURE(error) || n < 1 || n > 2) return 0;
    uint16_t code = 0;
    for (auto i = 0; i < n; ++i)
        code = static_cast<uint16_t>(code << 8 | IcuToWindowsByte(static_cast<uint8_t>(bytes[i])));
    return code;
}

// The one code unit that the Windows bytes decode to, 0 when ICU would not
// decode them cleanly into exactly one.
template <size_t N>
char16_t DecodeOne(UConverter* converter, const uint8_t (&windows)[N]) {
    ucnv_reset(converter);
    char bytes[N];
    std::transform(windows, windows + N, bytes, WindowsToIcuByte);
    UChar text[2];
    UChar* target = text;
    const char* source = bytes;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_toUnicode(converter, &target, text + 2, &source, bytes + N, nullptr, true, &error);
    return U_FAILURE(error) || target != text + 1 ? char16_t{0} : text[0];
}

struct SetClose {
    void operator()(USet* set) const { uset_close(set); }
};

// f(c) for every code unit from U+0001 that is no surrogate and that the
// converter maps at all, one way or both: about 9,400 of them, and no other
// converts cleanly.
template <class F>
void ForEachMappedCodeUnit(UConverter* converter, F f) {
    const std::unique_ptr<USet, SetClose> set(uset_openEmpty());
    UErrorCode error = U_ZERO_ERROR;
    ucnv_getUnicodeSet(converter, set.get(), UCNV_ROUNDTRIP_AND_FALLBACK_SET, &error);
    if (U_FAILURE(error)) throw std::runtime_error("code page 932 character set unavailable");
    for (int32_t i = 0; i < uset_getItemCount(set.get()); ++i) {
        UChar32 first = 0;
        UChar32 last = 0;
        // Items with a length are strings, not ranges; asking for one with no
        // room reports an error, which must not stop the items after it.
        UErrorCode itemError = U_ZERO_ERROR;
        if (uset_getItem(set.get(), i, &first, &last, nullptr, 0, &itemError) != 0) continue;
        for (UChar32 c = std::max(first, 1); c <= std::min(last, 0xFFFF); ++c) {
            if (c < 0xD800 || c > 0xDFFF) f(static_cast<char16_t>(c));
        }
    }
}

// By UTF-16 code unit. Built on first use, as a reader needs only the other.
// Only the code units the converter maps are asked about: asking about all
// 65,536 took most of the time of a small program's first save.
const std::vector<uint16_t>& EncodeTable() {
    static const std::vector<uint16_t> table = [] {
        const auto converter = StrictConverter();
        std::vector<uint16_t> codes(0x10000);
        ForEachMappedCodeUnit(converter.get(),
                              [&](char16_t c) { codes[c] = EncodeOne(converter.get(), c); });
        return codes;
    }();
    return table;
}

// By single byte, or by lead << 8 | trail: no pair index is below 0x100, as
// no lead byte is zero.
const std::vector<char16_t>& DecodeTable() {
    static const std::vector<char16_t> table = [] {
        const auto converter = StrictConverter();
        std::vector<char16_t> text(0x10000);
        for (uint32_t byte = 1; byte < 0x100; ++byte) {
            const uint8_t single[] = {static_cast<uint8_t>(byte)};
            text[byte] = DecodeOne(converter.get(), single);
            if (text[byte] != 0) continue;
            // A byte that is no character of its own may lead a pair.
            for (uint32_t trail = 1; trail < 0x100; ++trail) {
                const uint8_t pair[] = {static_cast<uint8_t>(byte), static_cast<uint8_t>(trail)};
                text[(byte << 8) | trail] = DecodeOne(converter.get(), pair);
            }
        }
        return text;
    }();
    return table;
}

// False, with out unspecified, when the text needs ICU. Every character
// stores two bytes and keeps the second only when it needs it: texts mix one-
// and two-byte characters, which a branch per character would mispredict.
bool EncodeByTable(const std::u16string& text, ByteBuffer& out) {
    const std::vector<uint16_t>& table = EncodeTable();
    out.resize(text.size() * 2);
    uint8_t* at = out.data();
    for (char16_t c : text) {
        const uint16_t code = table[c];
        if (code == 0) return false;
        const bool pair = code > 0xFF;
        at[0] = static_cast<uint8_t>(pair ? code >> 8 : code);
        at[1] = static_cast<uint8_t>(code);
        at += 1 + pair;
    }
    out.resize(static_cast<size_t>(at - out.data()));
    return true;
}

bool DecodeByTable(const uint8_t* data, size_t size, std::u16string& out) {
    const std::vector<char16_t>& table = DecodeTable();
    out.resize(size);
    size_t n = 0;
    for (size_t i = 0; i < size; ++i) {
        char16_t c = table[data[i]];
        if (c == 0 && i + 1 < size) {
            c = table[(data[i] << 8) | data[i + 1]];
            ++i;
        }
        if (c == 0) return false;
        out[n++] = c;
    }
    out.resize(n);
    return true;
}

bool IsAscii(const std::u16string& text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

bool IsAscii(const uint8_t* data, size_t size) {
    return std::all_of(data, data + size, [](uint8_t byte) { return byte < 0x80; });
}

using CaseMapping = int32_t (*)(UChar*, int32_t, const UChar*, int32_t, const char*, UErrorCode*);

std::u16string MapCase(const std::u16string& text, CaseMapping mapping) {
    if (text.empty()) return {};
    const auto length = static_cast<int32_t>(text.size());
    std::u16string result(text.size(), u'\0');
    UErrorCode error = U_ZERO_ERROR;
    int32_t needed = mapping(result.data(), length, text.data(), length, "", &error);
    if (error == U_BUFFER_OVERFLOW_ERROR) {
        result.resize(static_cast<size_t>(needed));
        error = U_ZERO_ERROR;
        needed = mapping(result.data(), needed, text.data(), length, "", &error);
    }
    if (U_FAILURE(error))
        throw std::runtime_error(std::string("case mapping: ") + u_errorName(error));
    result.resize(static_cast<size_t>(needed));
    return result;
}

}  // namespace

void StrToAnsiBytes(const std::u16string& text, ByteBuffer& out) {
    if (IsAscii(text)) {
        out.assign(text.begin(), text.end());
        return;
    }
    if (EncodeByTable(text, out)) return;
    UConverter* converter = Cp932Converter();
    // Every UTF-16 code unit becomes at most two bytes, a substitute one.
    out.assign(text.size() * 2, 0);
    auto* target = reinterpret_cast<char*>(out.data());
    const UChar* source = text.data();
    UErrorCode error = U_ZERO_ERROR;
    ucnv_fromUnicode(converter, &target, target + out.size(), &source, source + text.size(),
                     nullptr, true, &error);
    if (U_FAILURE(error)) throw std::runtime_error("code page 932 encoding failed");
    out.resize(static_cast<size_t>(target - reinterpret_cast<char*>(out.data())));
    std::transform(out.begin(), out.end(), out.begin(), IcuToWindowsByte);
}

ByteBuffer StrToAnsiBytes(const std::u16string& text) {
    ByteBuffer result;
    StrToAnsiBytes(text, result);
    return result;
}

std::u16string AnsiBytesToStr(const uint8_t* data, size_t size) {
    // Code page 932 never uses a zero byte inside a character, so cutting the
    // bytes at the first zero equals cutting the text at the first U+0000.
    size = static_cast<size_t>(std::find(data, data + size, 0) - data);
    if (IsAscii(data, size)) return std::u16string(data, data + size);
    std::u16string decoded;
    if (DecodeByTable(data, size, decoded)) return decoded;
    ByteBuffer source(size);
    std::transform(data, data + size, source.begin(), WindowsToIcuByte);
    UConverter* converter = Cp932Converter();
    // Every byte becomes at most one UTF-16 code unit (no supplementary
    // characters in code page 932; a bad byte gives one substitute).
    std::u16string result(size, u'\0');
    UChar* target = result.data();
    const auto* begin = reinterpret_cast<const char*>(source.data());
    UErrorCode error = U_ZERO_ERROR;
    ucnv_toUnicode(converter, &target, target + result.size(), &begin, begin + source.size(),
                   nullptr, true, &error);
    if (U_FAILURE(error)) throw std::runtime_error("code page 932 decoding failed");
    result.resize(static_cast<size_t>(target - result.data()));
    return result;
}

std::u16string UpperText(const std::u16string& text) {
    return MapCase(text, u_strToUpper);
}

std::u16string LowerText(const std::u16string& text) {
    return MapCase(text, u_strToLower);
}

namespace {

// UTF-8 of text with U+FFFD for what cannot be encoded, and how many times.
std::string Utf8WithSub(const std::u16string& text, int32_t& substitutions) {
    substitutions = 0;
    if (text.empty()) return {};
    std::string result(text.size() * 3, '\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strToUTF8WithSub(result.data(), static_cast<int32_t>(result.size()), &length, text.data(),
                       static_cast<int32_t>(text.size()), 0xFFFD, &substitutions, &error);
    if (U_FAILURE(error)) throw std::runtime_error("UTF-8 encoding failed");
    result.resize(static_cast<size_t>(length));
    return result;
}

std::u16string Utf16WithSub(const std::string& text, int32_t& substitutions) {
    substitutions = 0;
    if (text.empty()) return {};
    std::u16string result(text.size(), u'\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strFromUTF8WithSub(result.data(), static_cast<int32_t>(result.size()), &length, text.data(),
                         static_cast<int32_t>(text.size()), 0xFFFD, &substitutions, &error);
    if (U_FAILURE(error)) throw std::runtime_error("UTF-8 decoding failed");
    result.resize(static_cast<size_t>(length));
    return result;
}

}  // namespace

std::string ToUtf8(const std::u16string& text) {
    int32_t substitutions = 0;
    return Utf8WithSub(text, substitutions);
}

std::u16string FromUtf8(const std::string& text) {
    int32_t substitutions = 0;
    return Utf16WithSub(text, substitutions);
}

std::optional<std::string> ExactUtf8(const std::u16string& text) {
    int32_t substitutions = 0;
    std::string result = Utf8WithSub(text, substitutions);
    if (substitutions != 0) return std::nullopt;
    return result;
}

std::optional<std::u16string> ExactFromUtf8(const std::string& text) {
    int32_t substitutions = 0;
    std::u16string result = Utf16WithSub(text, substitutions);
    if (substitutions != 0) return std::nullopt;
    return result;
}

// Windows names are UTF-16 themselves; elsewhere they are bytes, UTF-8 here.
std::optional<std::filesystem::path> ExactPathOf(const std::u16string& name) {
#ifdef _WIN32
    return std::filesystem::path(name);
#else
    std::optional<std::string> bytes = ExactUtf8(name);
    if (!bytes) return std::nullopt;
    return std::filesystem::path(std::move(*bytes));
#endif
}

}  // namespace tw
