// The byte archive a JWW file is read through: little-endian numbers and the
// length-prefixed texts of the format, from a file or from memory.
//
// A file is read in large blocks into one buffer, so reading a field costs a
// copy from memory, never a system call, and the file is never held whole.
// Every read that the stream cannot satisfy throws ReadError; a reader never
// goes past the end of the stream, so every loop over a damaged file ends.
//
// The archive is also the reading side of the record descriptions in
// jww/Records.h: version(), u8/u16/u32/i32/f64, text and memo.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include <tintwright/util/BitCast.h>

namespace tw {

// Why a file could not be read. The messages of the format's own failures:
inline constexpr char kFileIoError[] = "File I/O Error";
inline constexpr char kHeaderError[] = "JWW-Header Error";
inline constexpr char kVersionError[] = "JWW-Version Error";

class ReadError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class ArchiveReader {
  public:
    static constexpr size_t kBlockSize = size_t{256} << 10;

    // Reads the bytes in place; they must outlive the archive.
    explicit ArchiveReader(std::span<const uint8_t> bytes);
    // Opens a regular file for reading; throws ReadError when it cannot.
    explicit ArchiveReader(const std::filesystem::path& file);
    ArchiveReader(const ArchiveReader&) = delete;
    ArchiveReader& operator=(const ArchiveReader&) = delete;

    // The file's version, which decides every version guard of the records.
    int32_t version() const { return version_; }
    void setVersion(int32_t version) { version_ = version; }
    // The flag to set when a text in UTF-16 form is read (MojiEncode).
    void ReportUtf16To(bool& flag) { utf16Flag_ = &flag; }

    // Record description primitives.
    void u8(uint8_t& v) { v = *Take(1); }
    void u16(uint16_t& v) { v = Le<uint16_t>(Take(2)); }
    void u32(uint32_t& v) { v = Le<uint32_t>(Take(4)); }
    void i32(int32_t& v) { v = static_cast<int32_t>(Le<uint32_t>(Take(4))); }
    void f64(double& v) { v = BitCast<double>(Le<uint64_t>(Take(8))); }
    void text(std::u16string& s) { s = ReadText(); }
    void memo(std::u16string& s) { s = ReadString(); }

    uint8_t Byte() { return *Take(1); }
    uint16_t Word() { return Le<uint16_t>(Take(2)); }
    int32_t Int32() { return static_cast<int32_t>(Le<uint32_t>(Take(4))); }
    // A count: a word, or 0xFFFF and an int32.
    int32_t Count();

    // A text in either text mode, its length as framing.h spells it; a text
    // longer than kMaxTextBytes is a damaged file. Decoding stops before the
    // first U+0000.
    std::u16string ReadString();
    // ReadString without the characters below U+0020.
    std::u16string ReadText();

    // n contiguous bytes of the stream, valid until the next read.
    const uint8_t* Take(size_t n) {
        if (static_cast<size_t>(end_ - cur_) < n) Refill(n);
        const uint8_t* p = cur_;
        cur_ += n;
        return p;
    }
    // The next bytes of the stream, at least one and at most max, valid until
    // the next read: for copying long runs without a second buffer.
    std::span<const uint8_t> Piece(uint64_t max);
    void Skip(uint64_t n);

    // Bytes not yet read, and the offset of the next one.
    uint64_t Remaining() const { return static_cast<uint64_t>(end_ - cur_) + unread_; }
    uint64_t Position() const { return loaded_ - static_cast<uint64_t>(end_ - cur_); }

  private:
    // A length given as a word (0xFFFF: a uint32 follows), at most
    // kMaxTextBytes.
    uint64_t LengthAfterWord(uint16_t word);

    // One load on a little-endian machine: the compiler does not merge the
    // byte loop into one, and reading numbers is most of reading a file.
    template <class U>
    static U Le(const uint8_t* p) {
        U v = 0;
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(&v, p, sizeof v);
        } else {
            for (size_t i = 0; i < sizeof(U); ++i)
                v |= static_cast<U>(static_cast<U>(p[i]) << (8 * i));
        }
        return v;
    }
    // Makes n contiguous bytes available at cur_, or throws.
    void Refill(size_t n);
    std::u16string Ansi(size_t n);

    const uint8_t* cur_ = nullptr;
    const uint8_t* end_ = nullptr;
    uint64_t loaded_ = 0;  // stream offset just past end_
    uint64_t unread_ = 0;  // bytes of the file not yet in the buffer
    std::ifstream file_;
    std::vector<uint8_t> buffer_;
    int32_t version_ = 0;
    bool* utf16Flag_ = nullptr;
};

}  // namespace tw
