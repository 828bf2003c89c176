// Where two byte strings part, for the message of a failed comparison.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace tw::test {

inline std::string FirstDifference(const std::vector<uint8_t>& got,
                                   const std::vector<uint8_t>& want) {
    const size_t n = std::min(got.size(), want.size());
    for (size_t i = 0; i < n; ++i) {
        if (got[i] != want[i]) {
            return "first difference at offset " + std::to_string(i) + ": got " +
                   std::to_string(got[i]) + ", expected " + std::to_string(want[i]);
        }
    }
    return "sizes " + std::to_string(got.size()) + " and " + std::to_string(want.size());
}

}  // namespace tw::test
