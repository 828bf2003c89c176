// The portable code page 932 tables (util/Cp932Table.cpp) say exactly what
// the ICU converter says, so the page converts texts to the same bytes.
#include <gtest/gtest.h>

#include <vector>

#include "util/Cp932Platform.h"
#include "util/Cp932Table.h"

namespace tw {
namespace {

TEST(Cp932Table, EncodesEveryCodeUnitAsIcuDoes) {
    std::vector<uint16_t> table(0x10000);
    for (size_t i = 0; i < kCp932EncodeSize; ++i)
        table[kCp932Encode[i].from] = kCp932Encode[i].to;
    const std::vector<uint16_t> icu = PlatformEncodeTable();
    ASSERT_EQ(icu.size(), table.size());
    for (size_t unit = 0; unit < table.size(); ++unit)
        ASSERT_EQ(icu[unit], table[unit]) << "U+" << std::hex << unit;
}

TEST(Cp932Table, DecodesEveryOneAndTwoByteSequenceAsIcuDoes) {
    std::vector<char16_t> table(0x10000);
    for (size_t i = 0; i < kCp932DecodeSize; ++i) {
        if (i > 0) ASSERT_LT(kCp932Decode[i - 1].from, kCp932Decode[i].from);
        table[kCp932Decode[i].from] = static_cast<char16_t>(kCp932Decode[i].to);
    }
    for (unsigned lead = 1; lead < 0x100; ++lead) {
        const uint8_t single[] = {static_cast<uint8_t>(lead)};
        ASSERT_EQ(PlatformDecode(single, 1), table[lead]) << std::hex << lead;
        for (unsigned trail = 1; trail < 0x100; ++trail) {
            const uint8_t pair[] = {static_cast<uint8_t>(lead), static_cast<uint8_t>(trail)};
            ASSERT_EQ(PlatformDecode(pair, 2), table[lead << 8 | trail])
                << std::hex << lead << ' ' << trail;
        }
    }
}

}  // namespace
}  // namespace tw
