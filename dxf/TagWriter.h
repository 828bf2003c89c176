// The group-code/value lines of a DXF file, gathered in a large buffer and
// handed to a ByteSink in blocks. Numbers are written in their shortest form
// that reads back to the same double; texts in the file's code page (code
// page 932 up to 2000, with \U+XXXX for a character it cannot hold; UTF-8
// from 2007), with line breaks and other control
// characters, which would end a value early, replaced by spaces.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "jww/ArchiveWriter.h"
#include "util/Func_2.h"

namespace tw::dxf {

class TagWriter {
  public:
    TagWriter(ByteSink& sink, bool utf8);
    TagWriter(const TagWriter&) = delete;
    TagWriter& operator=(const TagWriter&) = delete;

    void Tag(int code, std::string_view value);
    void Text(int code, const std::u16string& value);
    // A text in the file's code page, as Text writes it.
    std::string Encode(const std::u16string& value);
    // A table name in the file's code page. Strict readers (ezdxf) refuse a
    // "\" in names, so a character code page 932 cannot hold is written
    // "U+XXXX" there: kept distinct and legible, though not decoded.
    std::string EncodeName(const std::u16string& value);
    void Int(int code, int64_t value);
    void Real(int code, double value);
    void Handle(int code, uint64_t handle);  // upper-case hexadecimal
    // A point: x under code, y under code + 10, and z 0 under code + 20 when
    // `z` is set.
    void Point(int code, double x, double y, bool z = true);

    void Flush();

  private:
    std::string Encode(const std::u16string& value, std::string_view escape);
    template <class Format>
    void Line(Format&& format);  // format(first, last) -> end, then a line break
    void Code(int code);
    void Put(std::string_view bytes);
    void Reserve(size_t size);

    ByteSink& sink_;
    bool utf8_;
    std::vector<char> buffer_;
    size_t used_ = 0;
};

}  // namespace tw::dxf
