// The archive primitives: exact bytes of counts, texts in both modes, class
// definitions and tags, and the numbering of one file.
#include <gtest/gtest.h>

#include <tintwright/jww/ArchiveReader.h>
#include <tintwright/jww/ArchiveWriter.h>
#include <tintwright/jww/Framing.h>
#include "jww/WriterSupport.h"

namespace tw {
namespace {

using test::Ascii;
using test::Bytes;
using test::Concat;
using test::Written;

TEST(WriterArchive, WriteCountUsesTwoBytesBelow65535) {
    const struct {
        int32_t n;
        ByteBuffer bytes;
    } cases[] = {
        {0, Bytes({0x00, 0x00})},
        {268, Bytes({0x0C, 0x01})},
        {65534, Bytes({0xFE, 0xFF})},
        {65535, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Written(700, false, [&](ArchiveWriter& ar) { ar.WriteCount(c.n); }), c.bytes)
            << c.n;
    }
}

struct TextCase {
    std::u16string text;
    ByteBuffer ansi;
    ByteBuffer wide;
};

TEST(WriterArchive, WriteStringInBothModes) {
    const TextCase cases[] = {
        {u"", Bytes({0x00}), Bytes({0xFF, 0xFE, 0xFF, 0x00})},
        {u"abc", Bytes({0x03, 'a', 'b', 'c'}),
         Bytes({0xFF, 0xFE, 0xFF, 0x03, 'a', 0, 'b', 0, 'c', 0})},
        {u"図面", Bytes({0x04, 0x90, 0x7D, 0x96, 0xCA}),
         Bytes({0xFF, 0xFE, 0xFF, 0x02, 0xF3, 0x56, 0x62, 0x97})},
        // Half-width katakana take one byte each in code page 932.
        {u"ｱｲ", Bytes({0x02, 0xB1, 0xB2}), Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x71, 0xFF, 0x72, 0xFF})},
        // The memo keeps its line break.
        {u"a\r\nb", Bytes({0x04, 'a', 0x0D, 0x0A, 'b'}),
         Bytes({0xFF, 0xFE, 0xFF, 0x04, 'a', 0, 0x0D, 0, 0x0A, 0, 'b', 0})},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(Written(700, false, [&](ArchiveWriter& ar) { ar.WriteString(c.text); }), c.ansi);
        EXPECT_EQ(Written(700, true, [&](ArchiveWriter& ar) { ar.WriteString(c.text); }), c.wide);
    }
}

TEST(WriterArchive, AnsiLengthStopsAtTheFirstZeroCharacter) {
    const std::u16string text{u'a', u'\0', u'b'};
    EXPECT_EQ(Written(700, false, [&](ArchiveWriter& ar) { ar.WriteString(text); }),
              Bytes({0x01, 'a'}));
}

// Length prefixes at the one-byte limit, for n bytes or code units.
TEST(WriterArchive, LengthPrefixBoundaries) {
    const struct {
        size_t n;
        ByteBuffer ansiPrefix;
        ByteBuffer widePrefix;
    } cases[] = {
        {254, Bytes({0xFE}), Bytes({0xFF, 0xFE, 0xFF, 0xFE})},
        {255, Bytes({0xFF, 0xFF, 0x00}), Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00})},
        {300, Bytes({0xFF, 0x2C, 0x01}), Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01})},
        {65533, Bytes({0xFF, 0xFD, 0xFF}), Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF})},
        // A word of 0xFFFE would read as the UTF-16 marker: 0xFFFF and a uint32.
        {65534, Bytes({0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}),
         Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
        {65535, Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00}),
         Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00, 0x00})},
        {70000, Bytes({0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}),
         Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})},
    };
    for (const auto& c : cases) {
        const std::u16string text(c.n, u'x');
        const ByteBuffer ansi =
            Written(700, false, [&](ArchiveWriter& ar) { ar.WriteString(text); });
        EXPECT_EQ(Concat({c.ansiPrefix, ByteBuffer(c.n, 'x')}), ansi) << c.n;
        const ByteBuffer wide =
            Written(700, true, [&](ArchiveWriter& ar) { ar.WriteString(text); });
        ASSERT_EQ(wide.size(), c.widePrefix.size() + 2 * c.n) << c.n;
        EXPECT_EQ(ByteBuffer(wide.begin(), wide.begin() + c.widePrefix.size()), c.widePrefix);
    }
}

// Texts longer than the reader takes are refused, never cut.
TEST(WriterArchive, TextsTooLongForTheFormatAreRefused) {
    const std::u16string ascii(framing::kMaxTextBytes + 1, u'x');
    const std::u16string kanji(framing::kMaxTextBytes / 2 + 1, u'図');
    auto write = [](bool utf16, const std::u16string& s) {
        return Written(700, utf16, [&](ArchiveWriter& ar) { ar.WriteString(s); });
    };
    EXPECT_THROW(write(false, ascii), WriteError);
    EXPECT_THROW(write(true, kanji), WriteError);
    EXPECT_THROW(write(false, kanji), WriteError);
    EXPECT_EQ(write(false, ascii.substr(1)).size(), 7u + framing::kMaxTextBytes);
    EXPECT_EQ(write(true, kanji.substr(1)).size(), 10u + framing::kMaxTextBytes);
}

// Whatever length the writer gives a text, the reader takes it back whole.
TEST(WriterArchive, LongTextsReadBackWhole) {
    for (const size_t n : {size_t{65533}, size_t{65534}, size_t{65535}, size_t{100000},
                           framing::kMaxTextBytes / 2}) {
        for (const bool utf16 : {false, true}) {
            SCOPED_TRACE(testing::Message() << n << (utf16 ? " utf16" : " ansi"));
            const std::u16string text(n, u'字');
            const ByteBuffer bytes =
                Written(700, utf16, [&](ArchiveWriter& ar) { ar.WriteString(text); });
            ArchiveReader reader(std::span<const uint8_t>(bytes.data(), bytes.size()));
            EXPECT_EQ(reader.ReadString(), text);
            EXPECT_EQ(reader.Remaining(), 0u);
        }
    }
}

TEST(WriterArchive, ClassDefinitionCarriesTheVersionAsSchema) {
    const struct {
        int32_t version;
        ByteBuffer schema;
    } cases[] = {
        {700, Bytes({0xBC, 0x02})}, {600, Bytes({0x58, 0x02})}, {420, Bytes({0xA4, 0x01})}};
    for (const auto& c : cases) {
        for (bool utf16 : {false, true}) {
            EXPECT_EQ(
                Written(c.version, utf16,
                        [](ArchiveWriter& ar) { ar.BeginRecord(RecordClass::Sen); }),
                Concat({Bytes({0xFF, 0xFF}), c.schema, Bytes({0x08, 0x00}), Ascii("CDataSen")}));
        }
    }
}

TEST(WriterArchive, ClassTagsBelowAndAbove32767) {
    const struct {
        int32_t index;
        ByteBuffer bytes;
    } cases[] = {
        {1, Bytes({0x01, 0x80})},
        {32766, Bytes({0xFE, 0xFF})},
        {32767, Bytes({0xFF, 0x7F, 0xFF, 0x7F, 0x00, 0x80})},
        {40000, Bytes({0xFF, 0x7F, 0x40, 0x9C, 0x00, 0x80})},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Written(700, false, [&](ArchiveWriter& ar) { ar.WriteClassTag(c.index); }),
                  c.bytes)
            << c.index;
    }
}

TEST(WriterArchive, MagicIsTheSameInBothModes) {
    for (bool utf16 : {false, true})
        EXPECT_EQ(Written(700, utf16, [](ArchiveWriter& ar) { ar.WriteMagic(); }),
                  Ascii("JwwData."));
}

// Line, line, line, arc, arc at 7.00: each class takes the running index when
// defined, and every object takes one more.
TEST(WriterArchive, NumberingOfClassesAndObjects) {
    test::MemorySink sink;
    ArchiveWriter ar(sink, 700, false);
    EXPECT_EQ(ar.objectIndex(), 1);
    const RecordClass order[] = {RecordClass::Sen, RecordClass::Sen, RecordClass::Sen,
                                 RecordClass::Enko, RecordClass::Enko};
    for (RecordClass cls : order) {
        ar.BeginRecord(cls);
        ar.CountObject();
    }
    ar.Flush();
    EXPECT_EQ(ar.classIndex(RecordClass::Sen), 1);
    EXPECT_EQ(ar.classIndex(RecordClass::Enko), 5);
    EXPECT_EQ(ar.classIndex(RecordClass::List), 0);
    EXPECT_EQ(ar.objectIndex(), 8);
    const ByteBuffer expected = Concat({
        Bytes({0xFF, 0xFF, 0xBC, 0x02, 0x08, 0x00}),
        Ascii("CDataSen"),
        Bytes({0x01, 0x80, 0x01, 0x80}),
        Bytes({0xFF, 0xFF, 0xBC, 0x02, 0x09, 0x00}),
        Ascii("CDataEnko"),
        Bytes({0x05, 0x80}),
    });
    EXPECT_EQ(sink.bytes, expected);
}

// The sink sees large blocks, whatever the size of the single values.
TEST(WriterArchive, HandsBytesToTheSinkInLargeBlocks) {
    test::MemorySink sink;
    {
        ArchiveWriter ar(sink, 700, false);
        for (int i = 0; i < 3 * (1 << 20) / 8; ++i)
            ar.f64(i);
        const ByteBuffer big(ArchiveWriter::kBufferSize + 10, 0x5A);
        ar.bytes(big.data(), big.size());
        ar.fill(0x20, 5);
        ar.Flush();
    }
    EXPECT_LE(sink.writes, 6);
    ASSERT_EQ(sink.bytes.size(), 3u * (1 << 20) + ArchiveWriter::kBufferSize + 15);
    EXPECT_EQ(test::F64At(sink.bytes, 8 * 12345), 12345.0);
    EXPECT_EQ(sink.bytes[3u * (1 << 20)], 0x5A);
    EXPECT_EQ(sink.bytes.back(), 0x20);
}

// Records written straight into the buffer land in order with the values
// written one by one, across the buffer's end; a record that outgrows its
// room is refused instead of running past it.
TEST(WriterArchive, PlainRecordsEqualFieldByFieldWriting) {
    const auto fields = [](auto& ar, int i) {
        ar.u8(static_cast<uint8_t>(i));
        ar.u16(0xBEEF);
        ar.i32(-i);
        ar.f64(i * 0.5);
        ar.fill(0x20, 3);
    };
    const int records = static_cast<int>(ArchiveWriter::kBufferSize / 18) + 10;
    const ByteBuffer direct = Written(700, false, [&](ArchiveWriter& ar) {
        for (int i = 0; i < records; ++i)
            ar.WritePlain([&](RecordCursor& cursor) { fields(cursor, i); });
    });
    const ByteBuffer oneByOne = Written(700, false, [&](ArchiveWriter& ar) {
        for (int i = 0; i < records; ++i)
            fields(ar, i);
    });
    EXPECT_EQ(direct, oneByOne);

    uint8_t room[8] = {};
    RecordCursor cursor(room, 7, 700);
    cursor.u32(1);
    EXPECT_THROW(cursor.f64(2.0), WriteError);
    EXPECT_THROW(cursor.fill(0, 4), WriteError);
    EXPECT_EQ(cursor.written(), 4u);
    EXPECT_EQ(room[7], 0);
}

// Printable ASCII goes out without the converter; the result must be what the
// converter gives.
TEST(WriterArchive, AsciiTextsMatchTheConverter) {
    std::u16string all;
    for (char16_t c = 1; c < 0x80; ++c)
        all.push_back(c);
    const ByteBuffer converted = StrToAnsiBytes(all);
    const ByteBuffer written = Written(700, false, [&](ArchiveWriter& ar) { ar.WriteString(all); });
    EXPECT_EQ(ByteBuffer(written.begin() + 1, written.end()), converted);
    const std::u16string printable = u" !AZaz~";
    EXPECT_EQ(Written(700, false, [&](ArchiveWriter& ar) { ar.WriteString(printable); }),
              Concat({Bytes({7}), StrToAnsiBytes(printable)}));
}

}  // namespace
}  // namespace tw
