// The fewest bytes an object record of each kind takes in any file, found by
// walking its description with an archive that only counts: with the oldest
// version, empty texts and no optional fields. The reader uses them to bound
// what a count in a file can claim.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

#include <tintwright/document/jwwtype.h>
#include <tintwright/jww/Records.h>
#include <tintwright/jww/Versions.h>

namespace tw::jwwin {

// The archive that counts the bytes a description walks.
class ByteCounter {
  public:
    int32_t version() const { return ver::kOldest; }
    void u8(uint8_t) { bytes += 1; }
    void u16(uint16_t) { bytes += 2; }
    void u32(uint32_t) { bytes += 4; }
    void i32(int32_t) { bytes += 4; }
    void f64(double) { bytes += 8; }
    void text(const std::u16string&) { bytes += 1; }  // the empty text's length byte
    void memo(const std::u16string&) { bytes += 1; }

    uint64_t bytes = 0;
};

inline constexpr uint64_t kClassTagBytes = 2;

// A class tag and the smallest body of a record R.
template <class R>
uint64_t MinObjectBytes() {
    static const uint64_t bytes = [] {
        ByteCounter counter;
        R empty{};
        rec::describe(counter, empty);
        return kClassTagBytes + counter.bytes;
    }();
    return bytes;
}

// The smallest object record of any kind.
inline uint64_t MinObjectBytes() {
    return std::min({MinObjectBytes<TEntJwwLine>(), MinObjectBytes<TEntJwwEnko>(),
                     MinObjectBytes<TEntJwwTen>(), MinObjectBytes<TEntJwwMoji>(),
                     MinObjectBytes<TEntJwwSunpo>(), MinObjectBytes<TEntJwwSolid>(),
                     MinObjectBytes<TEntJwwBlock>()});
}

}  // namespace tw::jwwin
