// A started TForm1 in a temporary program folder, with a fake front end that
// answers the save dialog and records the messages.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/Unit1.h"
#include "support/TempDir.h"

namespace tw {

class FakeUi : public TFormUi {
  public:
    std::optional<std::u16string> nextFile;  // the dialog's answer; empty: cancel
    int dialogs = 0;
    std::vector<std::u16string> messages;

    std::optional<std::u16string> AskSaveFileName() override {
        ++dialogs;
        return nextFile;
    }
    void ShowMessage(const std::u16string& text) override { messages.push_back(text); }
};

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FormTest : public ::testing::Test {
  protected:
    void SetUp() override { form.FormShow(ExePath()); }
    void TearDown() override { form.FormClose(); }

    std::u16string ExePath() const { return dir.folder() + u"tintwright"; }
    std::filesystem::path TempPath() const { return dir.path() / "TEMP"; }

    // Presses the button with the dialog answering file; the last message.
    std::u16string SaveTo(const std::filesystem::path& file) {
        ui.nextFile = file.u16string();
        ui.messages.clear();
        form.Button1Click();
        return ui.messages.empty() ? u"" : ui.messages.back();
    }

    // Saves the chart of every palette, format version and text code in turn
    // and calls check(file, palette, version, utf16) for each, under its name.
    template <class Check>
    void ForEveryChart(Check check) {
        for (const TPalette palette : {TPalette::Dxf, TPalette::Mix, TPalette::Grad}) {
            for (const int32_t version : {220, 223, 225, 230, 300, 351, 420, 600, 700}) {
                for (const bool utf16 : {false, true}) {
                    const std::string name = "p" + std::to_string(static_cast<int>(palette)) +
                                             "-v" + std::to_string(version) +
                                             (utf16 ? "-utf16" : "-ansi");
                    SCOPED_TRACE(name);
                    form.Palette = palette;
                    form.Version = version;
                    form.TextCode = utf16 ? TTextCode::Utf16 : TTextCode::Ansi;
                    const auto file = dir.path() / (name + ".jww");
                    ASSERT_EQ(SaveTo(file), kSaveDoneMessage);
                    check(file, palette, version, utf16);
                }
            }
        }
    }

    TempDir dir;
    FakeUi ui;
    TForm1 form{ui};
};

}  // namespace tw
