// Damaged and hostile files: cut at any offset, counts that claim more than
// the file holds, image names that point outside the folder, images larger
// than the file. Each ends cleanly, keeps what was read and costs no more
// memory than the file could fill.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#endif

#include <atomic>
#include <csignal>
#include <filesystem>
#include <functional>
#include <limits>
#include <random>
#include <thread>

#include "jww/ReaderSupport.h"
#include "support/TempDir.h"

namespace tw::test {
namespace {

constexpr int32_t kMaxCount = std::numeric_limits<int32_t>::max();

using Body = std::function<void(ArchiveWriter&)>;

ByteBuffer File(int32_t version, const Body& body) {
    return Concat({BlankHeader(version), Written(version, false, body)});
}

// The sample drawing with its image, as FileOut writes it.
ByteBuffer SampleFile(const TempDir& dir, int32_t version) {
    SaveBytes(dir.path() / "plan.png", ByteBuffer(3000, 0x42));
    TJwwData doc;
    SampleDrawing(doc);
    doc.BindImageFolder = dir.folder();
    doc.BindImageExr = true;
    doc.BindImage = {{u"plan.png", 0, false}};
    doc.BindImageN = 1;
    const std::filesystem::path file = dir.path() / "sample.jww";
    EXPECT_TRUE(doc.FileOut(file.u16string(), version));
    const ByteBuffer bytes = LoadBytes(file);
    std::filesystem::remove(file);
    std::filesystem::remove(dir.path() / "plan.png");
    return bytes;
}

int32_t EntitiesRead(const TJwwData& d) {
    int32_t n =
        d.EntLineN + d.EntEnkoN + d.EntTenN + d.EntMojiN + d.EntSunpoN + d.EntSolidN + d.EntBlockN;
    for (int32_t i = 0; i < d.EntBlockDefN; ++i) {
        const TEntJwwBlockDef& b = d.EntBlockDef[static_cast<size_t>(i)];
        n += b.mLineN + b.mEnkoN + b.mTenN + b.mMojiN + b.mSunpoN + b.mSolidN + b.mBlockN;
    }
    return n;
}

TEST(ReaderDamage, CutFilesFailAndKeepWhatWasRead) {
    for (int32_t version : {351, 700}) {
        TempDir dir;
        const ByteBuffer whole = SampleFile(dir, version);
        std::filesystem::create_directory(dir.path() / "images");
        TJwwData d;
        d.BindImageExp = true;
        d.BindImageFolder = (dir.path() / "images").u16string() + u"/";
        ASSERT_TRUE(ReadBytes(d, whole).ok);
        const int32_t all = EntitiesRead(d);
        std::filesystem::remove(dir.path() / "images" / "plan.png");

        // Offsets all through the entities, blocks and image; fewer in the header.
        int32_t before = 0;
        for (size_t cut = 0; cut < whole.size(); cut += cut < whole.size() - 5000 ? 61 : 3) {
            const jwwin::ReadReport report = ReadBytes(d, Slice(whole, 0, cut));
            ASSERT_FALSE(report.ok) << version << " cut at " << cut;
            ASSERT_TRUE(CountsFitArrays(d)) << cut;
            const int32_t read = EntitiesRead(d);
            ASSERT_GE(read, before) << cut;  // a longer part of the file never gives less
            before = read;
            // An image cut short leaves nothing in the folder.
            ASSERT_TRUE(std::filesystem::is_empty(dir.path() / "images")) << cut;
        }
        EXPECT_GE(before, all - 1);  // at most the last record was cut
    }
}

TEST(ReaderDamage, CountsBeyondTheFileCostNoMemory) {
    const Body bodies[] = {
        [](ArchiveWriter& ar) {  // the entity count
            ar.WriteCount(kMaxCount);
            PutRecord(ar, RecordClass::Sen, Line(1, 0, 0, 0));
            PutRecord(ar, RecordClass::Sen, Line(2, 0, 0, 0));
        },
        [](ArchiveWriter& ar) {  // the block-definition count
            ar.WriteCount(0);
            ar.WriteCount(kMaxCount);
        },
        [](ArchiveWriter& ar) {  // a definition's member count
            ar.WriteCount(0);
            ar.WriteCount(1);
            ar.BeginRecord(RecordClass::List);
            PutBody(ar, TEntJwwAttr{});
            for (int i = 0; i < 3; ++i)
                ar.u32(0);
            ar.WriteString(u"b");
            ar.WriteCount(kMaxCount);
            PutRecord(ar, RecordClass::Sen, Line(1, 0, 0, 0));
        },
        [](ArchiveWriter& ar) {  // the image count
            ar.WriteCount(0);
            ar.WriteCount(0);
            ar.i32(kMaxCount);
            ar.WriteString(u"a.png");
            ar.i32(0);
        },
    };
    for (const Body& body : bodies) {
        const ByteBuffer file = File(700, body);
        TJwwData d;
        d.BindImageExr = true;
        const jwwin::ReadReport report = ReadBytes(d, file);
        EXPECT_FALSE(report.ok);
        EXPECT_EQ(report.reason, kFileIoError);
        EXPECT_EQ(report.stoppedAt, file.size());
        EXPECT_TRUE(CountsFitArrays(d));
        // Nothing was sized from the counts: at most what the file could fill.
        EXPECT_LE(d.EntNo.capacity() * sizeof(TEntJwwNo), file.size());
        EXPECT_LE(d.EntBlockDef.capacity(), 2u);
        EXPECT_LE(d.BindImage.capacity(), 2u);
        for (const TEntJwwBlockDef& b : d.EntBlockDef)
            EXPECT_LE(b.mNo.capacity() * sizeof(TEntJwwNo), file.size());
    }
    // The two lines before the end of the file are kept.
    TJwwData d;
    ReadBytes(d, File(700, bodies[0]));
    EXPECT_EQ(d.EntLineN, 2);
    EXPECT_EQ(d.EntNo[1].EntType, kEntLine);
}

// Arrays are given room from the first objects of a long list, but never
// for more records than the rest of the file could hold.
TEST(ReaderDamage, RoomForArraysFollowsTheFileNotItsCounts) {
    TEntJwwSunpo dim;
    const ByteBuffer file = File(600, [&](ArchiveWriter& ar) {
        ar.WriteCount(kMaxCount);
        for (int i = 0; i < 5000; ++i)
            PutRecord(ar, RecordClass::Sunpou, dim);
    });
    TJwwData d;
    EXPECT_FALSE(ReadBytes(d, file).ok);
    EXPECT_EQ(d.EntSunpoN, 5000);
    EXPECT_LE(d.EntSunpo.capacity() * sizeof(TEntJwwSunpo), 4 * file.size());
    for (size_t capacity : {d.EntLine.capacity(), d.EntTen.capacity(), d.EntMoji.capacity()})
        EXPECT_EQ(capacity, 0u);
}

// An image section of a 7.00 file with the given images.
ByteBuffer ImageFile(const std::vector<std::pair<std::u16string, ByteBuffer>>& images) {
    return File(700, [&](ArchiveWriter& ar) {
        ar.WriteCount(0);
        ar.WriteCount(0);
        ar.i32(static_cast<int32_t>(images.size()));
        for (const auto& [name, bytes] : images) {
            ar.WriteString(name);
            ar.i32(static_cast<int32_t>(bytes.size()));
            if (!bytes.empty()) ar.bytes(bytes.data(), bytes.size());
        }
    });
}

TEST(ReaderDamage, ImagesWhoseNamesLeaveTheFolderAreNeverWritten) {
    TempDir dir;
    const std::filesystem::path images = dir.path() / "images";
    std::filesystem::create_directory(images);
    const std::filesystem::path outside = dir.path() / "evil.txt";
    const std::u16string names[] = {u"../evil.txt", (dir.path() / "abs.txt").u16string(),
                                    u"..",          u"",
                                    u"sub/x.png",   u"sub\\x.png",
                                    u"C:x.png"};
    std::vector<std::pair<std::u16string, ByteBuffer>> list;
    for (const std::u16string& name : names)
        list.push_back({name, ByteBuffer(10, 'E')});
    list.push_back({u"ok.png", ByteBuffer(20, 'K')});
    TJwwData d;
    d.BindImageExp = true;
    d.BindImageFolder = images.u16string() + u"/";
    const jwwin::ReadReport report = ReadBytes(d, ImageFile(list));
    ASSERT_TRUE(report.ok) << report.reason;
    // Listed with their sizes, as the file has them, but only the plain name is written.
    ASSERT_EQ(d.BindImageN, static_cast<int32_t>(list.size()));
    EXPECT_EQ(d.BindImage[0].Fname, u"../evil.txt");
    EXPECT_EQ(d.BindImage[0].Fsize, 10);
    EXPECT_FALSE(std::filesystem::exists(outside));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "abs.txt"));
    EXPECT_EQ(LoadBytes(images / "ok.png"), ByteBuffer(20, 'K'));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(images),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ReaderDamage, ImageSizesTheFileCannotHoldFail) {
    for (int32_t size : {-1, std::numeric_limits<int32_t>::min(), 11, kMaxCount}) {
        TempDir dir;
        const ByteBuffer file = File(700, [&](ArchiveWriter& ar) {
            ar.WriteCount(0);
            ar.WriteCount(0);
            ar.i32(1);
            ar.WriteString(u"a.png");
            ar.i32(size);
            ar.fill('x', 10);
        });
        TJwwData d;
        d.BindImageExp = true;
        d.BindImageFolder = dir.folder();
        const jwwin::ReadReport report = ReadBytes(d, file);
        EXPECT_FALSE(report.ok) << size;
        EXPECT_EQ(report.reason, kFileIoError);
        EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << size;
    }
}

TEST(ReaderDamage, ImagesReplaceFilesAndLinksButNeverWriteThroughThem) {
    TempDir dir;
    const std::filesystem::path images = dir.path() / "images";
    std::filesystem::create_directory(images);
    std::filesystem::create_directory(images / "folder.png");
    SaveBytes(images / "old.png", ByteBuffer(3, 'o'));
    const std::filesystem::path target = dir.path() / "target.txt";
    SaveBytes(target, ByteBuffer(4, 't'));
#ifndef _WIN32  // symbolic links need a privilege on Windows: a plain new file there
    std::filesystem::create_symlink(target, images / "link.png");
#endif

    TJwwData d;
    d.BindImageExp = true;
    d.BindImageFolder = images.u16string() + u"/";
    const jwwin::ReadReport report = ReadBytes(d, ImageFile({{u"folder.png", ByteBuffer(5, '1')},
                                                             {u"old.png", ByteBuffer(6, '2')},
                                                             {u"link.png", ByteBuffer(7, '3')},
                                                             {u"empty.png", {}}}));
    ASSERT_TRUE(report.ok) << report.reason;
    EXPECT_EQ(d.BindImageN, 4);
    EXPECT_TRUE(std::filesystem::is_directory(images / "folder.png"));  // could not be written
    EXPECT_EQ(LoadBytes(images / "old.png"), ByteBuffer(6, '2'));
    EXPECT_FALSE(std::filesystem::is_symlink(images / "link.png"));
    EXPECT_EQ(LoadBytes(images / "link.png"), ByteBuffer(7, '3'));
    EXPECT_EQ(LoadBytes(target), ByteBuffer(4, 't'));
    EXPECT_FALSE(std::filesystem::exists(images / "empty.png"));  // an empty image makes no file
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(images),
                            std::filesystem::directory_iterator()),
              3);  // no temporary file left behind
}

TEST(ReaderDamage, ImagesKeepExistingFilesWhenAskedAndSayWhy) {
    TempDir dir;
    SaveBytes(dir.path() / "mine.png", ByteBuffer(3, 'm'));
    TJwwData d;
    d.BindImageExp = true;
    d.BindImageFolder = dir.folder();
    const jwwin::ReadReport report =
        ReadBytes(d,
                  ImageFile({{u"mine.png", ByteBuffer(5, '1')},
                             {u"new.png", ByteBuffer(5, '2')},
                             {u"../up.png", ByteBuffer(5, '3')},
                             {u"empty.png", {}}}),
                  {.maxObjects = std::nullopt, .replaceImages = false});
    ASSERT_TRUE(report.ok) << report.reason;
    EXPECT_EQ(LoadBytes(dir.path() / "mine.png"), ByteBuffer(3, 'm'));
    EXPECT_EQ(LoadBytes(dir.path() / "new.png"), ByteBuffer(5, '2'));
    ASSERT_EQ(report.images.size(), 4u);
    EXPECT_EQ(report.images[0].problem, jwwin::kImageExists);
    EXPECT_EQ(report.images[1].problem, "");
    EXPECT_EQ(report.images[2].problem, "not a plain file name");
    EXPECT_NE(report.images[3].problem, "");
}

#ifndef _WIN32
// Another process re-creating a link at an image's name while the images are
// written must not get anything written through it.
TEST(ReaderDamage, ALinkRecreatedDuringExtractionIsNeverWrittenThrough) {
    // Each image is a race; the machine shared by every test keeps it small.
    constexpr int32_t kRaceImages = 2000;
    TempDir dir;
    const std::filesystem::path images = dir.path() / "images";
    std::filesystem::create_directory(images);
    const std::filesystem::path outside = dir.path() / "outside.txt";
    SaveBytes(outside, ByteBuffer(7, 'o'));
    const ByteBuffer file = ImageFile(
        std::vector<std::pair<std::u16string, ByteBuffer>>(kRaceImages, {u"pic.bmp", {'i'}}));

    std::atomic<bool> done{false};
    std::thread attacker([&] {
        std::error_code ignored;
        while (!done) {
            std::filesystem::remove(images / "pic.bmp", ignored);
            std::filesystem::create_symlink(outside, images / "pic.bmp", ignored);
        }
    });
    TJwwData d;
    d.BindImageExp = true;
    d.BindImageFolder = images.u16string() + u"/";
    const jwwin::ReadReport report = ReadBytes(d, file);
    done = true;
    attacker.join();

    ASSERT_TRUE(report.ok) << report.reason;
    EXPECT_EQ(d.BindImageN, kRaceImages);
    EXPECT_EQ(LoadBytes(outside), ByteBuffer(7, 'o'));
    for (const auto& entry : std::filesystem::directory_iterator(images))
        EXPECT_EQ(entry.path().filename(), "pic.bmp");  // no temporary file left
}

// Writes fail beyond a file size limit, as on a full disk.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, signal_);
    }

  private:
    rlimit saved_{};
    void (*signal_)(int) = nullptr;
};
#endif

TEST(ReaderDamage, AnImageThatCannotBeWrittenIsPassedOver) {
#ifdef _WIN32
    GTEST_SKIP() << "file size limits (setrlimit) are POSIX's";
#else
    TempDir dir;
    const ByteBuffer file =
        ImageFile({{u"big.png", ByteBuffer(50000, 'B')}, {u"ok.png", ByteBuffer(10, 'K')}});
    TJwwData d;
    d.BindImageExp = true;
    d.BindImageFolder = dir.folder();
    jwwin::ReadReport report;
    {
        FileSizeLimit limit(4096);
        report = ReadBytes(d, file);
    }
    ASSERT_TRUE(report.ok) << report.reason;
    EXPECT_EQ(d.BindImageN, 2);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "big.png"));
    EXPECT_EQ(LoadBytes(dir.path() / "ok.png"), ByteBuffer(10, 'K'));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                            std::filesystem::directory_iterator()),
              1);  // no partial file left behind
#endif
}

TEST(ReaderDamage, AMissingImageFolderSkipsTheImages) {
    TempDir dir;
    TJwwData d;
    d.BindImageExp = true;
    d.BindImageFolder = (dir.path() / "none").u16string() + u"/";
    ASSERT_TRUE(ReadBytes(d, ImageFile({{u"a.png", ByteBuffer(5, '1')}})).ok);
    EXPECT_EQ(d.BindImageN, 1);
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

// Random damage anywhere in a real file: whatever the result, the document
// stays consistent.
TEST(ReaderDamage, RandomlyDamagedFilesEndCleanly) {
    TempDir dir;
    const ByteBuffer whole = SampleFile(dir, 700);
    std::mt19937 random(12345);
    for (int round = 0; round < 300; ++round) {
        ByteBuffer bytes = whole;
        const int flips = 1 + static_cast<int>(random() % 8);
        for (int i = 0; i < flips; ++i) {
            // Most damage after the header, where the records are.
            const size_t at = whole.size() - 1 - random() % std::min<size_t>(whole.size(), 3000);
            bytes[at] = static_cast<uint8_t>(random());
        }
        TJwwData d;
        d.BindImageExr = true;
        ReadBytes(d, bytes);
        ASSERT_TRUE(CountsFitArrays(d)) << round;
    }
}

}  // namespace
}  // namespace tw::test
