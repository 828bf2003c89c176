// Helpers of the writer tests: an in-memory sink, documents with sized
// tables, and small byte searches over what was written.
#pragma once

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>
#include <vector>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/jww/ArchiveWriter.h>
#include <tintwright/jww/DocumentWriter.h>
#include <tintwright/util/Func_2.h>

namespace tw::test {

class MemorySink : public ByteSink {
  public:
    void Write(const uint8_t* data, size_t size) override {
        bytes.insert(bytes.end(), data, data + size);
        ++writes;
    }
    ByteBuffer bytes;
    int writes = 0;
};

inline ByteBuffer Bytes(std::initializer_list<int> values) {
    ByteBuffer out;
    for (int v : values)
        out.push_back(static_cast<uint8_t>(v));
    return out;
}

inline ByteBuffer Ascii(const std::string& s) {
    return ByteBuffer(s.begin(), s.end());
}

inline ByteBuffer Concat(std::initializer_list<ByteBuffer> parts) {
    ByteBuffer out;
    for (const ByteBuffer& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

inline ByteBuffer Le32(uint32_t v) {
    return Bytes({int(v & 0xFF), int(v >> 8 & 0xFF), int(v >> 16 & 0xFF), int(v >> 24)});
}

inline ByteBuffer Le64(double d) {
    const auto v = std::bit_cast<uint64_t>(d);
    ByteBuffer out;
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return out;
}

inline int32_t I32At(const ByteBuffer& b, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = v << 8 | b.at(at + i);
    return static_cast<int32_t>(v);
}

inline double F64At(const ByteBuffer& b, size_t at) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i)
        v = v << 8 | b.at(at + i);
    return std::bit_cast<double>(v);
}

inline ByteBuffer Slice(const ByteBuffer& b, size_t at, size_t n) {
    return ByteBuffer(b.begin() + at, b.begin() + at + n);
}

// Offset of the first occurrence of pattern; npos when absent.
inline size_t Find(const ByteBuffer& b, const ByteBuffer& pattern) {
    const auto it = std::search(b.begin(), b.end(), pattern.begin(), pattern.end());
    return it == b.end() ? std::string::npos : static_cast<size_t>(it - b.begin());
}

// What f writes into a fresh archive of the given version and text mode.
template <class F>
ByteBuffer Written(int32_t version, bool utf16, F&& f) {
    MemorySink sink;
    ArchiveWriter ar(sink, version, utf16);
    f(ar);
    ar.Flush();
    return sink.bytes;
}

// A document whose nine tables have the format's lengths, every value 0 and
// every name empty.
inline void SizeTables(TJwwData& d) {
    d.SetTableLengths();
}

inline void AddEntry(TJwwData& d, int32_t type, int32_t index) {
    d.EntNo.push_back({type, index});
    d.Enthd.n1 = static_cast<int32_t>(d.EntNo.size());
}

inline int32_t AddLine(TJwwData& d, const TEntJwwLine& line) {
    d.EntLine.push_back(line);
    d.EntLineN = static_cast<int32_t>(d.EntLine.size());
    AddEntry(d, kEntLine, d.EntLineN - 1);
    return d.EntLineN - 1;
}

inline TEntJwwAttr Attr(uint8_t style, uint16_t color) {
    TEntJwwAttr a;
    a.nPenStyle = style;
    a.nPenColor = color;
    return a;
}

inline TEntJwwLine Line(double x1, double y1, double x2, double y2, TEntJwwAttr att = Attr(1, 1)) {
    TEntJwwLine l;
    l.att = att;
    l.start_x = x1;
    l.start_y = y1;
    l.end_x = x2;
    l.end_y = y2;
    return l;
}

// The entity section of d alone, numbered from a fresh archive.
inline ByteBuffer EntitySection(const TJwwData& d, int32_t version, bool utf16 = false) {
    return Written(version, utf16, [&](ArchiveWriter& ar) {
        jwwout::EntityWriter(ar, d, *d.Ref).WriteAll(EntityView::Of(d));
    });
}

// The whole file of d as FileOut would write it.
inline ByteBuffer WholeFile(TJwwData& d, int32_t version) {
    return Written(version, (d.FileOutOpt & kOutUtf16) != 0,
                   [&](ArchiveWriter& ar) { jwwout::WriteDocument(ar, d); });
}

}  // namespace tw::test
