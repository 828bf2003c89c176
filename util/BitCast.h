// std::bit_cast for every library this builds with: Emscripten's libc++
// lacks it, while GCC and Clang both have the builtin it is made of.
#pragma once

#include <type_traits>

namespace tw {

template <class To, class From>
constexpr To BitCast(const From& from) {
    static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<From>);
    return __builtin_bit_cast(To, from);
}

}  // namespace tw
