#include "web/Session.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>

#include <tintwright/document/BindImageFiles.h>
#include <tintwright/document/LayerUsage.h>
#include <tintwright/document/PlacedImages.h>
#include <tintwright/document/SaveReport.h>
#include <tintwright/dxf/DxfExport.h>
#include <tintwright/render/ReportText.h>
#include <tintwright/render/SvgBackend.h>
#include <tintwright/util/Func_2.h>
#include <tintwright/util/OutputFile.h>
#include "app/Unit1.h"

namespace tw::web {

namespace fs = std::filesystem;

namespace {

// The command line's default resolution: an SVG's thinnest line is one pixel
// at 150 dots per inch.
constexpr double kThinnestLine = 25.4 / 150;

const fs::path kWorkFolder = "/tintwright";

std::string ReadWhole(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

template <class T>
T Choose(const std::map<std::string, T>& choices, const std::string& name, const char* what) {
    const auto found = choices.find(name);
    if (found == choices.end())
        throw std::invalid_argument(std::string("unknown ") + what + ": " + name);
    return found->second;
}

render::RenderOptions SheetView(bool print) {
    render::RenderOptions options;
    options.fit = render::Fit::Paper;
    options.print = print;
    return options;
}

// The save dialog answered with one file of the in-memory file system.
class ChartUi final : public TFormUi {
  public:
    explicit ChartUi(fs::path file) : file_(std::move(file)) {}
    std::optional<std::u16string> AskSaveFileName() override { return file_.u16string(); }
    void ShowMessage(const std::u16string& text) override { message_ = text; }
    bool Saved() const { return message_ == kSaveDoneMessage; }

  private:
    fs::path file_;
    std::u16string message_;
};

}  // namespace

void Session::Open(const std::string& bytes) {
    Close();
    fs::create_directories(kWorkFolder);
    const fs::path file = kWorkFolder / "drawing.jww";
    WriteOutputFile(file, bytes, /*replace=*/true);
    drawing_ = std::make_unique<ShownDrawing>(file);
}

std::string Session::Draw(bool print, render::CanvasBackend& canvas) const {
    return render::ReportText(render::Render(drawing_->Doc(), SheetView(print), canvas));
}

std::string Session::Svg(bool print) const {
    const TJwwData& doc = drawing_->Doc();
    const std::string refusal =
        ImagesOverBudget(PlacedImageFiles(doc), PlacedImages(doc), kImagesBudget);
    if (!refusal.empty()) throw std::runtime_error(refusal);
    std::string svg;
    render::SvgBackend backend(svg, kThinnestLine);
    render::Render(drawing_->Doc(), SheetView(print), backend);
    return svg;
}

std::string Session::Dxf(const std::string& version) const {
    const std::map<std::string, int32_t> versions{
        {"2007", dxf::kR2007}, {"2000", dxf::kR2000}, {"R12", dxf::kR12}};
    const fs::path file = kWorkFolder / "export" / "drawing.dxf";
    fs::remove_all(file.parent_path());
    fs::create_directories(file.parent_path());
    dxf::DxfOptions options{Choose(versions, version, "DXF version"), true};
    options.imageBytes = kImagesBudget;
    const dxf::ExportReport report = dxf::ExportDxf(drawing_->Doc(), file, options);
    if (!report.ok) throw std::runtime_error(report.reason);
    std::string dxf = ReadWhole(file);
    fs::remove_all(file.parent_path());  // the staged images' memory back
    return dxf;
}

std::vector<LayerRow> Session::Layers() const {
    const TJwwData& doc = drawing_->Doc();
    const LayerUsageTable usage = CountLayerUsage(doc);
    std::vector<LayerRow> rows;
    for (size_t i = 0; i < usage.size() && i < doc.EntLay.size(); ++i) {
        const auto group = static_cast<int>(i / tables::kLayersPerGroup);
        const std::u16string groupName =
            static_cast<size_t>(group) < doc.EntLgrp.size() ? doc.EntLgrp[group].aStrGLayName : u"";
        rows.push_back({group, static_cast<int>(i % tables::kLayersPerGroup), ToUtf8(groupName),
                        ToUtf8(doc.EntLay[i].aStrLayName), usage[i].entities});
    }
    return rows;
}

namespace {

const std::map<std::string, int32_t> kJwwVersions{{"4.20", 420}, {"6.00", 600}, {"7.00", 700},
                                                  {"2.20", 220}, {"2.23", 223}, {"2.25", 225},
                                                  {"2.30", 230}, {"3.00", 300}, {"3.51", 351}};
const std::map<std::string, TTextCode> kTextCodes{{"ansi", TTextCode::Ansi},
                                                  {"utf16", TTextCode::Utf16}};

}  // namespace

std::string Session::Jww(const std::string& version, const std::string& textCode) {
    TJwwData& doc = drawing_->Doc();
    const int32_t ver =
        version.empty() ? doc.Source.version : Choose(kJwwVersions, version, "version");
    const bool utf16 = textCode.empty()
                           ? doc.Source.utf16
                           : Choose(kTextCodes, textCode, "text code") == TTextCode::Utf16;
    const fs::path file = kWorkFolder / "save" / "drawing.jww";
    fs::remove_all(file.parent_path());
    fs::create_directories(file.parent_path());
    doc.SetFileOutOption(utf16 ? kOutUtf16 : 0);
    SaveReport report;
    if (!doc.FileOut(file.u16string(), ver, report)) throw std::runtime_error(doc.FileOutError);
    std::string jww = ReadWhole(file);
    fs::remove_all(file.parent_path());
    return jww;
}

std::string Chart(const std::string& palette, const std::string& version,
                  const std::string& textCode) {
    const std::map<std::string, TPalette> palettes{
        {"dxf", TPalette::Dxf}, {"mix", TPalette::Mix}, {"grad", TPalette::Grad}};
    const fs::path folder = kWorkFolder / "chart";
    fs::remove_all(folder);
    fs::create_directories(folder);
    const fs::path file = folder / "colour-chart.jww";
    ChartUi ui(file);
    TForm1 form(ui);
    form.Palette = Choose(palettes, palette, "palette");
    form.Version = Choose(kJwwVersions, version, "version");
    form.TextCode = Choose(kTextCodes, textCode, "text code");
    form.FormShow((kWorkFolder / "tintwright").u16string());
    form.Button1Click();
    const std::string writeError = form.JwwDoc ? form.JwwDoc->FileOutError : "";
    form.FormClose();
    if (!ui.Saved()) throw std::runtime_error(ToUtf8(kSaveFailedMessage) + ": " + writeError);
    return ReadWhole(file);
}

}  // namespace tw::web
