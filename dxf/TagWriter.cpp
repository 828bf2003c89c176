#include "dxf/TagWriter.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "util/NumberText.h"

namespace tw::dxf {

namespace {

constexpr size_t kBufferSize = size_t{1} << 20;
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

}  // namespace

TagWriter::TagWriter(ByteSink& sink, bool utf8) : sink_(sink), utf8_(utf8), buffer_(kBufferSize) {}

void TagWriter::Reserve(size_t size) {
    if (size > buffer_.size() - used_) Flush();
    if (size > buffer_.size()) buffer_.resize(size);
}

void TagWriter::Put(std::string_view bytes) {
    Reserve(bytes.size());
    std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
}

template <class Format>
void TagWriter::Line(Format&& format) {
    Reserve(kNumberRoom);
    char* at = format(buffer_.data() + used_, buffer_.data() + used_ + kNumberRoom);
    *at++ = '\n';
    used_ = static_cast<size_t>(at - buffer_.data());
}

void TagWriter::Code(int code) {
    Line([&](char* first, char* last) { return std::to_chars(first, last, code).ptr; });
}

void TagWriter::Tag(int code, std::string_view value) {
    Code(code);
    Put(value);
    Put("\n");
}

std::string TagWriter::Encode(const std::u16string& value) {
    const std::u16string& clean = HasControls(value) ? WithoutControls(value) : value;
    if (utf8_) return ToUtf8(clean);
    StrToAnsiBytes(clean, converted_);
    return std::string(reinterpret_cast<const char*>(converted_.data()),
                       static_cast<size_t>(ByteStrLen(converted_)));
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

void TagWriter::Flush() {
    if (used_ == 0) return;
    sink_.Write(reinterpret_cast<const uint8_t*>(buffer_.data()), used_);
    used_ = 0;
}

}  // namespace tw::dxf
