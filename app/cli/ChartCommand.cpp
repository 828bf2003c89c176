#include "app/cli/ChartCommand.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <system_error>

#include <tintwright/util/Func_2.h>
#include <tintwright/util/ReplaceableFile.h>

namespace tw::cli {

namespace fs = std::filesystem;

namespace {

// OUTPUT as the save dialog returns it: ".jww" added when it has no
// extension.
std::string WithDefaultExtension(const std::string& output) {
    return fs::path(FromUtf8(output)).has_extension() ? output : output + ".jww";
}

// The save dialog and the message box of the window, made of the command's
// arguments. What the dialog would refuse (a missing folder, an overwrite
// the user did not confirm) is refused here with a reason.
class TerminalUi final : public TFormUi {
  public:
    explicit TerminalUi(const ChartOptions& options) : options_(options) {}

    std::optional<std::u16string> AskSaveFileName() override {
        if (!ExactFromUtf8(options_.output)) {
            refusal_ = "the file name is not UTF-8, so it cannot be kept exactly";
            return std::nullopt;
        }
        if (fs::path(FromUtf8(options_.output)).filename().empty()) {
            refusal_ = "no file name in " + options_.output;
            return std::nullopt;
        }
        std::error_code error;
        const fs::path file =
            fs::absolute(fs::path(FromUtf8(WithDefaultExtension(options_.output))), error);
        if (error) {
            refusal_ = "invalid file name: " + options_.output;
            return std::nullopt;
        }
        const fs::path folder = file.parent_path();
        if (!fs::is_directory(folder, error)) {
            refusal_ =
                (fs::exists(folder, error) ? "not a folder: " : "the folder does not exist: ") +
                ToUtf8(folder.u16string());
            return std::nullopt;
        }
        refusal_ = RefusalToReplace(file, options_.force);
        if (!refusal_.empty()) return std::nullopt;
        file_ = file;
        return file.u16string();
    }

    void ShowMessage(const std::u16string& text) override { message_ = text; }

    bool Saved() const { return message_ == kSaveDoneMessage; }
    const std::u16string& Message() const { return message_; }

    // Why nothing was saved; writeError is the writer's reason.
    std::string Reason(const std::string& writeError) const {
        if (!refusal_.empty()) return refusal_;
        std::error_code error;
        if (fs::is_directory(file_, error)) return ToUtf8(file_.u16string()) + " is a folder";
        return "cannot write " + ToUtf8(file_.u16string()) + ": " + writeError;
    }

  private:
    const ChartOptions& options_;
    fs::path file_;
    std::string refusal_;
    std::u16string message_;
};

}  // namespace

int RunChart(const ChartOptions& options, const std::string& exePath, std::ostream& out,
             std::ostream& err) {
    TerminalUi ui(options);
    TForm1 form(ui);
    form.Palette = options.palette;
    form.Version = options.version;
    form.TextCode = options.textCode;

    form.FormShow(FromUtf8(exePath));
    form.Button1Click();
    const std::string writeError = form.JwwDoc ? form.JwwDoc->FileOutError : "";
    form.FormClose();

    if (ui.Saved()) {
        out << ToUtf8(ui.Message()) << '\n';
        return 0;
    }
    err << ToUtf8(kSaveFailedMessage) << ": " << ui.Reason(writeError) << '\n';
    return 1;
}

}  // namespace tw::cli
