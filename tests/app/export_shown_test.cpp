// A viewer's Export DXF: the drawing on screen (its images held in memory,
// nothing read again from disk), and the user's own files of an image's name
// beside the DXF replaced only when the user agrees.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <tintwright/document/JwwUnit.h>
#include "app/ExportShown.h"
#include "support/TempDir.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A drawing placing one image whose bytes it holds, as a reading keeps them.
void Picture(TJwwData& doc) {
    doc.DataDefaultSet();
    doc.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 1, 0, 0, 5, 5, 0, 0, u"MS Gothic",
                   u"^@BM%temp%pic.png,40,30");
    doc.BindImage = {{u"pic.png", 9, false, "png bytes"}};
    doc.BindImageN = 1;
    doc.BindImageExr = true;
}

TEST(ExportShown, ReplacesTheUsersImagesOnlyWhenTheUserAgrees) {
    const struct {
        bool userFile;
        bool agrees;
        bool written;
        int questions;
        const char* image;  // the file beside the DXF afterwards
    } cases[] = {
        {false, false, true, 0, "png bytes"},  // nothing to ask
        {true, false, false, 1, "mine"},
        {true, true, true, 1, "png bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.userFile << c.agrees);
        const TempDir dir;
        const fs::path dxf = dir.path() / "plan.dxf";
        if (c.userFile) {
            fs::create_directory(dir.path() / "plan_images");
            std::ofstream(dir.path() / "plan_images" / "pic.png") << "mine";
        }
        TJwwData doc;
        Picture(doc);
        int questions = 0;
        const std::string reason = ExportShown(doc, dxf, [&] {
            ++questions;
            return c.agrees;
        });
        EXPECT_EQ(reason.empty(), c.written) << reason;
        EXPECT_EQ(fs::exists(dxf), c.written);
        EXPECT_EQ(questions, c.questions);
        EXPECT_EQ(ReadAll(dir.path() / "plan_images" / "pic.png"), c.image);
        if (!c.written) EXPECT_NE(reason.find("already exists"), std::string::npos) << reason;
    }
}

}  // namespace
}  // namespace tw
