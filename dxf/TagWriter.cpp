#include <tintwright/dxf/TagWriter.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <vector>

#include <tintwright/util/NumberText.h>

namespace tw::dxf {

namespace {

constexpr size_t kNumberRoom = 32;  // a shortest double or a 64-bit integer

std::u16string WithoutControls(const std::u16string& text) {
    std::u16string clean = text;
    for (char16_t& c : clean) {
        if (c < u' ' || c == 0x7F) c = u' ';
    }
    return clean;
}

bool HasControls(const std::u16string& text) {
    for (const char16_t c : text) {
        if (c < u' ' || c == 0x7F) return true;
    }
    return false;
}

// By UTF-16 code unit: its code page 932 bytes (lead << 8 | trail for a
// pair), 0 for a unit the code page cannot hold.
const std::vector<uint16_t>& Cp932Codes() {
    static const std::vector<uint16_t> codes = [] {
        std::vector<uint16_t> table(0x10000);
        ByteBuffer bytes;
        for (size_t unit = 1; unit < table.size(); ++unit) {
            StrToAnsiBytes(std::u16string(1, static_cast<char16_t>(unit)), bytes);
            // Only bytes that read back as the same character: U+2212 would
            // come back as U+FF0D.
            const bool kept =
                AnsiBytesToStr(bytes) == std::u16string(1, static_cast<char16_t>(unit));
            if (kept)
                table[unit] =
                    static_cast<uint16_t>(bytes.size() == 1 ? bytes[0] : bytes[0] << 8 | bytes[1]);
        }
        return table;
    }();
    return codes;
}

// Code page 932 where it holds the character, `escape` and XXXX otherwise
// (a surrogate pair as two escapes, as AutoCAD writes them), so that no
// character is lost before 2007.
std::string Cp932OrEscaped(const std::u16string& text, std::string_view escape) {
    std::string out;
    out.reserve(text.size() * 2);
    const std::vector<uint16_t>& codes = Cp932Codes();
    for (const char16_t unit : text) {
        const uint16_t code = unit < 0x80 ? unit : codes[unit];
        if (code > 0xFF) out += static_cast<char>(code >> 8);
        if (code != 0) {
            out += static_cast<char>(code);
            continue;
        }
        char hex[8];
        std::snprintf(hex, sizeof hex, "%04X", static_cast<unsigned>(unit));
        out += escape;
        out += hex;
    }
    return out;
}

bool IsAscii(const std::u16string& text) {
    return std::all_of(text.begin(), text.end(), [](char16_t c) { return c < 0x80; });
}

}  // namespace

TagWriter::TagWriter(ByteSink& sink, bool utf8) : out_(sink), utf8_(utf8) {}

template <class Format>
void TagWriter::Line(Format&& format) {
    char* first = reinterpret_cast<char*>(out_.Room(kNumberRoom + 1));
    char* at = format(first, first + kNumberRoom);
    *at++ = '\n';
    out_.Commit(static_cast<size_t>(at - first));
}

void TagWriter::Code(int code) {
    Line([&](char* first, char* last) { return std::to_chars(first, last, code).ptr; });
}

void TagWriter::Tag(int code, std::string_view value) {
    Code(code);
    Put(value);
    Put("\n");
}

std::string TagWriter::Encode(const std::u16string& value, std::string_view escape) {
    const std::u16string& clean = HasControls(value) ? WithoutControls(value) : value;
    if (utf8_) return ToUtf8(clean);
    if (IsAscii(clean)) return std::string(clean.begin(), clean.end());
    return Cp932OrEscaped(clean, escape);
}

std::string TagWriter::Encode(const std::u16string& value) {
    return Encode(value, "\\U+");
}

std::string TagWriter::EncodeName(const std::u16string& value) {
    return Encode(value, "U+");
}

void TagWriter::Text(int code, const std::u16string& value) {
    Tag(code, Encode(value));
}

void TagWriter::Int(int code, int64_t value) {
    Code(code);
    Line([&](char* first, char* last) { return std::to_chars(first, last, value).ptr; });
}

void TagWriter::Real(int code, double value) {
    Code(code);
    // Readers expect a finite number; a damaged value is written as 0.
    const bool isFinite = std::isfinite(value);
    notFinite_ += isFinite ? 0 : 1;
    const double finite = isFinite ? value : 0.0;
    Line([&](char* first, char* last) { return WriteShortest(first, last, finite); });
}

void TagWriter::Handle(int code, uint64_t handle) {
    Code(code);
    Line([&](char* first, char* last) {
        char* end = std::to_chars(first, last, handle, 16).ptr;
        for (char* c = first; c < end; ++c) {
            if (*c >= 'a' && *c <= 'f') *c = static_cast<char>(*c - 'a' + 'A');
        }
        return end;
    });
}

void TagWriter::Point(int code, double x, double y, bool z) {
    Real(code, x);
    Real(code + 10, y);
    if (z) Real(code + 20, 0.0);
}

void TagWriter::BeginRecord() {
    out_.Hold();
    notFiniteBefore_ = notFinite_;
}

bool TagWriter::EndRecord() {
    const bool finite = RecordIsFinite();
    if (finite) {
        out_.Release();
    } else {
        out_.TakeBack();
        notFinite_ = notFiniteBefore_;
    }
    return finite;
}

}  // namespace tw::dxf
