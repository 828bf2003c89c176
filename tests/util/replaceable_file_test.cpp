// The one check every output makes before replacing an existing file: a
// write-protected file is refused by its mode, whoever runs the program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <tintwright/util/ReplaceableFile.h>
#include "support/TempDir.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace tw {
namespace {

namespace fs = std::filesystem;

TEST(ReplaceableFile, RefusesWhatMayNotBeReplacedWithItsReason) {
    TempDir dir;
    const struct {
        const char* name;
        fs::perms mode;  // unknown: leave nothing of that name
        const char* reason;
    } cases[] = {
        {"missing.svg", fs::perms::unknown, ""},
        {"writable.svg", fs::perms(0644), ""},
        {"owner-only.svg", fs::perms(0600), ""},
        {"read-only.svg", fs::perms(0444), "the file is write-protected"},
        {"no-bits.svg", fs::perms(0000), "the file is write-protected"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path file = dir.path() / c.name;
        if (c.mode != fs::perms::unknown) {
            std::ofstream(file) << "mine";
            fs::permissions(file, c.mode);
        }
        EXPECT_EQ(WhyNotReplaceable(file), c.reason);
        if (fs::exists(file)) fs::permissions(file, fs::perms(0644));
    }
}

TEST(ReplaceableFile, OnlyARegularFileIsReplaced) {
    TempDir dir;
    fs::create_directory(dir.path() / "folder");
    EXPECT_EQ(WhyNotReplaceable(dir.path() / "folder"), "not a file");
#ifndef _WIN32
    ASSERT_EQ(mkfifo((dir.path() / "fifo").c_str(), 0666), 0);
    EXPECT_EQ(WhyNotReplaceable(dir.path() / "fifo"), "not a file");
#endif
}

// Every output refuses a taken name in the same words; a link, even one
// pointing nowhere, takes its name.
TEST(ReplaceableFile, ATakenNameIsKeptUnlessReplacing) {
    TempDir dir;
    std::ofstream(dir.path() / "taken.svg") << "mine";
    fs::create_directory(dir.path() / "folder");
    const auto refusal = [&](const char* name) {
        return (dir.path() / name).string() + " already exists; use --force to replace it";
    };
    const struct {
        const char* name;
        bool replace;
        std::string refusal;
    } cases[] = {
        {"free.svg", false, ""},
        {"free.svg", true, ""},
        {"taken.svg", false, refusal("taken.svg")},
        {"taken.svg", true, ""},
        {"folder", false, refusal("folder")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.replace ? " replace" : " keep"));
        EXPECT_EQ(RefusalToReplace(dir.path() / c.name, c.replace), c.refusal);
    }
#ifndef _WIN32  // symbolic links need a privilege on Windows
    fs::create_symlink(dir.path() / "nowhere", dir.path() / "dangling.svg");
    EXPECT_EQ(RefusalToReplace(dir.path() / "dangling.svg", false), refusal("dangling.svg"));
    EXPECT_EQ(RefusalToReplace(dir.path() / "dangling.svg", true), "");
#endif
}

}  // namespace
}  // namespace tw
