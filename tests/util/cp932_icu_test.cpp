// The code page 932 conversions give exactly what ICU's windows-31j converter
// gives (with Windows' one-to-one control bytes 0x1A, 0x1C and 0x7F), for
// every UTF-16 code unit and every one- and two-byte sequence, apart from the
// few characters the program adds so that Windows gives the same.
#include <gtest/gtest.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>

#include <algorithm>
#include <memory>
#include <string>

#include <tintwright/util/Func_2.h>

namespace tw {
namespace {

// Windows maps 0x1A, 0x1C and 0x7F one to one; ICU permutes them.
uint8_t SwapControl(uint8_t byte, bool toWindows) {
    const uint8_t icu[] = {0x7F, 0x1A, 0x1C};
    const uint8_t windows[] = {0x1A, 0x1C, 0x7F};
    const uint8_t* from = toWindows ? icu : windows;
    const uint8_t* to = toWindows ? windows : icu;
    for (int i = 0; i < 3; ++i)
        if (byte == from[i]) return to[i];
    return byte;
}

struct Addition {
    UChar32 c;
    std::string bytes;
};

// Other systems' forms of code page 932 characters (encoded only), and
// Windows' single bytes 80, A0, FD..FF (both ways).
const Addition kAdditions[] = {{0x00A5, "\x5C"},     {0x203E, "\x7E"},     {0x301C, "\x81\x60"},
                               {0x2016, "\x81\x61"}, {0x2212, "\x81\x7C"}, {0x00A2, "\x81\x91"},
                               {0x00A3, "\x81\x92"}, {0x00AC, "\x81\xCA"}, {0x0080, "\x80"},
                               {0xF8F0, "\xA0"},     {0xF8F1, "\xFD"},     {0xF8F2, "\xFE"},
                               {0xF8F3, "\xFF"}};

void AddedFromUnicode(const void* context, UConverterFromUnicodeArgs* args, const UChar* units,
                      int32_t length, UChar32 c, UConverterCallbackReason reason,
                      UErrorCode* error) {
    for (const Addition& addition : kAdditions) {
        if (reason != UCNV_UNASSIGNED || addition.c != c) continue;
        *error = U_ZERO_ERROR;
        ucnv_cbFromUWriteBytes(args, addition.bytes.data(),
                               static_cast<int32_t>(addition.bytes.size()), 0, error);
        return;
    }
    UCNV_FROM_U_CALLBACK_SUBSTITUTE(context, args, units, length, c, reason, error);
}

void AddedToUnicode(const void* context, UConverterToUnicodeArgs* args, const char* bytes,
                    int32_t length, UConverterCallbackReason reason, UErrorCode* error) {
    for (const Addition& addition : kAdditions) {
        const bool single =
            addition.bytes.size() == 1 && addition.bytes[0] != 0x5C && addition.bytes[0] != 0x7E;
        if (reason > UCNV_ILLEGAL || !single || length != 1 || bytes[0] != addition.bytes[0])
            continue;
        *error = U_ZERO_ERROR;
        const auto unit = static_cast<UChar>(addition.c);
        ucnv_cbToUWriteUChars(args, &unit, 1, 0, error);
        return;
    }
    UCNV_TO_U_CALLBACK_SUBSTITUTE(context, args, bytes, length, reason, error);
}

class IcuReference : public ::testing::Test {
  protected:
    void SetUp() override {
        UErrorCode error = U_ZERO_ERROR;
        converter_.reset(ucnv_open("windows-31j", &error));
        ucnv_setSubstChars(converter_.get(), "?", 1, &error);
        ucnv_setFromUCallBack(converter_.get(), AddedFromUnicode, nullptr, nullptr, nullptr,
                              &error);
        ucnv_setToUCallBack(converter_.get(), AddedToUnicode, nullptr, nullptr, nullptr, &error);
        ASSERT_FALSE(U_FAILURE(error));
    }

    ByteBuffer Encode(std::u16string text) {
        // ICU's one one-way mapping, of the private-use U+F86F to 8782 (which
        // reads back as U+2116), is unknown to Windows: "?" on both.
        std::replace(text.begin(), text.end(), u'\uF86F', u'?');
        ucnv_reset(converter_.get());
        ByteBuffer bytes(text.size() * 2 + 4);
        auto* target = reinterpret_cast<char*>(bytes.data());
        const UChar* source = text.data();
        UErrorCode error = U_ZERO_ERROR;
        ucnv_fromUnicode(converter_.get(), &target, target + bytes.size(), &source,
                         source + text.size(), nullptr, true, &error);
        bytes.resize(static_cast<size_t>(target - reinterpret_cast<char*>(bytes.data())));
        for (auto& b : bytes)
            b = SwapControl(b, true);
        return bytes;
    }

    std::u16string Decode(const ByteBuffer& windows) {
        ucnv_reset(converter_.get());
        std::string bytes(windows.size(), '\0');
        std::transform(windows.begin(), windows.end(), bytes.begin(),
                       [](uint8_t b) { return static_cast<char>(SwapControl(b, false)); });
        std::u16string text(bytes.size() + 2, u'\0');
        UChar* target = text.data();
        const char* source = bytes.data();
        UErrorCode error = U_ZERO_ERROR;
        ucnv_toUnicode(converter_.get(), &target, target + text.size(), &source,
                       source + bytes.size(), nullptr, true, &error);
        text.resize(static_cast<size_t>(target - text.data()));
        return text;
    }

  private:
    struct Close {
        void operator()(UConverter* c) const { ucnv_close(c); }
    };
    std::unique_ptr<UConverter, Close> converter_;
};

TEST_F(IcuReference, EveryCodeUnitEncodesAsIcuWithTheAdditions) {
    for (uint32_t c = 1; c < 0x10000; ++c) {
        // Behind a kanji, so that no text is plain ASCII.
        const std::u16string text = {u'\u6F22', static_cast<char16_t>(c)};
        ASSERT_EQ(StrToAnsiBytes(text), Encode(text)) << "U+" << std::hex << c;
    }
}

TEST_F(IcuReference, EveryByteAndPairDecodesAsIcuWithTheAdditions) {
    for (uint32_t lead = 1; lead < 0x100; ++lead) {
        for (uint32_t trail = 1; trail < 0x100; ++trail) {
            // After a kanji, and with a byte behind that a bad pair may leave.
            const ByteBuffer bytes = {0x8A, 0xBF, static_cast<uint8_t>(lead),
                                      static_cast<uint8_t>(trail), 'a'};
            ASSERT_EQ(AnsiBytesToStr(bytes), Decode(bytes)) << std::hex << lead << " " << trail;
        }
        const ByteBuffer single = {0x8A, 0xBF, static_cast<uint8_t>(lead)};
        ASSERT_EQ(AnsiBytesToStr(single), Decode(single)) << std::hex << lead;
    }
}

TEST_F(IcuReference, SurrogatePairsAndMixedTextsEncodeAsIcuWithTheAdditions) {
    const std::u16string texts[] = {u"台所・食堂 12", u"\U0001F600x漢", u"ｱ\u20AC\u00A5~\\",
                                    std::u16string(u"a\0漢", 3), u"ＭＳ ゴシック"};
    for (const auto& text : texts) {
        EXPECT_EQ(StrToAnsiBytes(text), Encode(text));
        const ByteBuffer bytes = Encode(text);
        const ByteBuffer head(bytes.begin(), std::find(bytes.begin(), bytes.end(), 0));
        EXPECT_EQ(AnsiBytesToStr(bytes), Decode(head));
    }
}

}  // namespace
}  // namespace tw
