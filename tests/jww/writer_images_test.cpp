// The embedded-image section of 7.00 files, with image files in a real
// temporary folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "jww/WriterSupport.h"
#include "support/TempDir.h"

namespace tw {
namespace {

using test::Ascii;
using test::Bytes;
using test::Concat;
using test::Le32;

ByteBuffer Pattern(size_t n) {
    ByteBuffer b(n);
    for (size_t i = 0; i < n; ++i)
        b[i] = static_cast<uint8_t>(i * 7 + i / 256);
    return b;
}

class WriterImages : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directory(tmp.path() / "images");
        d.BindImageFolder = (tmp.path() / "images").u16string() + u'/';
        d.BindImageExp = true;
        d.BindImageExr = true;
    }

    void AddFile(const std::string& name, const ByteBuffer& content) {
        std::ofstream out(tmp.path() / "images" / name, std::ios::binary);
        out.write(reinterpret_cast<const char*>(content.data()),
                  static_cast<std::streamsize>(content.size()));
    }

    void Bind(const std::u16string& name) {
        d.BindImage.push_back({name, 0, false});
        d.BindImageN = static_cast<int32_t>(d.BindImage.size());
    }

    void AddText(const std::u16string& str) {
        TEntJwwMoji m;
        m.str = str;
        d.EntMoji.push_back(m);
        d.EntMojiN = static_cast<int32_t>(d.EntMoji.size());
        test::AddEntry(d, kEntText, d.EntMojiN - 1);
    }

    ByteBuffer Section() {
        return test::Written(700, false,
                             [&](ArchiveWriter& ar) { jwwout::WriteImageSection(ar, d); });
    }

    std::vector<bool> Flags() const {
        std::vector<bool> flags;
        for (const TBindImageType& image : d.BindImage)
            flags.push_back(image.exf);
        return flags;
    }

    TempDir tmp;
    TJwwData d;
};

TEST_F(WriterImages, ImagesOfEverySizeAreCopiedWhole) {
    const ByteBuffer photo = Pattern(4096);
    const ByteBuffer odd = Pattern(2049);
    AddFile("PHOTO.JPG.GZ", photo);
    AddFile("empty.bmp", {});
    AddFile("odd.png", odd);
    Bind(u"PHOTO.JPG.GZ");
    Bind(u"empty.bmp");
    Bind(u"odd.png");
    // the name is matched ignoring case, by the beginning of the file name
    AddText(u"^@BM%temp%photo.jpg,100,200");
    AddText(u"^@BM%temp%empty.bmp,1");
    AddText(u"^@BM%temp%odd.png,1");
    const ByteBuffer expected = Concat({
        Le32(3),
        Bytes({12}),
        Ascii("PHOTO.JPG.GZ"),
        Le32(4096),
        photo,
        Bytes({9}),
        Ascii("empty.bmp"),
        Le32(0),
        Bytes({7}),
        Ascii("odd.png"),
        Le32(2049),
        odd,
    });
    EXPECT_EQ(Section(), expected);
    EXPECT_EQ(Flags(), (std::vector<bool>{true, true, true}));
}

// Several texts may name one image; of two images that begin with the name,
// only the first is taken.
TEST_F(WriterImages, EachImageOnceAndTheFirstMatchWins) {
    AddFile("a1.bmp", Bytes({1}));
    AddFile("a.bmp", Bytes({2}));
    AddFile("unnamed.bmp", Bytes({3}));
    Bind(u"a1.bmp");
    Bind(u"a.bmp");
    Bind(u"unnamed.bmp");
    AddText(u"^@BM%temp%a,1");
    AddText(u"^@BM%temp%A1,2");
    AddText(u"^@BM%temp%a,3");
    const ByteBuffer s = Section();
    EXPECT_EQ(Flags(), (std::vector<bool>{true, false, false}));
    EXPECT_EQ(s, Concat({Le32(1), Bytes({6}), Ascii("a1.bmp"), Le32(1), Bytes({1})}));
}

TEST_F(WriterImages, TextsThatNameNothing) {
    AddFile("x.bmp", Bytes({1}));
    Bind(u"x.bmp");
    for (const char16_t* text : {u"^@BM%temp%", u"^@BM%temp%x.bmp", u"^@BM%temp%,x.bmp",
                                 u"^@BMx.bmp,1", u" ^@BM%temp%x.bmp,1"})
        AddText(text);
    EXPECT_EQ(Section(), Le32(0));
    EXPECT_EQ(Flags(), (std::vector<bool>{false}));
}

TEST_F(WriterImages, TextsInsideBlockDefinitionsCountEvenUnused) {
    AddFile("inner.bmp", Bytes({9, 9}));
    Bind(u"inner.bmp");
    TEntJwwBlockDef def;
    TEntJwwMoji m;
    m.str = u"^@BM%temp%inner.bmp,1";
    def.mMoji = {m};
    def.mMojiN = 1;
    def.mNo = {{kEntText, 0}};
    def.N = 1;
    d.EntBlockDef = {def};
    d.EntBlockDefN = 1;
    EXPECT_EQ(Section(), Concat({Le32(1), Bytes({9}), Ascii("inner.bmp"), Le32(2), Bytes({9, 9})}));
}

TEST_F(WriterImages, NothingIsEmbeddedWithBothFlagsOff) {
    AddFile("x.bmp", Bytes({1}));
    Bind(u"x.bmp");
    AddText(u"^@BM%temp%x.bmp,1");
    d.BindImage[0].exf = true;
    d.BindImageExp = false;
    d.BindImageExr = false;
    EXPECT_EQ(Section(), Le32(0));
    EXPECT_EQ(Flags(), (std::vector<bool>{false}));
    d.BindImageExr = true;
    EXPECT_EQ(Section().size(), 4u + 6 + 4 + 1);
}

TEST_F(WriterImages, MissingFilesAreLeftOutOfTheCount) {
    AddFile("kept.bmp", Bytes({1}));
    Bind(u"gone.bmp");
    Bind(u"kept.bmp");
    AddText(u"^@BM%temp%gone.bmp,1");
    AddText(u"^@BM%temp%kept.bmp,1");
    EXPECT_EQ(Section(), Concat({Le32(1), Bytes({8}), Ascii("kept.bmp"), Le32(1), Bytes({1})}));
    EXPECT_EQ(Flags(), (std::vector<bool>{false, true}));
}

// A bound name with a folder part would lead out of the image folder: it is
// never opened. Nor is anything but a regular file (a pipe would block).
TEST_F(WriterImages, OnlyPlainNamesOfRegularFilesAreRead) {
#ifdef _WIN32
    GTEST_SKIP() << "mkfifo is POSIX's";
#else
    {
        std::ofstream secret(tmp.path() / "secret.bmp");
        secret << "secret";
    }
    ASSERT_EQ(mkfifo((tmp.path() / "images" / "pipe.bmp").c_str(), 0600), 0);
    Bind(u"../secret.bmp");
    Bind(u"pipe.bmp");
    AddText(u"^@BM%temp%../secret.bmp,1");
    AddText(u"^@BM%temp%pipe.bmp,1");
    EXPECT_EQ(Section(), Le32(0));
    EXPECT_EQ(Flags(), (std::vector<bool>{false, false}));
#endif
}

// An image too large for the 32-bit size field cannot be embedded; the
// section fails rather than write a size that disagrees with the bytes.
TEST_F(WriterImages, AnImageThatCannotBeCopiedFailsTheSection) {
    std::filesystem::resize_file(
        [&] {
            AddFile("huge.bmp", {});
            return tmp.path() / "images" / "huge.bmp";
        }(),
        uintmax_t{1} << 31);
    Bind(u"huge.bmp");
    AddText(u"^@BM%temp%huge.bmp,1");
    EXPECT_THROW(Section(), WriteError);
}

// A file whose size promises more than its reading gives (a kernel
// attribute file claims a page and gives a line) fails the section instead
// of leaving a size that disagrees with the bytes.
TEST_F(WriterImages, AnImageShorterThanItsSizeFailsTheSection) {
#ifdef _WIN32
    GTEST_SKIP() << "a file that reports more than it delivers is Linux's /sys";
#endif
    const std::filesystem::path shortFile = "/sys/devices/system/cpu/online";
    std::error_code error;
    if (std::filesystem::file_size(shortFile, error) <= 64) GTEST_SKIP() << "no short file";
    std::filesystem::create_symlink(shortFile, tmp.path() / "images" / "short.bmp");
    Bind(u"short.bmp");
    AddText(u"^@BM%temp%short.bmp,1");
    EXPECT_THROW(Section(), WriteError);
}

}  // namespace
}  // namespace tw
