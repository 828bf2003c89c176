// Large arrays backed by huge pages where the system gives them on request
// (Linux's transparent huge pages in their "madvise" mode): a fresh array of
// tens of MiB then faults in some tens of times instead of some ten
// thousand, and each fault of a fresh page costs microseconds.
#pragma once

#include <cstddef>
#include <vector>

namespace tw {

// Asks for huge pages under the whole huge pages inside [data, data + size).
// Nothing on other systems, for a smaller block, or when refused.
void AdviseHugePages(void* data, size_t size);

// entries.reserve(n), the new storage advised before anything touches it.
template <class T>
void ReserveLarge(std::vector<T>& entries, size_t n) {
    const bool fresh = n > entries.capacity();
    entries.reserve(n);
    if (fresh)
        AdviseHugePages(entries.data() + entries.size(),
                        (entries.capacity() - entries.size()) * sizeof(T));
}

}  // namespace tw
