// Where a long text is cut, at exactly the limits: R12's 255 bytes a value
// and MTEXT's 250 characters a chunk, with an escape, a double byte or a
// surrogate pair that would straddle the limit kept whole.
#include <gtest/gtest.h>

#include <tintwright/dxf/TextValues.h>
#include <tintwright/util/Func_2.h>
#include "jww/WriterSupport.h"

namespace tw::dxf {
namespace {

std::u16string As(size_t count, std::u16string_view tail = u"") {
    return std::u16string(count, u'a') + std::u16string(tail);
}

struct PiecesCase {
    std::u16string text;
    std::vector<std::pair<size_t, size_t>> pieces;  // first, size
};

TEST(DxfTextValues, R12PiecesHoldAtMost255BytesAndNeverCutACharacter) {
    const PiecesCase cases[] = {
        {As(255), {{0, 255}}},
        {As(256), {{0, 255}, {255, 1}}},
        {As(253, u"日"), {{0, 254}}},            // two bytes: 255
        {As(254, u"日"), {{0, 254}, {254, 1}}},  // 256
        {As(248, u"ü"), {{0, 249}}},             // "\U+00FC": 255
        {As(249, u"ü"), {{0, 249}, {249, 1}}},   // 256
        {As(241, u"𠮷"), {{0, 243}}},            // two escapes: 255
        {As(242, u"𠮷"), {{0, 242}, {242, 2}}},  // 256
    };
    for (const PiecesCase& c : cases) {
        test::MemorySink sink;
        TagWriter w(sink, false);
        std::vector<std::pair<size_t, size_t>> got;
        for (const TextPiece& piece : PiecesWithin(c.text, w))
            got.emplace_back(piece.first, piece.size);
        EXPECT_EQ(got, c.pieces) << ToUtf8(c.text.substr(240));
    }
}

struct ChunksCase {
    std::u16string text;
    std::vector<std::u16string> chunks;
};

TEST(DxfTextValues, MTextChunksHoldAtMost250AndNeverCutAnEscapeOrAPair) {
    const ChunksCase cases[] = {
        {As(250), {As(250)}},
        {As(251), {As(250), u"a"}},
        {As(248, u"\\"), {As(248, u"\\\\")}},
        {As(249, u"\\"), {As(249), u"\\\\"}},
        {As(249, u"^"), {As(249), u"^ "}},
        {As(248, u"𠮷"), {As(248, u"𠮷")}},
        {As(249, u"𠮷"), {As(249), u"𠮷"}},
    };
    for (const ChunksCase& c : cases)
        EXPECT_EQ(MTextChunks(c.text), c.chunks) << c.text.size();
}

}  // namespace
}  // namespace tw::dxf
