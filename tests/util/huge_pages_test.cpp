// ReserveLarge is reserve with advice: the entries, their order and the room
// are a reserve's, whatever the system makes of the advice.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <tintwright/util/HugePages.h>

namespace tw {
namespace {

TEST(ReserveLarge, KeepsTheEntriesAndGivesTheRoom) {
    std::vector<int64_t> entries = {1, 2, 3};
    ReserveLarge(entries, size_t{8} << 20);  // 64 MiB: whole huge pages inside
    ASSERT_GE(entries.capacity(), size_t{8} << 20);
    EXPECT_EQ(entries, (std::vector<int64_t>{1, 2, 3}));
    entries.resize(size_t{8} << 20, 7);  // the advised room is ordinary memory
    EXPECT_EQ(entries.back(), 7);
    const int64_t* storage = entries.data();
    ReserveLarge(entries, 10);  // no smaller room, no new storage
    EXPECT_EQ(entries.data(), storage);
}

TEST(AdviseHugePages, SmallAndUnalignedBlocksAreLeftAlone) {
    std::vector<char> small(100, 'x');
    AdviseHugePages(small.data() + 1, small.size() - 1);
    AdviseHugePages(nullptr, 0);
    EXPECT_EQ(small[50], 'x');
}

}  // namespace
}  // namespace tw
