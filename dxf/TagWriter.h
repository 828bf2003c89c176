// The group-code/value lines of a DXF file, gathered in a BufferedSink and
// handed to a ByteSink in blocks. Numbers are written in their shortest form
// that reads back to the same double; texts in the file's code page (code
// page 932 up to 2000, with \U+XXXX for a character it cannot hold; UTF-8
// from 2007), with line breaks and other control
// characters, which would end a value early, replaced by spaces.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include <tintwright/util/BufferedSink.h>
#include <tintwright/util/Func_2.h>

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
    // A value that is not a finite number is written as 0 and counted.
    void Real(int code, double value);
    // How many values outside records (or in records kept) were written as 0.
    size_t NotFinite() const { return notFinite_; }
    // A record's tags are held from here until it ends, so that a record
    // with a value that is not a finite number can be left out whole.
    void BeginRecord();
    bool RecordIsFinite() const { return notFinite_ == notFiniteBefore_; }
    // Ends the record; one that is not finite is taken back, and false.
    bool EndRecord();
    void Handle(int code, uint64_t handle);  // upper-case hexadecimal
    // A point: x under code, y under code + 10, and z 0 under code + 20 when
    // `z` is set.
    void Point(int code, double x, double y, bool z = true);

    void Flush() { out_.Flush(); }

  private:
    std::string Encode(const std::u16string& value, std::string_view escape);
    template <class Format>
    void Line(Format&& format);  // format(first, last) -> end, then a line break
    void Code(int code);
    void Put(std::string_view bytes) { out_.Put(bytes.data(), bytes.size()); }

    BufferedSink out_;  // an open record's tags held
    bool utf8_;
    size_t notFinite_ = 0;
    size_t notFiniteBefore_ = 0;
};

}  // namespace tw::dxf
