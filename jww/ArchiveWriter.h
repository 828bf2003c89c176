// The byte archive that a JWW file is written through: little-endian numbers,
// length-prefixed texts, counts, and the class definitions and class tags
// that open object records, with the numbering of one file.
//
// Values are gathered in a BufferedSink (util/) and handed to a ByteSink in
// large blocks, so writing a field costs a copy into memory, never a system
// call. Every failure (a text the format cannot hold, a sink that cannot take the
// bytes) is thrown as WriteError; FileOut turns it into a false result.
//
// The archive is also the writing side of the record descriptions in
// jww/Records.h: version(), u8/u16/u32/i32/f64, text and memo; fill puts filler bytes.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <tintwright/document/EntityKinds.h>
#include <tintwright/document/SaveReport.h>
#include <tintwright/util/BitCast.h>
#include <tintwright/util/BufferedSink.h>

namespace tw {

// The eight record classes of a JWW file: the seven entity kinds in kind
// order, then the block definition's list.
enum class RecordClass : uint8_t { Sen, Enko, Ten, Moji, Sunpou, Solid, Block, List };
constexpr size_t kRecordClasses = 8;
static_assert(kEntityKinds + 1 == kRecordClasses);

// The record class of entity record type R.
template <class R>
constexpr RecordClass RecordClassOf() {
    return static_cast<RecordClass>(EntityKind<R>::number - kEntLine);
}

// The class name as it appears in a class definition ("CDataSen", ...).
const char* ClassName(RecordClass cls);

// The archive for one record without texts, written straight into the
// archive's buffer. Its position lives in a local object the compiler keeps
// in registers, where the archive's own would be reloaded after every byte
// stored (a byte store may alias anything). Throws WriteError should a record
// outgrow the room it was given.
class RecordCursor {
  public:
    RecordCursor(uint8_t* begin, size_t room, int32_t version)
        : begin_(begin), at_(begin), end_(begin + room), version_(version) {}

    int32_t version() const { return version_; }
    void u8(uint8_t v) { PutLE(v); }
    void u16(uint16_t v) { PutLE(v); }
    void u32(uint32_t v) { PutLE(v); }
    void i32(int32_t v) { PutLE(static_cast<uint32_t>(v)); }
    void f64(double v) { PutLE(BitCast<uint64_t>(v)); }
    void fill(uint8_t value, size_t n) {
        Check(n);
        std::memset(at_, value, n);
        at_ += n;
    }

    size_t written() const { return static_cast<size_t>(at_ - begin_); }

  private:
    void Check(size_t n) const {
        if (n > static_cast<size_t>(end_ - at_)) throw WriteError("a record outgrew its room");
    }
    template <class U>
    void PutLE(U v) {
        Check(sizeof(U));
        if constexpr (std::endian::native == std::endian::little) {
            std::memcpy(at_, &v, sizeof(U));
        } else {
            for (size_t i = 0; i < sizeof(U); ++i)
                at_[i] = static_cast<uint8_t>(v >> (8 * i));
        }
        at_ += sizeof(U);
    }

    uint8_t* const begin_;
    uint8_t* at_;
    uint8_t* const end_;
    const int32_t version_;
};

class ArchiveWriter {
  public:
    static constexpr size_t kBufferSize = BufferedSink::kBlockSize;

    // version: the output version, used by every version decision.
    // utf16: texts as UTF-16LE (FileOutOpt bit 32) instead of code page 932.
    ArchiveWriter(ByteSink& sink, int32_t version, bool utf16);
    ArchiveWriter(const ArchiveWriter&) = delete;
    ArchiveWriter& operator=(const ArchiveWriter&) = delete;

    int32_t version() const { return version_; }

    // Where the losses of this file are counted; none by default.
    void ReportTo(SaveReport* report) { report_ = report; }
    // n more of a kind dropped or replaced.
    void Lose(SaveLoss kind, int64_t n = 1) {
        if (report_ != nullptr) (*report_)[kind] += n;
    }

    // Raw values, as the bytes of their stored representation.
    void u8(uint8_t v) { Put(&v, 1); }
    void u16(uint16_t v) { PutLE(v); }
    void u32(uint32_t v) { PutLE(v); }
    void i32(int32_t v) { PutLE(static_cast<uint32_t>(v)); }
    void f64(double v) { PutLE(BitCast<uint64_t>(v)); }
    void fill(uint8_t value, size_t n);
    void bytes(const uint8_t* data, size_t size) { Put(data, size); }

    // Texts of the record descriptions; the writer keeps both as they are.
    void text(const std::u16string& s) { WriteString(s); }
    void memo(const std::u16string& s) { WriteString(s); }

    // The eight bytes "JwwData." that open every file.
    void WriteMagic();
    // 2 bytes below 0xFFFF, else 0xFFFF and the int32.
    void WriteCount(int32_t n);
    // Length prefix and bytes in the current text mode. Throws WriteError
    // for a text of more than framing's kMaxTextBytes bytes.
    void WriteString(const std::u16string& s);
    void WriteClassDef(const char* name);
    void WriteClassTag(int32_t index);

    // Opens an object record: the class definition the first time the class
    // occurs in the file (the class takes the running object index, which
    // then advances), its class tag afterwards.
    void BeginRecord(RecordClass cls);
    // One more object written: advances the running object index.
    void CountObject() { ++objectIndex_; }

    // The numbering of this file: starts at 1 with every class undefined.
    int32_t objectIndex() const { return static_cast<int32_t>(objectIndex_); }
    int32_t classIndex(RecordClass cls) const { return classIndex_[static_cast<size_t>(cls)]; }

    // Room for the largest record without texts, with some to spare.
    static constexpr size_t kPlainRecordRoom = 128;
    // A record without texts, described by describe(RecordCursor&) straight
    // into the buffer.
    template <class Describe>
    void WritePlain(Describe&& describe) {
        RecordCursor cursor(Room(kPlainRecordRoom), kPlainRecordRoom, version_);
        describe(cursor);
        Commit(cursor.written());
    }

    // Hands every buffered byte to the sink.
    void Flush() { out_.Flush(); }

  private:
    template <class U>
    void PutLE(U v) {
        uint8_t b[sizeof(U)];
        for (size_t i = 0; i < sizeof(U); ++i)
            b[i] = static_cast<uint8_t>(v >> (8 * i));
        Put(b, sizeof b);
    }
    void Put(const void* data, size_t size) { out_.Put(data, size); }
    uint8_t* Room(size_t size) { return out_.Room(size); }
    void Commit(size_t n) { out_.Commit(n); }
    void WriteLength(size_t n);
    void WriteAnsi(const std::u16string& s);
    void WriteWide(const std::u16string& s);

    BufferedSink out_;
    const int32_t version_;
    const bool utf16_;
    uint32_t objectIndex_ = 1;  // unsigned: wraps instead of overflowing
    std::array<int32_t, kRecordClasses> classIndex_{};
    std::vector<uint8_t> ansiBytes_;  // a text in code page 932, storage reused
    SaveReport* report_ = nullptr;
};

}  // namespace tw
