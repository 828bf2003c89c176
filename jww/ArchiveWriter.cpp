#include <tintwright/jww/ArchiveWriter.h>

#include <algorithm>

#include <tintwright/jww/Framing.h>
#include <tintwright/util/Func_2.h>

namespace tw {

namespace {

using namespace framing;

// Printable ASCII is the same byte in every code page 932 converter; other
// characters go through the conversion of Func_2.
bool IsPrintableAscii(const std::u16string& s) {
    return std::all_of(s.begin(), s.end(), [](char16_t c) { return c >= 0x20 && c <= 0x7E; });
}

void CheckTextBytes(size_t n) {
    if (n > kMaxTextBytes) throw WriteError("a text is too long for the JWW format");
}

}  // namespace

const char* ClassName(RecordClass cls) {
    const char* name = "CDataList";
    VisitKind(static_cast<int32_t>(cls) + kEntLine,
              [&]<class R>(std::type_identity<R>) { name = EntityKind<R>::className; });
    return name;
}

ArchiveWriter::ArchiveWriter(ByteSink& sink, int32_t version, bool utf16)
    : out_(sink), version_(version), utf16_(utf16) {}

void ArchiveWriter::fill(uint8_t value, size_t n) {
    while (n > 0) {
        const size_t chunk = std::min(n, kBufferSize);
        std::memset(Room(chunk), value, chunk);
        Commit(chunk);
        n -= chunk;
    }
}

void ArchiveWriter::WriteMagic() {
    static constexpr char kMagic[] = "JwwData.";
    Put(kMagic, sizeof kMagic - 1);
}

void ArchiveWriter::WriteCount(int32_t n) {
    if (n < kLongCount) {
        u16(static_cast<uint16_t>(n));
    } else {
        u16(0xFFFF);
        i32(n);
    }
}

void ArchiveWriter::WriteString(const std::u16string& s) {
    if (utf16_)
        WriteWide(s);
    else
        WriteAnsi(s);
}

void ArchiveWriter::WriteLength(size_t n) {
    if (n < kLongLength) {
        u8(static_cast<uint8_t>(n));
    } else if (n < kWideMarker) {
        u8(kLongLength);
        u16(static_cast<uint16_t>(n));
    } else {
        u8(kLongLength);
        u16(kLongerLength);
        u32(static_cast<uint32_t>(n));
    }
}

void ArchiveWriter::WriteAnsi(const std::u16string& s) {
    if (IsPrintableAscii(s)) {
        CheckTextBytes(s.size());
        WriteLength(s.size());
        uint8_t* out = Room(s.size());
        for (size_t i = 0; i < s.size(); ++i)
            out[i] = static_cast<uint8_t>(s[i]);
        Commit(s.size());
        return;
    }
    StrToAnsiBytes(s, ansiBytes_);
    if (report_ != nullptr) Lose(SaveLoss::Characters, AnsiLostCharacters(s, ansiBytes_));
    // The length counts up to the first zero byte, as a reader of
    // zero-terminated texts would; only U+0000 converts to one.
    const auto zero = std::find(ansiBytes_.begin(), ansiBytes_.end(), 0);
    const auto length = static_cast<size_t>(zero - ansiBytes_.begin());
    CheckTextBytes(length);
    WriteLength(length);
    Put(ansiBytes_.data(), length);
}

void ArchiveWriter::WriteWide(const std::u16string& s) {
    CheckTextBytes(2 * s.size());
    u8(kLongLength);
    u16(kWideMarker);
    WriteLength(s.size());
    uint8_t* out = Room(2 * s.size());
    for (char16_t c : s) {
        *out++ = static_cast<uint8_t>(c);
        *out++ = static_cast<uint8_t>(c >> 8);
    }
    Commit(2 * s.size());
}

void ArchiveWriter::WriteClassDef(const char* name) {
    const size_t length = std::strlen(name);
    u16(kNewClassTag);
    u16(static_cast<uint16_t>(version_));  // the schema word
    u16(static_cast<uint16_t>(length));
    Put(name, length);
}

void ArchiveWriter::WriteClassTag(int32_t index) {
    if (index < kSmallClassIndexLimit) {
        u16(static_cast<uint16_t>(kClassTagBit + index));
    } else {
        u16(kBigClassTag);
        u32(kBigClassTagBit + static_cast<uint32_t>(index));
    }
}

void ArchiveWriter::BeginRecord(RecordClass cls) {
    int32_t& index = classIndex_[static_cast<size_t>(cls)];
    if (index != 0) {
        WriteClassTag(index);
        return;
    }
    WriteClassDef(ClassName(cls));
    index = objectIndex();
    CountObject();
}

}  // namespace tw
