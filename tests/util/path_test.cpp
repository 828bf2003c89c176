// Path and folder helpers of Func_2, on real temporary folders.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include <tintwright/util/Func_2.h>
#include "support/TempDir.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

void WriteFile(const fs::path& path) {
    std::ofstream(path) << "x";
}

TEST(PathText, FileNameOf) {
    const struct {
        std::u16string path, name;
    } cases[] = {
        {u"C:\\x\\name.bmp", u"name.bmp"},
        {u"/tmp/a/b.jpg", u"b.jpg"},
        {u"C:name", u"name"},
        {u"plain", u"plain"},
        {u"dir\\", u""},
        {u"", u""},
        {std::u16string(u"a\0b", 3), u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.path));
        EXPECT_EQ(FileNameOf(c.path), c.name);
    }
}

TEST(PathText, LowerExtOf) {
    const struct {
        std::u16string path, ext;
    } cases[] = {
        {u"C:\\a.b\\IMG.JPG", u".jpg"},
        {u"C:\\a.b\\IMG", u""},
        {u"/a.b/IMG", u""},
        {u"x.Tar.GZ", u".gz"},
        {u"noext", u""},
        {u"name.", u"."},
        {u"", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.path));
        EXPECT_EQ(LowerExtOf(c.path), c.ext);
    }
    EXPECT_THROW(LowerExtOf(std::u16string(u"a\0.b", 4)), std::invalid_argument);
}

TEST(PathText, ChangeExtOf) {
    const struct {
        std::u16string path, ext, result;
    } cases[] = {
        {u"C:\\x\\name.gz", u".bmp", u"C:\\x\\name.bmp"},
        {u"C:\\x.y\\name", u".gz", u"C:\\x.y\\name.gz"},
        {u"/x.y/name", u".gz", u"/x.y/name.gz"},
        {u"C:.x", u".gz", u"C:.gz"},
        {u"a.b.c", u"", u"a.b"},
        {u"", u".jww", u".jww"},
        {std::u16string(u"a\0.b", 4), u".c", u""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.path));
        EXPECT_EQ(ChangeExtOf(c.path, c.ext), c.result);
    }
}

TEST(PathText, DirSeparatorIsThePlatformOne) {
#ifdef _WIN32
    EXPECT_EQ(DirSeparator(), u'\\');
#else
    EXPECT_EQ(DirSeparator(), u'/');
#endif
}

TEST(PathText, IsPlainFileName) {
    const struct {
        std::u16string name;
        bool plain;
    } cases[] = {
        {u"img.jpg.gz", true},
        {u"a..b", true},
        {u"..a", true},
        {u"\u753B\u50CF.bmp", true},
        {u"", false},
        {u".", false},
        {u"..", false},
        {u"...", false},
        {u".. ", false},
        {u"../victim.txt", false},
        {u"..\\victim.txt", false},
        {u"a/b", false},
        {u"/etc/passwd", false},
        {u"\\\\server\\share", false},
        {u"C:evil", false},
        {u"C:\\evil", false},
        {std::u16string(u"a\0b", 3), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.name));
        EXPECT_EQ(IsPlainFileName(c.name), c.plain);
    }
}

class FolderTest : public testing::Test {
  protected:
    std::u16string At(const std::u16string& name) const { return temp_.folder() + name; }
    fs::path PathAt(const char* name) const { return temp_.path() / name; }

    TempDir temp_;
};

TEST_F(FolderTest, FileExistsAtSeesFilesNotFolders) {
    WriteFile(PathAt("f.txt"));
    fs::create_directory(PathAt("d"));
    EXPECT_TRUE(FileExistsAt(At(u"f.txt")));
    EXPECT_FALSE(FileExistsAt(At(u"d")));
    EXPECT_FALSE(FileExistsAt(At(u"missing")));
    EXPECT_FALSE(FileExistsAt(u""));
    EXPECT_FALSE(FileExistsAt(At(std::u16string(u"f.txt\0x", 7))));
#ifndef _WIN32  // symbolic links need a privilege on Windows
    fs::create_symlink(PathAt("f.txt"), PathAt("link"));
    EXPECT_TRUE(FileExistsAt(At(u"link")));
    fs::create_symlink(PathAt("gone"), PathAt("dangling"));
    EXPECT_FALSE(FileExistsAt(At(u"dangling")));
#endif
}

TEST_F(FolderTest, CreateFolderMakesParentsAndKeepsContents) {
    EXPECT_TRUE(CreateFolder(At(u"a/b/c")));
    EXPECT_TRUE(fs::is_directory(PathAt("a/b/c")));
    WriteFile(PathAt("a/b/c/keep"));
    EXPECT_TRUE(CreateFolder(At(u"a/b/c/")));
    EXPECT_TRUE(fs::exists(PathAt("a/b/c/keep")));
    EXPECT_FALSE(CreateFolder(u""));
    EXPECT_FALSE(CreateFolder(At(std::u16string(u"x\0y", 3))));
    EXPECT_FALSE(CreateFolder(At(std::u16string(300, u'n'))));
    EXPECT_FALSE(fs::exists(PathAt("x")));
}

TEST_F(FolderTest, CreateFolderIgnoresARefusal) {
    WriteFile(PathAt("file"));
    EXPECT_TRUE(CreateFolder(At(u"file")));
    EXPECT_TRUE(fs::is_regular_file(PathAt("file")));
}

TEST_F(FolderTest, DeleteFileAtDeletesOnlyFiles) {
    WriteFile(PathAt("f.txt"));
    EXPECT_TRUE(DeleteFileAt(At(u"f.txt")));
    EXPECT_FALSE(fs::exists(PathAt("f.txt")));
    EXPECT_FALSE(DeleteFileAt(At(u"f.txt")));
    EXPECT_FALSE(DeleteFileAt(u""));

    fs::create_directory(PathAt("d"));
    EXPECT_FALSE(DeleteFileAt(At(u"d")));
    EXPECT_TRUE(fs::is_directory(PathAt("d")));

    WriteFile(PathAt("a"));
    EXPECT_FALSE(DeleteFileAt(At(std::u16string(u"a\0b", 3))));
    EXPECT_TRUE(fs::exists(PathAt("a")));

#ifndef _WIN32  // symbolic links need a privilege on Windows
    // A link goes, its target stays.
    fs::create_symlink(PathAt("a"), PathAt("link"));
    EXPECT_TRUE(DeleteFileAt(At(u"link")));
    EXPECT_FALSE(fs::exists(fs::symlink_status(PathAt("link"))));
    EXPECT_TRUE(fs::exists(PathAt("a")));
#endif
}

TEST_F(FolderTest, RemoveFolderRemovesOnlyEmptyFolders) {
    fs::create_directory(PathAt("full"));
    WriteFile(PathAt("full/one"));
    EXPECT_FALSE(RemoveFolder(At(u"full")));
    EXPECT_TRUE(fs::exists(PathAt("full/one")));

    fs::create_directories(PathAt("nested/inner"));
    EXPECT_FALSE(RemoveFolder(At(u"nested")));
    EXPECT_TRUE(fs::is_directory(PathAt("nested/inner")));

    fs::create_directory(PathAt("empty"));
    EXPECT_TRUE(RemoveFolder(At(u"empty/")));
    EXPECT_FALSE(fs::exists(PathAt("empty")));

    EXPECT_FALSE(RemoveFolder(At(u"empty")));
    EXPECT_FALSE(RemoveFolder(At(u"full/one")));
    EXPECT_FALSE(RemoveFolder(u""));
    EXPECT_FALSE(RemoveFolder(At(std::u16string(300, u'n'))));
}

}  // namespace
}  // namespace tw
