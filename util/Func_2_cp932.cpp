// Code page 932 for every platform: tables taken once from the platform's
// converter, plus this program's own rules for what the platforms disagree
// on, so that a drawing saved on Windows and on Linux has the same bytes:
// - only characters whose bytes read back as themselves, and
//   the Shift_JIS forms of other systems (JIS's own mapping, e.g. U+301C
//   "〜", U+2212 "−", U+00A5 "¥") become the code page 932 character they
//   stand for, as users expect their text kept; no other best fit;
// - the single bytes 80, A0, FD, FE and FF decode to U+0080, U+F8F0..F8F3
//   and back, as on Windows, so that such bytes survive a round trip;
// - a character without a code becomes one "?" (a surrogate pair too);
//   invisible formatting characters (default ignorable) are dropped;
// - a byte sequence without a character decodes to U+FFFD: a lead byte and
//   a trail byte together, otherwise one byte, the next one read again.
#include <algorithm>
#include <vector>

#include <tintwright/util/Cp932Platform.h>
#include <tintwright/util/Func_2.h>

namespace tw {

namespace {

struct Extra {
    char16_t unit;
    uint16_t code;
};

// Encoded only: the character each stands for decodes to its own code unit.
constexpr Extra kOtherSystemForms[] = {
    {u'\u00A5', 0x5C},   {u'\u203E', 0x7E},   {u'\u301C', 0x8160}, {u'\u2016', 0x8161},
    {u'\u2212', 0x817C}, {u'\u00A2', 0x8191}, {u'\u00A3', 0x8192}, {u'\u00AC', 0x81CA}};

// Both ways.
constexpr Extra kSingleBytes[] = {
    {u'\u0080', 0x80}, {u'\uF8F0', 0xA0}, {u'\uF8F1', 0xFD}, {u'\uF8F2', 0xFE}, {u'\uF8F3', 0xFF}};

constexpr char16_t kReplacement = u'\uFFFD';

// By single byte, or by lead << 8 | trail: no pair index is below 0x100, as
// no lead byte is zero.
const std::vector<char16_t>& DecodeTable() {
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> text(0x10000);
        for (uint32_t byte = 1; byte < 0x100; ++byte) {
            const uint8_t single[] = {static_cast<uint8_t>(byte)};
            text[byte] = PlatformDecode(single, 1);
            if (text[byte] != 0) continue;
            // A byte that is no character of its own may lead a pair.
            for (uint32_t trail = 1; trail < 0x100; ++trail) {
                const uint8_t pair[] = {static_cast<uint8_t>(byte), static_cast<uint8_t>(trail)};
                text[(byte << 8) | trail] = PlatformDecode(pair, 2);
            }
        }
        for (const Extra& extra : kSingleBytes)
            text[extra.code] = extra.unit;
        return text;
    }();
    return table;
}

// By UTF-16 code unit. Only characters whose bytes read back as themselves:
// a one-way mapping of one platform (ICU maps the private-use U+F86F to
// 8782, which reads back as U+2116) is another's "?".
const std::vector<uint16_t>& EncodeTable() {
    static const std::vector<uint16_t> table = [] {
        std::vector<uint16_t> codes = PlatformEncodeTable();
        const std::vector<char16_t>& decode = DecodeTable();
        for (size_t c = 0; c < codes.size(); ++c) {
            if (decode[codes[c]] != c) codes[c] = 0;
        }
        for (const Extra& extra : kOtherSystemForms)
            codes[extra.unit] = extra.code;
        for (const Extra& extra : kSingleBytes)
            codes[extra.unit] = extra.code;
        return codes;
    }();
    return table;
}

bool IsLeadByte(uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(uint8_t byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// The invisible formatting characters that have no code and are left out
// rather than shown as "?".
bool IsDefaultIgnorable(char32_t c) {
    return c == 0xAD || c == 0x34F || c == 0x61C || (c >= 0x115F && c <= 0x1160) ||
           (c >= 0x17B4 && c <= 0x17B5) || (c >= 0x180B && c <= 0x180F) ||
           (c >= 0x200B && c <= 0x200F) || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2060 && c <= 0x206F) || c == 0x3164 || (c >= 0xFE00 && c <= 0xFE0F) ||
           c == 0xFEFF || c == 0xFFA0 || (c >= 0xFFF0 && c <= 0xFFF8) ||
           (c >= 0x1BCA0 && c <= 0x1BCA3) || (c >= 0x1D173 && c <= 0x1D17A) ||
           (c >= 0xE0000 && c <= 0xE0FFF);
}

// The code point at text[i], a surrogate pair taken whole; i moves to its
// last code unit.
char32_t CodePointAt(const std::u16string& text, size_t& i) {
    const char16_t c = text[i];
    const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
                      text[i + 1] <= 0xDFFF;
    if (!pair) return c;
    ++i;
    return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (text[i] - 0xDC00);
}

void PutCode(uint16_t code, ByteBuffer& out) {
    if (code > 0xFF) out.push_back(static_cast<uint8_t>(code >> 8));
    out.push_back(static_cast<uint8_t>(code));
}

// False, with out unspecified, when the text has a character without a code
// (or U+0000). Every character stores two bytes and keeps the second only
// when it needs it: texts mix one- and two-byte characters, which a branch
// per character would mispredict.
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

void EncodeWithSubstitutes(const std::u16string& text, ByteBuffer& out) {
    const std::vector<uint16_t>& table = EncodeTable();
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        const uint16_t code = table[text[i]];
        if (code != 0 || text[i] == u'\0') {
            PutCode(code, out);
            continue;
        }
        if (!IsDefaultIgnorable(CodePointAt(text, i))) out.push_back('?');
    }
}

bool IsAscii(const std::u16string& text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

bool IsAscii(const uint8_t* data, size_t size) {
    return std::all_of(data, data + size, [](uint8_t byte) { return byte < 0x80; });
}

}  // namespace

void StrToAnsiBytes(const std::u16string& text, ByteBuffer& out) {
    if (IsAscii(text)) {
        out.assign(text.begin(), text.end());
        return;
    }
    if (!EncodeByTable(text, out)) EncodeWithSubstitutes(text, out);
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
    const std::vector<char16_t>& table = DecodeTable();
    std::u16string out(size, u'\0');
    size_t n = 0;
    for (size_t i = 0; i < size; ++i) {
        char16_t c = table[data[i]];
        const bool pairFollows = c == 0 && i + 1 < size && IsLeadByte(data[i]);
        if (pairFollows && (table[(data[i] << 8) | data[i + 1]] != 0 || IsTrailByte(data[i + 1]))) {
            c = table[(data[i] << 8) | data[i + 1]];
            ++i;
        }
        out[n++] = c != 0 ? c : kReplacement;
    }
    out.resize(n);
    return out;
}

}  // namespace tw
