// The platform part of Func_2 on ICU: code page 932 character by character,
// locale casing and UTF-8.
#include <unicode/ucnv.h>
#include <unicode/uset.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include <tintwright/util/Cp932Platform.h>
#include <tintwright/util/Func_2.h>

namespace tw {

namespace {

struct ConverterClose {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};

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
char16_t DecodeOne(UConverter* converter, const uint8_t* windows, size_t size) {
    ucnv_reset(converter);
    char bytes[2];
    std::transform(windows, windows + size, bytes, WindowsToIcuByte);
    UChar text[2];
    UChar* target = text;
    const char* source = bytes;
    UErrorCode error = U_ZERO_ERROR;
    ucnv_toUnicode(converter, &target, text + 2, &source, bytes + size, nullptr, true, &error);
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

using CaseMapping = int32_t (*)(UChar*, int32_t, const UChar*, int32_t, const char*, UErrorCode*);

std::u16string MapCase(const std::u16string& text, CaseMapping mapping) {
    if (text.empty()) return {};
    const auto length = static_cast<int32_t>(text.size());
    std::u16string result(text.size(), u'\0');
    UErrorCode error = U_ZERO_ERROR;
    // nullptr: the user's default locale, so that a Turkish user's "i" becomes "İ".
    int32_t needed = mapping(result.data(), length, text.data(), length, nullptr, &error);
    if (error == U_BUFFER_OVERFLOW_ERROR) {
        result.resize(static_cast<size_t>(needed));
        error = U_ZERO_ERROR;
        needed = mapping(result.data(), needed, text.data(), length, nullptr, &error);
    }
    if (U_FAILURE(error))
        throw std::runtime_error(std::string("case mapping: ") + u_errorName(error));
    result.resize(static_cast<size_t>(needed));
    return result;
}

}  // namespace

std::vector<uint16_t> PlatformEncodeTable() {
    // Only the code units the converter maps are asked about: asking about all
    // 65,536 took most of the time of a small program's first save.
    const auto converter = StrictConverter();
    std::vector<uint16_t> codes(0x10000);
    ForEachMappedCodeUnit(converter.get(),
                          [&](char16_t c) { codes[c] = EncodeOne(converter.get(), c); });
    return codes;
}

char16_t PlatformDecode(const uint8_t* bytes, size_t size) {
    if (size < 1 || size > 2) return 0;
    thread_local const auto converter = StrictConverter();
    return DecodeOne(converter.get(), bytes, size);
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

}  // namespace tw
