// Files that FileOut writes read back: every version and text code, every
// entity kind, SXF dimensions and their separate parts below 4.20, nested
// block definitions and a bound image.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include <tintwright/document/EntityView.h>
#include "jww/ReaderSupport.h"
#include "support/TempDir.h"

namespace tw::test {
namespace {

constexpr int32_t kVersions[] = {220, 223, 225, 230, 300, 351, 420, 600, 700};

// One entity as its file's version lays it out: comparing these compares
// every value the file carries.
struct Laid {
    int32_t kind;
    ByteBuffer bytes;
    bool operator==(const Laid&) const = default;
};

template <class R>
Laid Lay(int32_t kind, R record, int32_t version) {
    return {kind, Written(version, true, [&](ArchiveWriter& ar) { PutBody(ar, record); })};
}

// The entities of an order list as read; an entry that names no record fails.
std::vector<Laid> AsRead(const EntityView& v, int32_t version) {
    std::vector<Laid> out;
    for (const TEntJwwNo& e : v.order) {
        const bool named =
            VisitEntry(v, e, [&](const auto& r) { out.push_back(Lay(e.EntType, r, version)); });
        EXPECT_TRUE(named) << "entry of kind " << e.EntType << ", index " << e.EntNo;
    }
    return out;
}

// The entities of an order list as a file of the version holds them: below
// 4.20 an SXF-mode dimension of a 4.20 or newer document is followed by its
// parts as lines and points, the base points temporary.
std::vector<Laid> AsWritten(const EntityView& v, int32_t version, int32_t jwVer) {
    std::vector<Laid> out;
    const auto parts = [&](TEntJwwSunpo s) {
        if (version >= 420 || jwVer < 420 || s.bSxfMode == 0) return;
        s.Kt1.bKariten = s.Kt2.bKariten = 1;
        for (const TEntJwwLine& part : {s.Ho1, s.Ho2})
            out.push_back(Lay(kEntLine, part, version));
        for (const TEntJwwTen& part : {s.Te1, s.Te2, s.Kt1, s.Kt2})
            out.push_back(Lay(kEntPoint, part, version));
    };
    for (const TEntJwwNo& e : v.order) {
        VisitEntry(v, e, [&]<class R>(const R& r) {
            out.push_back(Lay(e.EntType, r, version));
            if constexpr (std::is_same_v<R, TEntJwwSunpo>) parts(r);
        });
    }
    return out;
}

struct RoundTrip : ::testing::TestWithParam<std::tuple<int32_t, bool>> {};

TEST_P(RoundTrip, EveryEntityReadsBackAsWritten) {
    const auto [version, utf16] = GetParam();
    TempDir dir;
    std::filesystem::create_directory(dir.path() / "in");
    std::filesystem::create_directory(dir.path() / "out");
    const ByteBuffer image = {0x89, 'P', 'N', 'G', 0, 1, 2, 3, 0xFF, 0xFE, 0xFF};
    SaveBytes(dir.path() / "in" / "plan.png", image);

    TJwwData original;
    SampleDrawing(original);
    original.BindImageFolder = (dir.path() / "in").u16string() + u"/";
    original.BindImageExp = original.BindImageExr = true;
    original.BindImage = {{u"plan.png", 0, false}};
    original.BindImageN = 1;
    original.SetFileOutOption(utf16 ? kOutUtf16 : 0);
    const std::u16string file = (dir.path() / "drawing.jww").u16string();
    ASSERT_TRUE(original.FileOut(file, version));

    TJwwData read;
    read.BindImageFolder = (dir.path() / "out").u16string() + u"/";
    read.BindImageExp = true;
    const jwwin::ReadReport report = jwwin::ReadDrawingFile(read, file, {});
    ASSERT_TRUE(report.ok) << report.reason;
    EXPECT_EQ(report.stoppedAt, std::filesystem::file_size(dir.path() / "drawing.jww"));
    EXPECT_TRUE(read.FileIn(file));

    EXPECT_EQ(read.Enthd.jwVer, version);
    EXPECT_EQ(read.Enthd.strMemo, original.Enthd.strMemo);
    EXPECT_EQ(read.MojiEncode, utf16);
    EXPECT_EQ(read.Enthd.n1, version >= 420 ? 12 : 18);
    EXPECT_EQ(AsRead(EntityView::Of(read), version),
              AsWritten(EntityView::Of(original), version, original.Enthd.jwVer));

    ASSERT_EQ(read.EntBlockDefN, 2);
    for (int i = 0; i < 2; ++i) {
        TEntJwwBlockDef& want = original.EntBlockDef[i];
        TEntJwwBlockDef& got = read.EntBlockDef[i];
        EXPECT_EQ(got.strName, want.strName);
        EXPECT_EQ(got.nNumber, want.nNumber);
        EXPECT_EQ(got.dtime, want.dtime);
        EXPECT_EQ(got.bRefferd, want.bRefferd);
        EXPECT_EQ(AsRead(EntityView::Of(got), version),
                  AsWritten(EntityView::Of(want), version, original.Enthd.jwVer));
    }
    EXPECT_EQ(read.EntBlockTreeN, 4);  // two insertions, each with its nested one
    EXPECT_EQ(read.EntBlockNum, 2);

    // Values the version does not carry.
    EXPECT_EQ(read.EntLine[0].att.nPenWidth, version >= 351 ? 30000 : 0);
    EXPECT_EQ(read.EntTen[0].dBairitsu, 1.0);               // a plain point of the drawing
    EXPECT_EQ(read.EntBlockDef[1].mTen[0].dBairitsu, 0.0);  // and of a block
    const TEntJwwSunpo& sxf = read.EntSunpo[1];
    EXPECT_EQ(sxf.bSxfMode, version >= 420 ? 1 : 0);
    EXPECT_EQ(sxf.Te1.dBairitsu, 0.0);
    if (version < 420) {
        EXPECT_EQ(sxf.Ho1.att.nPenColor, sxf.att.nPenColor);
        EXPECT_EQ(sxf.Kt2.att.nPenStyle, 0);
        EXPECT_EQ(read.EntLineN, 3);  // the parts became entities
        EXPECT_EQ(read.EntTenN, 6);
    }

    // The bound image comes back byte for byte from 7.00 on.
    ASSERT_EQ(read.BindImageN, version >= 700 ? 1 : 0);
    if (version >= 700) {
        EXPECT_EQ(read.BindImage[0].Fname, u"plan.png");
        EXPECT_EQ(read.BindImage[0].Fsize, static_cast<int32_t>(image.size()));
        EXPECT_EQ(LoadBytes(dir.path() / "out" / "plan.png"), image);
    }
}

INSTANTIATE_TEST_SUITE_P(AllVersionsBothTextCodes, RoundTrip,
                         ::testing::Combine(::testing::ValuesIn(kVersions), ::testing::Bool()));

// Long order lists are read with their arrays sized from the first objects;
// every record still lands in order, whatever the mix.
TEST(RoundTripLarge, LongMixedOrderListsReadBackInOrder) {
    TempDir dir;
    TJwwData original;
    SampleDrawing(original);
    for (int32_t i = 0; i < 30000; ++i) {
        // Lines first, then arcs mixed in, so that the early share misleads.
        if (i < 10000 || i % 3 != 0) {
            AddLine(original, Line(i, 0, i, 1));
        } else {
            original.EntEnko.push_back(original.EntEnko[0]);
            original.EntEnko.back().dHankei = i;
            AddEntry(original, kEntArc, original.EntEnkoN++);
        }
    }
    const std::u16string file = (dir.path() / "large.jww").u16string();
    ASSERT_TRUE(original.FileOut(file, 600));
    TJwwData read;
    ASSERT_TRUE(read.FileIn(file));
    ASSERT_EQ(read.Enthd.n1, original.Enthd.n1);
    EXPECT_EQ(AsRead(EntityView::Of(read), 600), AsWritten(EntityView::Of(original), 600, 600));
    EXPECT_EQ(read.EntLineN, original.EntLineN);
    EXPECT_EQ(read.EntEnkoN, original.EntEnkoN);
    EXPECT_EQ(read.EntLine.size(), static_cast<size_t>(read.EntLineN));
}

// A document keeps its arrays' storage from one reading to the next; what a
// reading leaves must not depend on what the document held before, and
// DataFree gives the storage back.
TEST(RoundTripLarge, ReadingAgainGivesWhatAFreshDocumentReads) {
    TempDir dir;
    TJwwData large;
    SampleDrawing(large);
    for (int32_t i = 0; i < 20000; ++i)
        AddLine(large, Line(i, 0, i, 1));
    TJwwData small;
    SampleDrawing(small);
    const std::u16string largeFile = (dir.path() / "large.jww").u16string();
    const std::u16string smallFile = (dir.path() / "small.jww").u16string();
    ASSERT_TRUE(large.FileOut(largeFile, 700));
    ASSERT_TRUE(small.FileOut(smallFile, 700));

    TJwwData fresh;
    ASSERT_TRUE(fresh.FileIn(smallFile));
    TJwwData reused;
    ASSERT_TRUE(reused.FileIn(largeFile));
    ASSERT_TRUE(reused.FileIn(smallFile));
    EXPECT_EQ(AsRead(EntityView::Of(reused), 700), AsRead(EntityView::Of(fresh), 700));
    EXPECT_EQ(reused.EntLine.size(), static_cast<size_t>(fresh.EntLineN));
    EXPECT_EQ(reused.EntNo.size(), fresh.EntNo.size());
    EXPECT_EQ(reused.EntBlockDefN, fresh.EntBlockDefN);
    EXPECT_EQ(reused.EntBlockTreeN, fresh.EntBlockTreeN);

    reused.DataFree();
    for (size_t capacity : {reused.EntNo.capacity(), reused.EntLine.capacity(),
                            reused.EntMoji.capacity(), reused.EntLay.capacity()})
        EXPECT_EQ(capacity, 0u);
}

TEST(ReaderImages, OnlyBindImageExrListsImagesWithoutWritingThem) {
    TempDir dir;
    const ByteBuffer image(5000, 0x5A);
    SaveBytes(dir.path() / "plan.png", image);
    TJwwData original;
    SampleDrawing(original);
    original.BindImageFolder = dir.folder();
    original.BindImageExr = true;
    original.BindImage = {{u"plan.png", 0, false}};
    original.BindImageN = 1;
    const std::u16string file = (dir.path() / "d.jww").u16string();
    ASSERT_TRUE(original.FileOut(file, 700));
    std::filesystem::remove(dir.path() / "plan.png");

    TJwwData read;
    read.BindImageFolder = dir.folder();
    read.BindImageExr = true;
    ASSERT_TRUE(read.FileIn(file));
    ASSERT_EQ(read.BindImageN, 1);
    EXPECT_EQ(read.BindImage[0].Fname, u"plan.png");
    EXPECT_EQ(read.BindImage[0].Fsize, 5000);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "plan.png"));

    // With neither flag the list stays empty.
    TJwwData plain;
    ASSERT_TRUE(plain.FileIn(file));
    EXPECT_EQ(plain.BindImageN, 0);
}

}  // namespace
}  // namespace tw::test
