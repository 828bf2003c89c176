#include "app/Unit1.h"

#include <filesystem>

#include <tintwright/attributes/UnitGraAtt.h>
#include <tintwright/util/Func_2.h>
#include "app/ColourChart.h"

namespace tw {

namespace {

constexpr uint32_t kGrayColor = 0xFF808080;

// The folder part of a path, ending with the directory separator.
std::u16string FolderOf(const std::u16string& path) {
    std::u16string folder = std::filesystem::path(path).parent_path().u16string();
    if (folder.empty() || folder.back() != DirSeparator()) folder += DirSeparator();
    return folder;
}

}  // namespace

TForm1::TForm1(TFormUi& ui) : ui_(ui) {}

TForm1::~TForm1() = default;

void TForm1::FormShow(const std::u16string& exePath) {
    AppPath = exePath;
    AppFolder = FolderOf(AppPath);
    TempFolder = AppFolder + u"TEMP" + DirSeparator();
    // Without TEMP the program still saves: the folder only holds bound
    // images, and the chart has none.
    CreateFolder(TempFolder);
    JwInit();
}

void TForm1::FormClose() {
    if (!JwwDoc) return;
    JwFine();
    // Removes only an empty folder: files that others put there stay.
    RemoveFolder(TempFolder);
}

void TForm1::JwInit() {
    RefTable = std::make_shared<TRefTable>();
    RefTable->ClearRefTable();
    BackMode = 0;
    JwwDoc = std::make_unique<TJwwData>();
    JwwDoc->Ref = RefTable;

    GraAtt = std::make_unique<TgraAttribute>();
    GraAtt->SetDisplayMode(true);
    GraAtt->SetBackColor(BackMode);
    GraAtt->SetDefaultColor();
    GraAtt->SetDefaultLayer();
    GraAtt->SetDefaultWidth();
    GraAtt->SetDefaultTenR();
    GraAtt->SetDefaultLtype();
    GraAtt->SetDispHojo(true);
    GraAtt->SetDispKijun(true);
    GraAtt->SetGrayColor(kGrayColor);
    GraAtt->SetAll1Color(false);

    RefTable->DrawingPath.clear();
    RefTable->RefFileName.clear();
    GetRefFileName();
    RefFileOpen();

    JwwDoc->BindImageFolder = TempFolder;
    JwwDoc->BindImageExp = true;
    JwwDoc->BindImageExr = true;
}

void TForm1::JwFine() {
    RefTable.reset();
    GraAtt.reset();
    JwwDataFree(*JwwDoc);
    JwwDoc.reset();
}

void TForm1::JwwDataFree(TJwwData& JW) {
    JW.BindImageDeleteGzFile();
    JW.BindImageDeleteNonGzFile();
    JW.DataFree();
    JW.BindImageInit();
}

void TForm1::GetRefFileName() {
    RefTable->GetRefFileName(AppFolder);
}

void TForm1::RefFileOpen() {
    RefTable->RefFileOpen(AppFolder);
}

void TForm1::BuildPalette() {
    switch (Palette) {
        case TPalette::Dxf:
            DXFColorTableSet();
            break;
        case TPalette::Mix:
            SXFColorTableSet();
            break;
        case TPalette::Grad:
            GradColorTableSet();
            break;
    }
}

void TForm1::Button1Click() {
    if (!JwwDoc) return;  // not started, or already closed
    const std::optional<std::u16string> FName = ui_.AskSaveFileName();
    if (!FName) return;

    BuildPalette();

    TJwwData& JW = *JwwDoc;
    JwwDataFree(JW);
    JW.DataDefaultSet();

    JW.SetTableLengths();

    InitLayer(JW);
    InitColor(JW);
    InitLtype(JW);
    InitMojis(JW);
    InitElses(JW);

    SetChartHeader(JW);
    AddChartLines(JW);

    JW.SetFileOutOption(TextCode == TTextCode::Utf16 ? kOutUtf16 : 0);
    ui_.ShowMessage(JW.FileOut(*FName, Version) ? kSaveDoneMessage : kSaveFailedMessage);
}

}  // namespace tw
