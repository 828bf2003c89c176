// Start-up and shut-down: the folders, TEMP beside the executable, the
// reference table and what close leaves behind.
#include <gtest/gtest.h>

#include <fstream>

#include <tintwright/attributes/UnitGraAtt.h>
#include "app/Unit1.h"
#include "tests/app/FormFixture.h"

namespace tw {
namespace {

namespace fs = std::filesystem;

std::u16string Sep() {
    return std::u16string(1, static_cast<char16_t>(fs::path::preferred_separator));
}

TEST(StartUp, FoldersAndObjectsAfterFormShow) {
    TempDir dir;
    FakeUi ui;
    TForm1 form(ui);
    form.FormShow(dir.folder() + u"tintwright");

    EXPECT_EQ(form.AppPath, dir.folder() + u"tintwright");
    EXPECT_EQ(form.AppFolder, dir.folder());
    EXPECT_EQ(form.TempFolder, dir.folder() + u"TEMP" + Sep());
    EXPECT_TRUE(fs::is_directory(dir.path() / "TEMP"));
    EXPECT_EQ(form.BackMode, 0);
    ASSERT_TRUE(form.JwwDoc);
    ASSERT_TRUE(form.GraAtt);
    EXPECT_TRUE(form.GraAtt->GetDisplayMode());
    ASSERT_TRUE(form.RefTable);
    EXPECT_EQ(form.JwwDoc->Ref, form.RefTable);
    EXPECT_EQ(form.RefTable->RefSubstOn, 0);
    EXPECT_EQ(form.RefTable->FallbackPenColor, 1);
    EXPECT_EQ(form.RefTable->FallbackPenStyle, 1);
    EXPECT_EQ(form.RefTable->RefCount, 0);
    EXPECT_EQ(form.JwwDoc->BindImageFolder, form.TempFolder);
    EXPECT_TRUE(form.JwwDoc->BindImageExp);
    EXPECT_TRUE(form.JwwDoc->BindImageExr);
    EXPECT_TRUE(ui.messages.empty());

    form.FormClose();
    EXPECT_FALSE(form.JwwDoc);
    EXPECT_FALSE(form.GraAtt);
    EXPECT_FALSE(fs::exists(dir.path() / "TEMP"));  // created empty, removed empty
    form.FormClose();                               // a second close does nothing
}

TEST(StartUp, ReferenceTableIsLoadedThroughJwWinJwfBesideTheExecutable) {
    TempDir dir;
    std::ofstream(dir.path() / "Jw_win.jwf") << "something\r\nREF_FILE=ref.txt\r\nEND\r\n";
    // Upper case, as the settings file's name is kept.
    std::ofstream(dir.path() / "REF.TXT") << "%%NAME\tTaro\n%% BAD\tx\n";
    FakeUi ui;
    TForm1 form(ui);
    form.FormShow(dir.folder() + u"tintwright");
    EXPECT_EQ(form.RefTable->RefFileName, u"REF.TXT");
    ASSERT_EQ(form.RefTable->RefCount, 1);
    EXPECT_EQ(form.RefTable->RefTable[0].s1, u"%%NAME");
    EXPECT_EQ(form.RefTable->RefTable[0].s2, u"Taro");
    EXPECT_EQ(form.RefTable->RefSubstOn, 0);
    form.FormClose();
}

// TEMP cannot be made: the executable's folder is a regular file, or a
// regular file already takes the name TEMP. Start-up goes on and saves work.
TEST(StartUp, WithoutTempTheProgramStillSaves) {
    TempDir dir;
    std::ofstream(dir.path() / "blocked") << "not a folder";
    fs::create_directory(dir.path() / "app");
    std::ofstream(dir.path() / "app" / "TEMP") << "a file named TEMP";
    for (const fs::path& exe :
         {dir.path() / "blocked" / "tintwright", dir.path() / "app" / "tintwright"}) {
        SCOPED_TRACE(exe.string());
        FakeUi ui;
        TForm1 form(ui);
        form.FormShow(exe.u16string());
        ASSERT_TRUE(form.JwwDoc);
        EXPECT_TRUE(ui.messages.empty());
        const fs::path file = dir.path() / "chart.jww";
        ui.nextFile = file.u16string();
        form.Button1Click();
        EXPECT_EQ(ui.messages, std::vector<std::u16string>{kSaveDoneMessage});
        EXPECT_TRUE(fs::is_regular_file(file));
        form.FormClose();
        fs::remove(file);
    }
    EXPECT_EQ(ReadBytes(dir.path() / "blocked").size(), 12u);
    EXPECT_EQ(ReadBytes(dir.path() / "app" / "TEMP").size(), 17u);
}

TEST(StartUp, ExistingTempWithForeignFilesIsLeftAlone) {
    TempDir dir;
    fs::create_directory(dir.path() / "TEMP");
    std::ofstream(dir.path() / "TEMP" / "notes.txt") << "keep me";
    std::ofstream(dir.path() / "TEMP" / "photo.jpg.gz") << "not ours either";

    FakeUi ui;
    TForm1 form(ui);
    form.FormShow(dir.folder() + u"tintwright");
    ui.nextFile = (dir.path() / "chart.jww").u16string();
    form.Button1Click();
    form.Button1Click();
    EXPECT_EQ(ui.messages, (std::vector<std::u16string>{kSaveDoneMessage, kSaveDoneMessage}));
    form.FormClose();

    EXPECT_EQ(ReadBytes(dir.path() / "TEMP" / "notes.txt").size(), 7u);
    EXPECT_EQ(ReadBytes(dir.path() / "TEMP" / "photo.jpg.gz").size(), 15u);
}

TEST(StartUp, SaveBeforeStartOrAfterCloseDoesNothing) {
    FakeUi ui;
    TForm1 form(ui);
    form.Button1Click();
    EXPECT_EQ(ui.dialogs, 0);
    EXPECT_TRUE(ui.messages.empty());
}

}  // namespace
}  // namespace tw
