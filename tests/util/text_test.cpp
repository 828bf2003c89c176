// Text and byte conversions, filters, casing, numbers and colours of Func_2.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include <tintwright/util/Func_2.h>

namespace tw {
namespace {

ByteBuffer Bytes(std::initializer_list<int> values) {
    ByteBuffer result;
    for (int v : values)
        result.push_back(static_cast<uint8_t>(v));
    return result;
}

// A surrogate without its partner, which a literal cannot hold.
std::u16string Lone(char16_t surrogate) {
    return std::u16string(1, surrogate);
}

// "漢字" and its code page 932 bytes.
const std::u16string kKanji = u"\u6F22\u5B57";
const ByteBuffer kKanjiBytes = Bytes({0x8A, 0xBF, 0x8E, 0x9A});

TEST(AnsiBytes, EncodesAsciiKanjiAndHalfWidthKana) {
    EXPECT_EQ(StrToAnsiBytes(u"abc"), Bytes({'a', 'b', 'c'}));
    EXPECT_EQ(StrToAnsiBytes(kKanji), kKanjiBytes);
    // Half-width katakana "ｱ" is one byte; a full-width space two.
    EXPECT_EQ(StrToAnsiBytes(u"a\uFF71\u3000"), Bytes({'a', 0xB1, 0x81, 0x40}));
    EXPECT_TRUE(StrToAnsiBytes(u"").empty());
}

TEST(AnsiBytes, UnmappableCharactersBecomeQuestionMarks) {
    // Euro sign, an emoji (one surrogate pair, one "?") and lone surrogates.
    const std::u16string text = u"\u20ACx\U0001F600" + Lone(0xD800) + u"y" + Lone(0xDC00);
    EXPECT_EQ(StrToAnsiBytes(text), Bytes({'?', 'x', '?', '?', 'y', '?'}));
    EXPECT_EQ(StrToAnsiBytes(u"\u6F22" + Lone(0xD800)), Bytes({0x8A, 0xBF, '?'}));
}

// ASCII takes a path of its own; every ASCII code must come out the same
// when a text also holds a kanji and goes through the converter.
TEST(AnsiBytes, AsciiMapsOneToOneWithAndWithoutKanji) {
    for (char16_t c = 0; c < 0x80; ++c) {
        SCOPED_TRACE(static_cast<int>(c));
        const std::u16string text = std::u16string(1, c) + kKanji;
        ByteBuffer expected = Bytes({c});
        EXPECT_EQ(StrToAnsiBytes(std::u16string(1, c)), expected);
        expected.insert(expected.end(), kKanjiBytes.begin(), kKanjiBytes.end());
        EXPECT_EQ(StrToAnsiBytes(text), expected);
        const ByteBuffer bytes = expected;
        if (c != 0) {
            EXPECT_EQ(AnsiBytesToStr(bytes), text);
            EXPECT_EQ(AnsiBytesToStr(Bytes({c})), std::u16string(1, c));
        }
    }
}

TEST(AnsiBytes, DecodesAndCutsAtTheFirstZero) {
    EXPECT_EQ(AnsiBytesToStr(kKanjiBytes), kKanji);
    ByteBuffer withZero = kKanjiBytes;
    withZero.insert(withZero.begin() + 2, {0x00, 'z'});
    EXPECT_EQ(AnsiBytesToStr(withZero), u"\u6F22");
    EXPECT_EQ(AnsiBytesToStr(Bytes({0, 'a'})), u"");
    EXPECT_EQ(AnsiBytesToStr(ByteBuffer{}), u"");
}

TEST(AnsiBytes, InvalidBytesDecodeToSomethingWithoutCrashing) {
    // A lone lead byte at the end, a lead byte with a bad trail byte and
    // bytes that code page 932 does not use.
    const ByteBuffer cases[] = {Bytes({0x81}), Bytes({'a', 0x81, 0x20, 'b'}),
                                Bytes({0xFF, 0xFD, 0xA0}), Bytes({0x81, 0x7F}),
                                Bytes({0x82, 0x00, 'x'})};
    for (const auto& bytes : cases) {
        const std::u16string text = AnsiBytesToStr(bytes);
        EXPECT_FALSE(text.empty());
        EXPECT_LE(text.size(), bytes.size());
        EXPECT_EQ(text.find(u'\0'), std::u16string::npos);
    }
    EXPECT_EQ(AnsiBytesToStr(Bytes({'a', 0x81, 0x20, 'b'})).back(), u'b');
}

TEST(AnsiByteCount, CountsBytesUpToTheFirstNul) {
    EXPECT_EQ(AnsiByteCount(u"abc"), 3);
    EXPECT_EQ(AnsiByteCount(kKanji), 4);
    EXPECT_EQ(AnsiByteCount(std::u16string(u"a\0b", 3)), 1);
    EXPECT_EQ(AnsiByteCount(u""), 0);
    EXPECT_EQ(AnsiByteCount(u"\u20AC"), 1);
}

// Characters that do not come back from code page 932 as themselves: one
// for each, a surrogate pair as one, none for a text that comes back whole.
TEST(AnsiLostCharacters, CountsWhatDoesNotReadBack) {
    const struct {
        std::u16string text;
        int32_t lost;
    } cases[] = {
        {u"abc", 0},
        {kKanji, 0},
        {u"\u2603", 1},                             // a snowman: "?"
        {u"a\U0001F600b\u2603", 2},                 // a face and a snowman
        {u"?", 0},                                  // a question mark stays one
        {std::u16string(u"\u2603\0\u2603", 3), 1},  // up to the first U+0000
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.text));
        EXPECT_EQ(AnsiLostCharacters(c.text, StrToAnsiBytes(c.text)), c.lost);
    }
}

TEST(ByteStrLen, StopsAtZeroOrAtTheEnd) {
    EXPECT_EQ(ByteStrLen(Bytes({'a', 'b', 0, 'c'})), 2);
    EXPECT_EQ(ByteStrLen(Bytes({0})), 0);
    EXPECT_EQ(ByteStrLen(Bytes({'a', 'b'})), 2);
    EXPECT_EQ(ByteStrLen(ByteBuffer{}), 0);
}

TEST(WideBytes, RoundTripLittleEndianWithoutBom) {
    EXPECT_EQ(StrToWideBytes(u"A"), Bytes({0x41, 0x00}));
    EXPECT_EQ(StrToWideBytes(kKanji), Bytes({0x22, 0x6F, 0x57, 0x5B}));
    EXPECT_EQ(WideBytesToStr(Bytes({0x22, 0x6F, 0x57, 0x5B})), kKanji);
    EXPECT_EQ(WideBytesToStr(Bytes({'a', 0, 0, 0, 'b', 0})), u"a");
    // An odd trailing byte cannot make a code unit.
    EXPECT_EQ(WideBytesToStr(Bytes({'a', 0, 'b'})), u"a");
    const std::u16string surrogates = u"\U0001F600";
    EXPECT_EQ(WideBytesToStr(StrToWideBytes(surrogates)), surrogates);
}

TEST(FillBytes, FillsTheFirstCountBytesOnly) {
    ByteBuffer buf(4, 7);
    FillBytes(0xAA, 2, buf);
    EXPECT_EQ(buf, Bytes({0xAA, 0xAA, 7, 7}));
    FillBytes(1, 0, buf);
    FillBytes(1, -3, buf);
    EXPECT_EQ(buf, Bytes({0xAA, 0xAA, 7, 7}));
    // A count beyond the buffer stops at its end instead of writing past it.
    FillBytes(2, 10, buf);
    EXPECT_EQ(buf, Bytes({2, 2, 2, 2}));
}

struct FilterCase {
    std::u16string input;
    std::u16string controls;  // RemoveControls
    std::u16string blanks;    // RemoveBlanks
    std::u16string lines;     // StripLineCodes
};

TEST(Filters, Table) {
    const FilterCase cases[] = {
        {u"%% A\u3000B\t", u"%% A\u3000B", u"%%AB", u"%% A\u3000B"},
        {u"", u"", u"", u""},
        {u"\t", u"", u"", u" "},
        {u"a^mb\\nc", u"a^mb\\nc", u"a^mb\\nc", u"abc"},
        {u"^M", u"^M", u"^M", u"^M"},
        {u"^^m", u"^^m", u"^^m", u"^"},
        {u"x^", u"x^", u"x^", u"x^"},
        {u"x\\", u"x\\", u"x\\", u"x\\"},
        {u"\\N^m", u"\\N^m", u"\\N^m", u"\\N"},
        {u"^m\\n", u"^m\\n", u"^m\\n", u" "},
        {u"a\r\nb\x1F", u"ab", u"ab", u"ab"},
        {u" ", u" ", u"", u" "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.input));
        EXPECT_EQ(RemoveControls(c.input), c.controls);
        EXPECT_EQ(RemoveBlanks(c.input), c.blanks);
        EXPECT_EQ(StripLineCodes(c.input), c.lines);
    }
}

TEST(Casing, MapsLettersBeyondAscii) {
    EXPECT_EQ(UpperText(u"abc.jpg"), u"ABC.JPG");
    EXPECT_EQ(LowerText(u"IMG.JPG"), u"img.jpg");
    EXPECT_EQ(UpperText(u""), u"");
    EXPECT_EQ(LowerText(u""), u"");
    // Full-width letters; the sharp s is ICU's own (casing_icu_test.cpp).
    EXPECT_EQ(UpperText(u"\uFF41"), u"\uFF21");
    EXPECT_EQ(LowerText(u"\u0391\uFF21"), u"\u03B1\uFF41");
    EXPECT_EQ(UpperText(kKanji), kKanji);
}

TEST(StrToIntOrZero, Table) {
    const struct {
        std::u16string text;
        int32_t value;
    } cases[] = {
        {u"", 0},
        {u"0", 0},
        {u"123", 123},
        {u"  42", 42},
        {u"+7", 7},
        {u"-15", -15},
        {u"$1F", 31},
        {u"x10", 16},
        {u"X10", 16},
        {u"0x10", 16},
        {u"0XfF", 255},
        {u"-$10", -16},
        {u"2147483647", 2147483647},
        {u"-2147483648", INT32_MIN},
        {u"2147483648", 0},
        {u"-2147483649", 0},
        {u"$7FFFFFFF", 2147483647},
        {u"$80000000", 0},
        {u"99999999999999999999", 0},
        {u"12 ", 0},
        {u"1a", 0},
        {u"abc", 0},
        {u"-", 0},
        {u"$", 0},
        {u"0x", 0},
        {u" ", 0},
        {u"+-1", 0},
        {u"\uFF11", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.text));
        EXPECT_EQ(StrToIntOrZero(c.text), c.value);
    }
}

TEST(IntToText, DecimalWithSign) {
    EXPECT_EQ(IntToText(0), u"0");
    EXPECT_EQ(IntToText(268), u"268");
    EXPECT_EQ(IntToText(-5), u"-5");
    EXPECT_EQ(IntToText(INT32_MIN), u"-2147483648");
}

TEST(Colours, PackInTheirByteOrders) {
    EXPECT_EQ(PackRGB(255, 0, 0), 0x0000FF);
    EXPECT_EQ(PackRGB(0, 0, 255), 0xFF0000);
    EXPECT_EQ(PackRGB(1, 2, 3), 0x030201);
    // No masking: an out-of-range part carries into the next byte.
    EXPECT_EQ(PackRGB(256, 0, 0), 0x000100);
    EXPECT_EQ(PackRGB(255, 255, 255), 0xFFFFFF);
    EXPECT_EQ(PackRGB(0, 0, 0x8000), INT32_MIN);
    EXPECT_EQ(PackAlphaRGB(255, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(PackAlphaRGB(0, 0, 255), 0xFF0000FFu);
    EXPECT_EQ(PackAlphaRGB(1, 2, 3), 0xFF010203u);
}

TEST(Utf8, RoundTripsAndSubstitutesBrokenSequences) {
    const std::u16string text = u"a\u6F22\U0001F600";
    const std::string utf8 = "a\xE6\xBC\xA2\xF0\x9F\x98\x80";
    EXPECT_EQ(ToUtf8(text), utf8);
    EXPECT_EQ(FromUtf8(utf8), text);
    EXPECT_EQ(ToUtf8(u""), "");
    EXPECT_EQ(FromUtf8(""), u"");
    EXPECT_EQ(ToUtf8(Lone(0xD800)), "\xEF\xBF\xBD");
    EXPECT_EQ(FromUtf8("a\xFF"), u"a\uFFFD");
}

// Code page 932 gives the same bytes and texts on every platform: the
// tables below run on Linux (ICU) and on Windows (the system's converter).

std::u16string Units(std::initializer_list<char16_t> units) {
    return std::u16string(units);
}

struct EncodeCase {
    const char* what;
    std::u16string text;
    ByteBuffer bytes;
};

TEST(Cp932Policy, Encodes) {
    const EncodeCase cases[] = {
        {"forms typed on other systems", u"\u301C\u2212\u2016",
         Bytes({0x81, 0x60, 0x81, 0x7C, 0x81, 0x61})},
        {"the same characters' Windows forms", u"\uFF5E\uFF0D\u2225",
         Bytes({0x81, 0x60, 0x81, 0x7C, 0x81, 0x61})},
        {"JIS's yen, overline, cent, pound, not", u"\u00A5\u203E\u00A2\u00A3\u00AC",
         Bytes({0x5C, 0x7E, 0x81, 0x91, 0x81, 0x92, 0x81, 0xCA})},
        {"no other best fit", u"\u00A6\u00E9\u20AC", Bytes({'?', '?', '?'})},
        {"Windows' single bytes", u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3",
         Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF})},
        {"invisible formatting dropped", u"a\u200B\u200F\u202A\u2060\uFE0F\uFEFF\u00ADb",
         Bytes({'a', 'b'})},
        {"an emoji is one character", u"\U0001F600\u6F22", Bytes({'?', 0x8A, 0xBF})},
        {"lone surrogates", Units({0xDC00, u'x', 0xD800}), Bytes({'?', 'x', '?'})},
        {"IBM extensions rather than NEC's", u"\u7E8A\uFFE4\u2170",
         Bytes({0xFA, 0x5C, 0xFA, 0x55, 0xFA, 0x40})},
        {"NEC row 13", u"\u2160\u2252\u2235", Bytes({0x87, 0x54, 0x81, 0xE0, 0x81, 0xE6})},
        {"user-defined characters", u"\uE000\uE757", Bytes({0xF0, 0x40, 0xF9, 0xFC})},
        {"controls one to one", Units({0x1A, 0x1C, 0x7F, 0x6F22}),
         Bytes({0x1A, 0x1C, 0x7F, 0x8A, 0xBF})},
        {"a zero inside", Units({u'a', 0, 0x6F22}), Bytes({'a', 0, 0x8A, 0xBF})},
        {"half-width kana and full-width space", u"\uFF71\uFF9F\u3000",
         Bytes({0xB1, 0xDF, 0x81, 0x40})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(StrToAnsiBytes(c.text), c.bytes);
    }
}

TEST(Cp932Policy, Decodes) {
    const EncodeCase cases[] = {
        {"Windows' single bytes", u"\u0080\uF8F0\uF8F1\uF8F2\uF8F3",
         Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF})},
        {"Windows' forms", u"\uFF5E\uFF0D\u2225\uFFE0\uFFE1\uFFE2",
         Bytes({0x81, 0x60, 0x81, 0x7C, 0x81, 0x61, 0x81, 0x91, 0x81, 0x92, 0x81, 0xCA})},
        {"NEC-selected IBM extensions", u"\u7E8A\uFFE2\u2252",
         Bytes({0xED, 0x40, 0xEE, 0xF9, 0x87, 0x90})},
        {"user-defined characters", u"\uE000\uE757", Bytes({0xF0, 0x40, 0xF9, 0xFC})},
        {"controls one to one", Units({0x1A, 0x1C, 0x7F, 0x6F22}),
         Bytes({0x1A, 0x1C, 0x7F, 0x8A, 0xBF})},
        {"a lead byte before a byte that trails nothing", u"a\uFFFD b",
         Bytes({'a', 0x81, 0x20, 'b'})},
        {"a lead byte at the end", u"\u6F22\uFFFD", Bytes({0x8A, 0xBF, 0x81})},
        {"a pair without a character", u"\uFFFDa", Bytes({0x85, 0x40, 'a'})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(AnsiBytesToStr(c.bytes), c.text);
    }
}

// FNV-1a over a run of bytes, for the whole-table checks below.
void Mix(uint64_t& hash, const uint8_t* data, size_t size) {
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ data[i]) * 0x100000001B3ull;
}

// Every code unit and every byte pair: the few cases above name the rules;
// these catch any other character on which the platforms' tables differ.
TEST(Cp932Policy, WholeTablesAreTheSameEverywhere) {
    uint64_t encoded = 0xCBF29CE484222325ull;
    for (uint32_t c = 1; c < 0x10000; ++c) {
        const ByteBuffer bytes = StrToAnsiBytes(Units({0x6F22, static_cast<char16_t>(c)}));
        Mix(encoded, bytes.data(), bytes.size());
        Mix(encoded, reinterpret_cast<const uint8_t*>("|"), 1);
    }
    uint64_t decoded = 0xCBF29CE484222325ull;
    for (uint32_t lead = 1; lead < 0x100; ++lead) {
        for (uint32_t trail = 1; trail < 0x100; ++trail) {
            const ByteBuffer bytes = Bytes({static_cast<int>(lead), static_cast<int>(trail), 'a'});
            const ByteBuffer text = StrToWideBytes(AnsiBytesToStr(bytes));
            Mix(decoded, text.data(), text.size());
            Mix(decoded, reinterpret_cast<const uint8_t*>("|"), 1);
        }
    }
    EXPECT_EQ(encoded, 0x598925304DFBDF5Fu) << std::hex << encoded;
    EXPECT_EQ(decoded, 0x0FC0ED3C3A78E7E6u) << std::hex << decoded;
}

}  // namespace
}  // namespace tw
