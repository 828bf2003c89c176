// The platform part of Func_2 where neither ICU nor Windows is at hand (the
// WebAssembly page): code page 932 from the tables taken from ICU, casing by
// the C library's Unicode tables one code unit at a time, and UTF-8 by hand
// with U+FFFD for each ill-formed part, as ICU substitutes.
#include <algorithm>
#include <cwctype>
#include <optional>
#include <string>
#include <vector>

#include "util/Cp932Platform.h"
#include "util/Cp932Table.h"
#include "util/Func_2.h"

namespace tw {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsSurrogate(char32_t c) {
    return c >= 0xD800 && c <= 0xDFFF;
}

template <class Map>
std::u16string MapCase(const std::u16string& text, Map map) {
    std::u16string result(text);
    for (char16_t& c : result)
        if (!IsSurrogate(c)) c = static_cast<char16_t>(map(static_cast<wint_t>(c)));
    return result;
}

void AppendUtf8(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUtf16(char32_t c, std::u16string& out) {
    if (c < 0x10000) {
        out += static_cast<char16_t>(c);
    } else {
        out += static_cast<char16_t>(0xD7C0 + (c >> 10));
        out += static_cast<char16_t>(0xDC00 | (c & 0x3FF));
    }
}

std::string Utf8WithSub(const std::u16string& text, int& substitutions) {
    substitutions = 0;
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
        } else if (IsSurrogate(c)) {
            c = kReplacement;
            ++substitutions;
        }
        AppendUtf8(c, out);
    }
    return out;
}

// The length of the well-formed sequence at text[i], 0 when it is not one;
// the longest well-formed start of it in prefix (the maximal subpart that
// one U+FFFD replaces).
size_t Utf8Sequence(const std::string& text, size_t i, char32_t& c, size_t& prefix) {
    const auto lead = static_cast<uint8_t>(text[i]);
    size_t length = 0;
    uint8_t low = 0x80;
    uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, c = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, c = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, c = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    }
    prefix = 1;
    if (length == 0) return 0;
    for (size_t k = 1; k < length; ++k) {
        if (i + k >= text.size()) return 0;
        const auto next = static_cast<uint8_t>(text[i + k]);
        if (next < (k == 1 ? low : 0x80) || next > (k == 1 ? high : 0xBF)) return 0;
        c = c << 6 | (next & 0x3F);
        prefix = k + 1;
    }
    return length;
}

std::u16string Utf16WithSub(const std::string& text, int& substitutions) {
    substitutions = 0;
    std::u16string out;
    for (size_t i = 0; i < text.size();) {
        const auto byte = static_cast<uint8_t>(text[i]);
        if (byte < 0x80) {
            out += static_cast<char16_t>(byte);
            ++i;
            continue;
        }
        char32_t c = 0;
        size_t prefix = 1;
        if (const size_t length = Utf8Sequence(text, i, c, prefix)) {
            AppendUtf16(c, out);
            i += length;
        } else {
            out += static_cast<char16_t>(kReplacement);
            ++substitutions;
            i += prefix;
        }
    }
    return out;
}

}  // namespace

std::vector<uint16_t> PlatformEncodeTable() {
    std::vector<uint16_t> codes(0x10000);
    for (size_t i = 0; i < kCp932EncodeSize; ++i)
        codes[kCp932Encode[i].from] = kCp932Encode[i].to;
    return codes;
}

char16_t PlatformDecode(const uint8_t* bytes, size_t size) {
    if (size < 1 || size > 2) return 0;
    const auto key = static_cast<uint16_t>(size == 1 ? bytes[0] : bytes[0] << 8 | bytes[1]);
    const Cp932Pair* end = kCp932Decode + kCp932DecodeSize;
    const Cp932Pair* found = std::lower_bound(
        kCp932Decode, end, key, [](const Cp932Pair& p, uint16_t k) { return p.from < k; });
    return found != end && found->from == key ? static_cast<char16_t>(found->to) : char16_t{0};
}

std::u16string UpperText(const std::u16string& text) {
    return MapCase(text, std::towupper);
}

std::u16string LowerText(const std::u16string& text) {
    return MapCase(text, std::towlower);
}

std::string ToUtf8(const std::u16string& text) {
    int substitutions = 0;
    return Utf8WithSub(text, substitutions);
}

std::u16string FromUtf8(const std::string& text) {
    int substitutions = 0;
    return Utf16WithSub(text, substitutions);
}

std::optional<std::string> ExactUtf8(const std::u16string& text) {
    int substitutions = 0;
    std::string result = Utf8WithSub(text, substitutions);
    if (substitutions != 0) return std::nullopt;
    return result;
}

std::optional<std::u16string> ExactFromUtf8(const std::string& text) {
    int substitutions = 0;
    std::u16string result = Utf16WithSub(text, substitutions);
    if (substitutions != 0) return std::nullopt;
    return result;
}

}  // namespace tw
