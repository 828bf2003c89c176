// Committing a sibling file under its target's name: Replace takes the name,
// Keep refuses one that is taken, also by a file made after the sibling was.
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <tintwright/util/SiblingFile.h>
#include "support/TempDir.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool WriteText(SiblingFile& file, const std::string& text) {
    return file.Write(reinterpret_cast<const uint8_t*>(text.data()), text.size());
}

size_t FileCount(const fs::path& folder) {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(SiblingFile, CommitTakesOrKeepsTheName) {
    const struct {
        const char* what;
        bool taken;
        SiblingFile::Existing existing;
        int error;
        const char* content;
    } cases[] = {
        {"free name, keep", false, SiblingFile::Existing::Keep, 0, "new"},
        {"free name, replace", false, SiblingFile::Existing::Replace, 0, "new"},
        {"taken name, replace", true, SiblingFile::Existing::Replace, 0, "new"},
        {"taken name, keep", true, SiblingFile::Existing::Keep, EEXIST, "mine"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const fs::path target = dir.path() / "out.png";
        {
            SiblingFile file(target);
            ASSERT_TRUE(file.IsOpen());
            ASSERT_TRUE(WriteText(file, "new"));
            // Made after the sibling, as another program would in between.
            if (c.taken) std::ofstream(target, std::ios::binary) << "mine";
            EXPECT_EQ(file.Commit(c.existing), c.error == 0);
            EXPECT_EQ(file.Error(), c.error);
        }
        EXPECT_EQ(ReadAll(target), c.content);
        EXPECT_EQ(FileCount(dir.path()), 1u);  // the sibling gone either way
    }
}

}  // namespace
}  // namespace tw
