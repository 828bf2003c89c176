// FileOut on real files: the complete file or nothing, and an existing file
// survives every failed save unchanged.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include <tintwright/jww/Framing.h>
#include "jww/WriterSupport.h"
#include "support/TempDir.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

ByteBuffer ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return ByteBuffer(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteAll(const fs::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

std::vector<std::string> Listing(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

#ifndef _WIN32
// The exit code of f run in a child process; -1 when it did not exit.
int InChild(const std::function<int()>& f) {
    const pid_t pid = fork();
    if (pid == 0) _exit(f());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

class WriterFileOut : public ::testing::Test {
  protected:
    void SetUp() override {
        d.DataDefaultSet();
        d.Enthd.strMemo = u"図面";
        for (int i = 0; i < 300; ++i)
            test::AddLine(d, test::Line(i, 0, i, 100));
        target = tmp.path() / "drawing.jww";
    }

    bool Save(int32_t version) { return d.FileOut(target.u16string(), version); }

    void KeepOldFile() { WriteAll(target, "the previous drawing"); }

    void ExpectOldFileKept() {
        EXPECT_EQ(ReadAll(target), test::Ascii("the previous drawing"));
        EXPECT_EQ(Listing(tmp.path()), std::vector<std::string>{"drawing.jww"})
            << "no temporary file is left";
    }

    TempDir tmp;
    TJwwData d;
    fs::path target;
};

TEST_F(WriterFileOut, WritesTheCompleteFileAndNothingElse) {
    for (int32_t option : {0, 32}) {
        d.SetFileOutOption(option);
        ASSERT_TRUE(Save(600));
        const ByteBuffer six = ReadAll(target);
        EXPECT_EQ(six, test::WholeFile(d, 600));
        ASSERT_TRUE(Save(700));
        const ByteBuffer seven = ReadAll(target);
        EXPECT_EQ(seven, test::WholeFile(d, 700));
        ASSERT_EQ(seven.size(), six.size() + 4) << "7.00 adds the image count 0";
        EXPECT_EQ(test::Slice(seven, six.size(), 4), ByteBuffer(4, 0));
        EXPECT_EQ(Listing(tmp.path()), std::vector<std::string>{"drawing.jww"});
    }
}

TEST_F(WriterFileOut, ReplacesAnExistingFileKeepingItsMode) {
#ifdef _WIN32
    GTEST_SKIP() << "file modes and umask are POSIX's";
#else
    const mode_t mask = umask(022);
    umask(mask);
    ASSERT_TRUE(Save(420));
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0666 & ~mask));
    KeepOldFile();
    fs::permissions(target, fs::perms(0640));
    ASSERT_TRUE(Save(420));
    EXPECT_EQ(ReadAll(target), test::WholeFile(d, 420));
    EXPECT_EQ(fs::status(target).permissions(), fs::perms(0640));
#endif
}

TEST_F(WriterFileOut, ALinkedFileIsReplacedWhereItLies) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need a privilege on Windows";
#else
    fs::create_directory(tmp.path() / "real");
    const fs::path real = tmp.path() / "real" / "drawing.jww";
    WriteAll(real, "old");
    fs::create_symlink(real, target);
    ASSERT_TRUE(Save(700));
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(target)));
    EXPECT_EQ(ReadAll(real), test::WholeFile(d, 700));
    EXPECT_EQ(Listing(tmp.path() / "real"), std::vector<std::string>{"drawing.jww"});
#endif
}

TEST_F(WriterFileOut, AJapaneseFileNameIsWrittenAndReplaced) {
    target = tmp.path() / u"\u56F3\u9762 \u5E73\u9762\u56F3.jww";
    KeepOldFile();
    ASSERT_TRUE(Save(700));
    EXPECT_EQ(ReadAll(target), test::WholeFile(d, 700));
    EXPECT_EQ(Listing(tmp.path()).size(), 1u);
    EXPECT_EQ(fs::directory_iterator(tmp.path())->path().filename().u16string(),
              u"\u56F3\u9762 \u5E73\u9762\u56F3.jww");
}

// A file without write permission is refused by its mode, also for root
// and Windows' administrator, whom the system would let write it.
TEST_F(WriterFileOut, AReadOnlyFileIsNotReplaced) {
    KeepOldFile();
    fs::permissions(target,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    EXPECT_FALSE(Save(700));
    fs::permissions(target, fs::perms::owner_write, fs::perm_options::add);
    ExpectOldFileKept();
}

#ifdef _WIN32
// Windows refuses to rename over a file another program holds open without
// sharing: the save fails and the file stays.
TEST_F(WriterFileOut, AFileHeldOpenWithoutSharingIsNotReplaced) {
    KeepOldFile();
    const HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    const bool saved = Save(700);
    CloseHandle(held);
    EXPECT_FALSE(saved);
    ExpectOldFileKept();
}
#endif

TEST_F(WriterFileOut, AMissingFolderGivesFalseAndLeavesNothing) {
    EXPECT_FALSE(d.FileOut((tmp.path() / "missing" / "drawing.jww").u16string(), 700));
    EXPECT_TRUE(Listing(tmp.path()).empty());
    EXPECT_FALSE(d.FileOut(u"", 700));
}

TEST_F(WriterFileOut, AFolderIsNotReplaced) {
    fs::create_directory(target);
    EXPECT_FALSE(Save(700));
    EXPECT_TRUE(fs::is_directory(target));
    EXPECT_EQ(Listing(tmp.path()), std::vector<std::string>{"drawing.jww"});
}

// Root writes every file, so the child gives up root first; the folder lets
// it create files, so only the protection stops it.
TEST_F(WriterFileOut, AWriteProtectedFileIsNotReplaced) {
#ifdef _WIN32
    GTEST_SKIP() << "fork and setuid are POSIX's; see AReadOnlyFileIsNotReplaced";
#else
    KeepOldFile();
    fs::permissions(target, fs::perms(0444));
    fs::permissions(tmp.path(), fs::perms::all);
    const int nobody = 65534;
    const int result = InChild([&] {
        if (geteuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0)) return 3;
        return Save(700) ? 1 : 0;
    });
    if (result == 3) GTEST_SKIP() << "cannot give up root here";
    EXPECT_EQ(result, 0) << "FileOut must return false";
    ExpectOldFileKept();
#endif
}

TEST_F(WriterFileOut, APipeIsNotReplaced) {
#ifdef _WIN32
    GTEST_SKIP() << "mkfifo is POSIX's";
#else
    ASSERT_EQ(mkfifo(target.c_str(), 0600), 0);
    EXPECT_FALSE(Save(700));
    EXPECT_TRUE(fs::is_fifo(target));
    EXPECT_EQ(Listing(tmp.path()), std::vector<std::string>{"drawing.jww"});
#endif
}

// The disk fills up part-way: the write fails (the signal that a size limit
// raises is ignored, as a full disk raises none), and the old file stays.
TEST_F(WriterFileOut, AFullDiskKeepsTheOldFile) {
#ifdef _WIN32
    GTEST_SKIP() << "file size limits (setrlimit) are POSIX's";
#else
    auto saveWithin = [&](rlim_t bytes) {
        return InChild([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{bytes, bytes};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
            return Save(700) ? 1 : 0;
        });
    };
    ASSERT_EQ(saveWithin(1 << 20), 1) << "the drawing fits in 1 MiB";
    KeepOldFile();
    EXPECT_EQ(saveWithin(4096), 0) << "FileOut must return false";
    ExpectOldFileKept();
#endif
}

TEST_F(WriterFileOut, ATextTooLongForTheFormatKeepsTheOldFile) {
    KeepOldFile();
    TEntJwwMoji m;
    m.str = std::u16string(framing::kMaxTextBytes + 1, u'x');
    d.EntMoji = {m};
    d.EntMojiN = 1;
    test::AddEntry(d, kEntText, 0);
    EXPECT_FALSE(Save(700));
    ExpectOldFileKept();
}

// An image that exists but cannot be opened: the whole save fails. Root
// reads every file, so the child gives up root first.
TEST_F(WriterFileOut, AnUnreadableImageKeepsTheOldFile) {
#ifdef _WIN32
    GTEST_SKIP() << "fork and setuid are POSIX's";
#else
    KeepOldFile();
    fs::create_directory(tmp.path() / "images");
    const fs::path image = tmp.path() / "images" / "locked.bmp";
    WriteAll(image, "pixels");
    fs::permissions(image, fs::perms::none);
    fs::permissions(tmp.path(), fs::perms::all);
    d.BindImageFolder = (tmp.path() / "images").u16string() + u'/';
    d.BindImageExp = d.BindImageExr = true;
    d.BindImage = {{u"locked.bmp", 6, false}};
    d.BindImageN = 1;
    TEntJwwMoji m;
    m.str = u"^@BM%temp%locked.bmp,1";
    d.EntMoji = {m};
    d.EntMojiN = 1;
    test::AddEntry(d, kEntText, 0);
    const int nobody = 65534;
    const int result = InChild([&] {
        if (geteuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0)) return 3;
        if (std::ifstream(image)) return 4;  // still readable: cannot test here
        return Save(700) ? 1 : 0;
    });
    if (result == 3 || result == 4) GTEST_SKIP() << "cannot make a file unreadable here";
    EXPECT_EQ(result, 0) << "FileOut must return false";
    EXPECT_EQ(ReadAll(target), test::Ascii("the previous drawing"));
    EXPECT_EQ(Listing(tmp.path()), (std::vector<std::string>{"drawing.jww", "images"}));
#endif
}

}  // namespace
}  // namespace tw
