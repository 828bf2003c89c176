// Compressing, expanding and copying bound image files on real folders.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <tintwright/document/BindImageFiles.h>
#include <tintwright/document/JwwUnit.h>
#include <tintwright/util/Func_2.h>
#include "support/TempDir.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

std::string Bytes(size_t size, uint32_t seed) {
    std::string data(size, '\0');
    for (char& c : data) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<char>((seed >> 16) % 7);  // compressible but not trivial
    }
    return data;
}

void WriteFile(const fs::path& path, const std::string& data) {
    std::ofstream(path, std::ios::binary)
        .write(data.data(), static_cast<std::streamsize>(data.size()));
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> FilesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

int Shell(const std::string& command) {
    return std::system(command.c_str());
}

bool HaveGzip() {
    return Shell("gzip --version >/dev/null 2>&1") == 0;
}

std::string Quoted(const fs::path& path) {
    return "'" + path.string() + "'";
}

// A document whose image folder is images/ inside a temporary folder, with
// out/ beside it as a copy destination.
class BindImageFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(images);
        fs::create_directory(out);
        doc.BindImageFolder =
            images.u16string() + static_cast<char16_t>(fs::path::preferred_separator);
    }

    void SetImages(const std::vector<std::u16string>& names) {
        doc.BindImage.clear();
        for (const auto& name : names)
            doc.BindImage.push_back(TBindImageType{name, 0, false});
        doc.BindImageN = static_cast<int32_t>(names.size());
    }

    TempDir root;
    fs::path images = root.path() / "images";
    fs::path out = root.path() / "out";
    TJwwData doc;
};

TEST_F(BindImageFiles, PackWritesGzipFilesThatGzipAccepts) {
    if (!HaveGzip()) GTEST_SKIP() << "gzip is not installed";
    const std::string plan = Bytes(300000, 1);
    WriteFile(images / "plan.bmp", plan);
    WriteFile(images / "empty.png", "");
    SetImages({u"plan.bmp", u"empty.png", u"missing.bmp"});

    doc.BindImagePack();
    EXPECT_EQ(doc.BindImage[0].Fname, u"plan.bmp.gz");
    EXPECT_EQ(doc.BindImage[1].Fname, u"empty.png.gz");
    EXPECT_EQ(doc.BindImage[2].Fname, u"missing.bmp");
    EXPECT_EQ(FilesIn(images),
              (std::set<std::string>{"plan.bmp", "plan.bmp.gz", "empty.png", "empty.png.gz"}));
    EXPECT_EQ(ReadFile(images / "plan.bmp"), plan);
    EXPECT_LT(fs::file_size(images / "plan.bmp.gz"), plan.size());
    for (const char* name : {"plan.bmp.gz", "empty.png.gz"}) {
        EXPECT_EQ(Shell("gzip -t " + Quoted(images / name)), 0) << name;
    }
    EXPECT_EQ(Shell("gzip -dc " + Quoted(images / "plan.bmp.gz") + " | cmp -s - " +
                    Quoted(images / "plan.bmp")),
              0);

    doc.BindImagePack();  // names that end in ".gz" are left alone
    EXPECT_EQ(doc.BindImage[0].Fname, u"plan.bmp.gz");
    EXPECT_FALSE(fs::exists(images / "plan.bmp.gz.gz"));
}

TEST_F(BindImageFiles, PackReplacesAnOlderCompressedFile) {
    WriteFile(images / "a.bmp", "new content");
    WriteFile(images / "a.bmp.gz", "stale");
    SetImages({u"a.bmp"});
    doc.BindImagePack();
    fs::remove(images / "a.bmp");
    doc.BindImageExplode();
    EXPECT_EQ(ReadFile(images / "a.bmp"), "new content");
}

TEST_F(BindImageFiles, ExplodeRestoresWhatPackCompressed) {
    const std::string plan = Bytes(200000, 2);
    WriteFile(images / "plan.bmp", plan);
    WriteFile(images / "Photo.JPG", "jpeg bytes");
    SetImages({u"plan.bmp", u"Photo.JPG"});
    doc.BindImagePack();
    fs::remove(images / "plan.bmp");
    WriteFile(images / "Photo.JPG", "changed");

    doc.BindImageExplode();
    EXPECT_EQ(ReadFile(images / "plan.bmp"), plan);
    EXPECT_EQ(ReadFile(images / "Photo.JPG"), "jpeg bytes");
    EXPECT_EQ(doc.BindImage[0].Fname, u"plan.bmp.gz");
    EXPECT_EQ(doc.BindImageN, 2);
}

// What an output gets of a placed image: the file unpacked, from the bytes
// the drawing holds or else from its image folder, within the byte limit;
// nothing for a name outside the folder, damaged data or too many bytes.
TEST_F(BindImageFiles, PlacedImagesUnpackFromMemoryOrFolderWithinTheLimit) {
    const std::string plan = Bytes(5000, 1);
    WriteFile(images / "plan.bmp", plan);
    WriteFile(images / "logo.png", "png bytes");
    SetImages({u"plan.bmp", u"logo.png"});
    doc.BindImagePack();  // plan.bmp.gz in the folder, logo.png as it is
    fs::remove(images / "plan.bmp");
    const std::string packed = ReadFile(images / "plan.bmp.gz");

    TJwwData held;  // the same images, held in memory as a reading keeps them
    held.BindImage = {{u"PLAN.BMP.GZ", 0, false, packed},
                      {u"mem.jpg", 0, false, "jpeg bytes"},
                      {u"bad.bmp.gz", 0, false, "not gzip"}};
    held.BindImageN = 3;

    const struct {
        const TJwwData* from;
        const char16_t* name;
        uint64_t limit;
        std::optional<std::string> bytes;
    } cases[] = {
        {&doc, u"plan.bmp", 1 << 20, plan},
        {&doc, u"logo.png", 1 << 20, "png bytes"},
        {&doc, u"plan.bmp", 4999, std::nullopt},  // unpacks to more than the limit
        {&doc, u"missing.bmp", 1 << 20, std::nullopt},
        {&doc, u"../plan.bmp", 1 << 20, std::nullopt},
        {&held, u"plan.bmp", 1 << 20, plan},  // the entry's name, in any case
        {&held, u"mem.jpg", 1 << 20, "jpeg bytes"},
        {&held, u"mem.jpg", 9, std::nullopt},
        {&held, u"bad.bmp", 1 << 20, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ToUtf8(c.name));
        const PlacedImageFiles files(*c.from);
        EXPECT_EQ(files.Bytes(c.name, c.limit), c.bytes);
        EXPECT_EQ(files.Has(c.name), std::u16string(c.name) != u"missing.bmp" &&
                                         std::u16string(c.name) != u"../plan.bmp");
    }
    EXPECT_FALSE(fs::exists(images / "plan.bmp")) << "nothing is unpacked into the folder";
}

TEST_F(BindImageFiles, ExplodeReadsWhatGzipWroteWhateverTheCaseOfTheExtension) {
    if (!HaveGzip()) GTEST_SKIP() << "gzip is not installed";
    WriteFile(images / "part1", "first member, ");
    WriteFile(images / "part2", "second member");
    ASSERT_EQ(Shell("cd " + Quoted(images) +
                    " && gzip -9 -c part1 > site.PNG.GZ && gzip -c part2 >> site.PNG.GZ"),
              0);
    SetImages({u"site.PNG.GZ", u"none.bmp.gz"});
    doc.BindImageExplode();
    EXPECT_EQ(ReadFile(images / "site.PNG"), "first member, second member");
    EXPECT_FALSE(fs::exists(images / "none.bmp"));
}

TEST_F(BindImageFiles, DamagedGzipLeavesTheExistingFileAndNoPartialOutput) {
    const std::string plan = Bytes(400000, 3);
    WriteFile(images / "source.bmp", plan);
    ASSERT_TRUE(GzipFileTo(images / "source.bmp", images / "good.gz"));
    const std::string packed = ReadFile(images / "good.gz");
    std::string flipped = packed;
    flipped[flipped.size() / 2] ^= 0x55;
    const struct {
        const char* name;
        std::string data;
    } damaged[] = {
        {"cut.bmp.gz", packed.substr(0, packed.size() / 2)},
        {"nocrc.bmp.gz", packed.substr(0, packed.size() - 4)},
        {"flipped.bmp.gz", flipped},
        {"plain.bmp.gz", plan.substr(0, 1000)},
        {"empty.bmp.gz", ""},
        {"trailing.bmp.gz", packed + "junk"},
    };
    std::vector<std::u16string> names;
    for (const auto& d : damaged) {
        WriteFile(images / d.name, d.data);
        WriteFile(images / fs::path(d.name).stem(), "keep me");
        names.push_back(fs::path(d.name).u16string());
    }
    SetImages(names);
    const std::set<std::string> before = FilesIn(images);

    doc.BindImageExplode();
    EXPECT_EQ(FilesIn(images), before);
    for (const auto& d : damaged) {
        EXPECT_EQ(ReadFile(images / fs::path(d.name).stem()), "keep me") << d.name;
    }
}

TEST_F(BindImageFiles, ExpansionStopsBeyondTheLimit) {
    const std::string data(1 << 20, '\0');  // fills many output blocks from little input
    WriteFile(images / "zeros", data);
    ASSERT_TRUE(GzipFileTo(images / "zeros", images / "zeros.gz"));
    fs::remove(images / "zeros");

    EXPECT_FALSE(GunzipFileTo(images / "zeros.gz", images / "zeros", data.size() - 1));
    EXPECT_EQ(FilesIn(images), std::set<std::string>{"zeros.gz"});

    ASSERT_TRUE(GunzipFileTo(images / "zeros.gz", images / "zeros", data.size()));
    EXPECT_EQ(ReadFile(images / "zeros"), data);
}

TEST_F(BindImageFiles, CopyTakesTheUncompressedFiles) {
    WriteFile(images / "plan.bmp", "plan");
    WriteFile(images / "plan.bmp.gz", "compressed");
    WriteFile(images / "photo.png", "photo");
    WriteFile(out / "photo.png", "older photo");
    SetImages({u"plan.bmp.gz", u"photo.png", u"gone.bmp"});

    doc.BindImageCopy(out.u16string());  // no trailing separator
    EXPECT_EQ(FilesIn(out), (std::set<std::string>{"plan.bmp", "photo.png"}));
    EXPECT_EQ(ReadFile(out / "plan.bmp"), "plan");
    EXPECT_EQ(ReadFile(out / "photo.png"), "photo");

    fs::remove_all(out);
    fs::create_directory(out);
    doc.BindImageCopy(out.u16string() + u"/");
    EXPECT_EQ(FilesIn(out), (std::set<std::string>{"plan.bmp", "photo.png"}));
}

// The rename that puts a finished file in place fails onto a folder of the
// target's name: the operation says so, and the folder and its folder stay
// as they were, with no temporary file left behind.
TEST_F(BindImageFiles, WritingOntoAnExistingFolderFails) {
    WriteFile(images / "a.bmp", "BMdata");
    fs::create_directories(images / "copy.bmp" / "inside");
    fs::create_directories(images / "packed.gz" / "inside");
    EXPECT_FALSE(CopyFileTo(images / "a.bmp", images / "copy.bmp"));
    EXPECT_FALSE(GzipFileTo(images / "a.bmp", images / "packed.gz"));
    for (const char* folder : {"copy.bmp", "packed.gz"}) {
        EXPECT_TRUE(fs::is_directory(images / folder / "inside")) << folder;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(images), fs::directory_iterator()), 3);
}

TEST_F(BindImageFiles, CopyToAMissingFolderCopiesNothing) {
    WriteFile(images / "plan.bmp", "plan");
    SetImages({u"plan.bmp"});
    doc.BindImageCopy((root.path() / "nowhere").u16string());
    EXPECT_FALSE(fs::exists(root.path() / "nowhere"));
    EXPECT_EQ(FilesIn(root.path()), (std::set<std::string>{"images", "out"}));
}

TEST_F(BindImageFiles, NamesThatAreNotPlainFileNamesAreSkipped) {
    const std::string secret = Bytes(1000, 4);
    WriteFile(root.path() / "x", secret);
    ASSERT_TRUE(GzipFileTo(root.path() / "x", root.path() / "y.gz"));
    fs::create_directory(images / "sub");
    WriteFile(images / "sub" / "a.bmp", "a");
    SetImages({u"../x", u"../y.gz", u"sub/a.bmp", u"..", u".gz", u"../x.gz", u"/etc/hostname"});

    doc.BindImagePack();
    doc.BindImageExplode();
    doc.BindImageCopy(out.u16string());

    EXPECT_EQ(FilesIn(root.path()), (std::set<std::string>{"x", "y.gz", "images", "out"}));
    EXPECT_EQ(FilesIn(images), std::set<std::string>{"sub"});
    EXPECT_EQ(FilesIn(images / "sub"), std::set<std::string>{"a.bmp"});
    EXPECT_TRUE(FilesIn(out).empty());
    EXPECT_EQ(doc.BindImage[0].Fname, u"../x");
    EXPECT_EQ(ReadFile(root.path() / "x"), secret);
}

TEST_F(BindImageFiles, OnlyEntriesBelowTheCountAreWorkedOn) {
    WriteFile(images / "a.bmp", "a");
    WriteFile(images / "b.bmp", "b");
    SetImages({u"a.bmp", u"b.bmp"});
    doc.BindImageN = 1;
    doc.BindImagePack();
    EXPECT_EQ(FilesIn(images), (std::set<std::string>{"a.bmp", "a.bmp.gz", "b.bmp"}));
    doc.BindImageN = 50;  // more than the list holds
    doc.BindImagePack();
    EXPECT_TRUE(fs::exists(images / "b.bmp.gz"));
}

}  // namespace
}  // namespace tw
