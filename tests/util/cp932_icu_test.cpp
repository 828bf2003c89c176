// The code page 932 conversions give exactly what ICU's windows-31j converter
// gives (with Windows' one-to-one control bytes 0x1A, 0x1C and 0x7F), for
// every UTF-16 code unit and every one- and two-byte sequence.
#include <gtest/gtest.h>
#include <unicode/ucnv.h>

#include <algorithm>
#include <memory>
#include <string>

#include "util/Func_2.h"

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

class IcuReference : public ::testing::Test {
  protected:
    void SetUp() override {
        UErrorCode error = U_ZERO_ERROR;
        converter_.reset(ucnv_open("windows-31j", &error));
        ucnv_setSubstChars(converter_.get(), "?", 1, &error);
        ASSERT_FALSE(U_FAILURE(error));
    }

    ByteBuffer Encode(const std::u16string& text) {
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

TEST_F(IcuReference, EveryCodeUnitEncodesAsIcuDoes) {
    for (uint32_t c = 1; c < 0x10000; ++c) {
        // Behind a kanji, so that no text is plain ASCII.
        const std::u16string text = {u'\u6F22', static_cast<char16_t>(c)};
        ASSERT_EQ(StrToAnsiBytes(text), Encode(text)) << "U+" << std::hex << c;
    }
}

TEST_F(IcuReference, EveryByteAndPairDecodesAsIcuDoes) {
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

TEST_F(IcuReference, SurrogatePairsAndMixedTextsEncodeAsIcuDoes) {
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
