#include <tintwright/util/HugePages.h>

#include <cstdint>

#if defined(__linux__) && !defined(__EMSCRIPTEN__)
#include <sys/mman.h>
#endif

namespace tw {

void AdviseHugePages(void* data, size_t size) {
#if defined(__linux__) && !defined(__EMSCRIPTEN__) && defined(MADV_HUGEPAGE)
    constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
    const auto begin = reinterpret_cast<uintptr_t>(data);
    const uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
    const uintptr_t last = (begin + size) & ~(kHugePage - 1);
    if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

}  // namespace tw
