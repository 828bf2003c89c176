// The buffer every output writes through: bytes reach the sink in order and
// in large blocks, a block or more that nothing holds goes on uncopied, and
// held bytes survive flushes and overflow until kept or taken back whole.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include <tintwright/util/BufferedSink.h>

namespace tw {
namespace {

class RecordingSink : public ByteSink {
  public:
    void Write(const uint8_t* data, size_t size) override {
        bytes.insert(bytes.end(), data, data + size);
        writes.push_back(size);
    }
    std::vector<uint8_t> bytes;
    std::vector<size_t> writes;  // the size of each write
};

std::vector<uint8_t> Counting(size_t size, uint8_t first) {
    std::vector<uint8_t> run(size);
    for (size_t i = 0; i < size; ++i)
        run[i] = static_cast<uint8_t>(first + i);
    return run;
}

constexpr size_t kBlock = BufferedSink::kBlockSize;

TEST(BufferedSink, BytesArriveInOrderInLargeBlocks) {
    RecordingSink sink;
    std::vector<uint8_t> expected;
    {
        BufferedSink out(sink);
        for (const size_t size : {size_t{7}, kBlock - 7, size_t{10}, 2 * kBlock + 1, size_t{1}}) {
            const std::vector<uint8_t> run = Counting(size, static_cast<uint8_t>(size));
            out.Put(run.data(), run.size());
            expected.insert(expected.end(), run.begin(), run.end());
        }
        uint8_t* room = out.Room(4);
        room[0] = 'e', room[1] = 'n', room[2] = 'd';
        out.Commit(3);
        expected.insert(expected.end(), {'e', 'n', 'd'});
        out.Flush();
    }
    EXPECT_EQ(sink.bytes, expected);
    // A full block, what was buffered before the large run, the large run on
    // its own, the rest at the end.
    EXPECT_EQ(sink.writes, (std::vector<size_t>{kBlock, 10, 2 * kBlock + 1, 4}));
}

TEST(BufferedSink, HeldBytesAreKeptOrTakenBackWholeAcrossFlushes) {
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "kept" : "taken back");
        RecordingSink sink;
        BufferedSink out(sink);
        const std::vector<uint8_t> before = Counting(100, 1);
        const std::vector<uint8_t> held = Counting(3 * kBlock, 2);  // more than a block
        out.Put(before.data(), before.size());
        out.Hold();
        out.Put(held.data(), held.size());
        out.Flush();
        EXPECT_EQ(sink.bytes, before);  // what is held stays
        if (keep) {
            out.Release();
        } else {
            out.TakeBack();
        }
        out.Put("!", 1);
        out.Flush();
        std::vector<uint8_t> expected = before;
        if (keep) expected.insert(expected.end(), held.begin(), held.end());
        expected.push_back('!');
        EXPECT_EQ(sink.bytes, expected);
    }
}

}  // namespace
}  // namespace tw
