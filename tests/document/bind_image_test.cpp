// The bound-image store: the list and the deletion of its files, on a real
// temporary folder, with hostile names that must not reach outside it.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/util/Func_2.h>
#include "support/TempDir.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

class BindImageStore : public testing::Test {
  protected:
    void SetUp() override {
        fs::create_directory(Store());
        doc.BindImageFolder = temp.folder() + u"store" + DirSeparator();
        doc.BindImageExp = true;
        doc.BindImageExr = true;
    }
    fs::path Store() const { return temp.path() / "store"; }
    void Touch(const fs::path& path) const { std::ofstream(path) << "data"; }
    void SetEntries(std::vector<std::u16string> names) {
        doc.BindImage.clear();
        for (auto& name : names)
            doc.BindImage.push_back({name, 4, false});
        doc.BindImageN = static_cast<int32_t>(doc.BindImage.size());
    }
    std::vector<std::string> StoreFiles() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Store())) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    TempDir temp;
    TJwwData doc;
};

TEST_F(BindImageStore, GzAndNonGzDeletionFollowTheNamingConvention) {
    for (const char* name : {"a.BMP.GZ", "a.BMP", "b.png", "b.png.gz", "keep.txt"}) {
        Touch(Store() / name);
    }
    SetEntries({u"a.BMP.GZ", u"b.png"});

    doc.BindImageDeleteGzFile();
    EXPECT_EQ(StoreFiles(), (std::vector<std::string>{"a.BMP", "b.png", "b.png.gz", "keep.txt"}));
    EXPECT_EQ(doc.BindImageN, 2);

    doc.BindImageDeleteNonGzFile();
    EXPECT_EQ(StoreFiles(), (std::vector<std::string>{"b.png.gz", "keep.txt"}));
    EXPECT_EQ(doc.BindImageN, 2);
}

TEST_F(BindImageStore, DeleteFileDeletesEveryEntryAsNamed) {
    for (const char* name : {"a.bmp.gz", "a.bmp", "c.jpg"})
        Touch(Store() / name);
    SetEntries({u"a.bmp.gz", u"c.jpg", u"gone.png"});
    doc.BindImageDeleteFile();
    EXPECT_EQ(StoreFiles(), (std::vector<std::string>{"a.bmp"}));
}

TEST_F(BindImageStore, EmptyListTouchesNothing) {
    Touch(Store() / "x.bmp");
    doc.BindImageDeleteFile();
    doc.BindImageDeleteGzFile();
    doc.BindImageDeleteNonGzFile();
    doc.BindImageInit();
    EXPECT_EQ(StoreFiles(), (std::vector<std::string>{"x.bmp"}));
}

TEST_F(BindImageStore, EntriesBeyondTheCountAreNotDeleted) {
    Touch(Store() / "in.bmp");
    Touch(Store() / "out.bmp");
    SetEntries({u"in.bmp", u"out.bmp"});
    doc.BindImageN = 1;
    doc.BindImageDeleteFile();
    EXPECT_EQ(StoreFiles(), (std::vector<std::string>{"out.bmp"}));
    doc.BindImageN = 99;  // a count beyond the array
    doc.BindImageDeleteFile();
    EXPECT_TRUE(StoreFiles().empty());
}

TEST_F(BindImageStore, HostileNamesNeverReachOutsideTheFolder) {
    const fs::path victim = temp.path() / "victim.txt";
    Touch(victim);
    Touch(victim.string() + ".gz");
    Touch(temp.path() / "victim");
    fs::create_directory(Store() / "sub");
    Touch(Store() / "sub" / "inner.bmp");
    const std::u16string absolute = victim.u16string();
    SetEntries({u"../victim.txt", u"..\\victim.txt", u"../victim.txt.gz", u"..", u".", u"",
                u"sub/inner.bmp", u"sub", absolute, absolute + u".gz", u"C:victim.txt"});

    doc.BindImageDeleteGzFile();
    doc.BindImageDeleteNonGzFile();
    doc.BindImageDeleteFile();

    EXPECT_TRUE(fs::exists(victim));
    EXPECT_TRUE(fs::exists(victim.string() + ".gz"));
    EXPECT_TRUE(fs::exists(temp.path() / "victim"));
    EXPECT_TRUE(fs::exists(Store() / "sub" / "inner.bmp"));
}

TEST_F(BindImageStore, PathsAreBuiltOnlyForPlainNamesInASetFolder) {
    EXPECT_EQ(doc.BindImagePathOf(u"a.bmp"), doc.BindImageFolder + u"a.bmp");
    EXPECT_EQ(doc.BindImagePathOf(u"../a.bmp"), u"");
    EXPECT_EQ(doc.BindImagePathOf(u""), u"");
    // A folder given without its separator still keeps the file inside it.
    doc.BindImageFolder = u"/some/folder";
    EXPECT_EQ(doc.BindImagePathOf(u"a.bmp"),
              u"/some/folder" + std::u16string(1, DirSeparator()) + u"a.bmp");
    doc.BindImageFolder.clear();
    EXPECT_EQ(doc.BindImagePathOf(u"a.bmp"), u"");
}

TEST_F(BindImageStore, NoFolderMeansNoFileIsDeleted) {
    // Without a folder a name would resolve in the current folder.
    const fs::path before = fs::current_path();
    fs::current_path(temp.path());
    Touch(temp.path() / "cwd.bmp");
    doc.BindImageFolder.clear();
    SetEntries({u"cwd.bmp"});
    doc.BindImageDeleteFile();
    doc.BindImageDeleteNonGzFile();
    fs::current_path(before);
    EXPECT_TRUE(fs::exists(temp.path() / "cwd.bmp"));
}

TEST_F(BindImageStore, InitEmptiesTheListOnly) {
    Touch(Store() / "a.bmp");
    SetEntries({u"a.bmp"});
    const std::u16string folder = doc.BindImageFolder;
    doc.BindImageInit();
    EXPECT_EQ(doc.BindImageN, 0);
    EXPECT_TRUE(doc.BindImage.empty());
    EXPECT_EQ(doc.BindImageFolder, folder);
    EXPECT_TRUE(doc.BindImageExp);
    EXPECT_TRUE(doc.BindImageExr);
    EXPECT_EQ(StoreFiles(), (std::vector<std::string>{"a.bmp"}));
}

}  // namespace
}  // namespace tw
