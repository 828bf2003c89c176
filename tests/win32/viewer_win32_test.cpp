// The Windows viewer driven by its messages, as a user's clicks send them:
// the layer panel lists the groups and layers with their entity counts and
// its check boxes hide what they switch off, the View menu's print view and
// black background, the status line, Open Recent, the scroll bars, a change
// of DPI, Export DXF / Save as writing what the command line writes, and
// Print… drawing the sheet at its scale.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>
#include <process.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <tintwright/document/LayerUsage.h>
#include "ViewerWindow.h"
#include "app/ShownDrawing.h"
#include "support/TempDir.h"

namespace tw::win32 {
namespace {

namespace fs = std::filesystem;

const fs::path kShared = TW_SHARED_TESTDATA;

// What the drawing area draws, as PrintWindow would get it.
struct Picture {
    render::RenderReport report;
    double dark = 0;  // share of dark pixels
};

// The pixels (0x00RRGGBB, rows from the top) that draw(dc) leaves on a
// width x height bitmap at the screen's resolution.
template <class F>
std::vector<uint32_t> PixelsDrawnBy(int width, int height, F draw) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    draw(dc);
    const auto* first = static_cast<const uint32_t*>(bits);
    std::vector<uint32_t> pixels(first, first + static_cast<size_t>(width) * height);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

bool Dark(uint32_t pixel) {
    return (pixel & 0xFF) + ((pixel >> 8) & 0xFF) + ((pixel >> 16) & 0xFF) < 300;
}

Picture Draw(const ViewerWindow& viewer) {
    RECT client{};
    GetClientRect(viewer.Canvas(), &client);
    const std::vector<uint32_t> pixels = PixelsDrawnBy(client.right, client.bottom, [&](HDC dc) {
        SendMessageW(viewer.Canvas(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
    const auto dark = std::count_if(pixels.begin(), pixels.end(), Dark);
    return {viewer.LastReport(),
            pixels.empty() ? 0 : static_cast<double>(dark) / static_cast<double>(pixels.size())};
}

// Handles what the window posted to itself (the check boxes' changes).
void Settle() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {  // a closed window's quit too
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

HTREEITEM Next(HWND tree, HTREEITEM item, WPARAM how) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
}

struct Row {
    HTREEITEM item;
    std::wstring text;
    bool checked;
};

Row RowOf(HWND tree, HTREEITEM item) {
    wchar_t text[256] = L"";
    TVITEMW row{};
    row.mask = TVIF_TEXT | TVIF_STATE;
    row.hItem = item;
    row.stateMask = TVIS_STATEIMAGEMASK;
    row.pszText = text;
    row.cchTextMax = static_cast<int>(std::size(text));
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&row));
    return {item, text, (row.state & TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2)};
}

// The groups' rows, each followed by its layers' rows.
std::vector<std::vector<Row>> Rows(HWND tree) {
    std::vector<std::vector<Row>> groups;
    for (HTREEITEM g = Next(tree, nullptr, TVGN_ROOT); g; g = Next(tree, g, TVGN_NEXT)) {
        groups.push_back({RowOf(tree, g)});
        for (HTREEITEM l = Next(tree, g, TVGN_CHILD); l; l = Next(tree, l, TVGN_NEXT))
            groups.back().push_back(RowOf(tree, l));
    }
    return groups;
}

// The check box switched as the space key switches it.
void Toggle(HWND tree, HTREEITEM item) {
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    SendMessageW(tree, WM_KEYDOWN, VK_SPACE, 0);
    SendMessageW(tree, WM_KEYUP, VK_SPACE, 0);
    Settle();
}

bool EndsWithCount(const std::wstring& text, int64_t count) {
    const std::wstring end = L" (" + std::to_wstring(count) + L")";
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

void Send(const ViewerWindow& viewer, int id) {
    SendMessageW(viewer.Handle(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

bool MenuChecked(const ViewerWindow& viewer, int id) {
    return (GetMenuState(GetMenu(viewer.Handle()), id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::wstring Status(const ViewerWindow& viewer) {
    const HWND bar = FindWindowExW(viewer.Handle(), nullptr, STATUSCLASSNAMEW, nullptr);
    wchar_t text[256] = L"";
    SendMessageW(bar, SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return text;
}

std::string Contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// tintwright-cli.exe beside this program, run with the arguments; its exit code.
int RunCli(std::vector<std::wstring> args) {
    wchar_t self[MAX_PATH * 4];
    GetModuleFileNameW(nullptr, self, static_cast<DWORD>(std::size(self)));
    const fs::path cli = fs::path(self).parent_path() / L"tintwright-cli.exe";
    std::vector<std::wstring> quoted{L"\"" + cli.wstring() + L"\""};
    for (const std::wstring& arg : args)
        quoted.push_back(L"\"" + arg + L"\"");
    std::vector<const wchar_t*> argv;
    for (const std::wstring& arg : quoted)
        argv.push_back(arg.c_str());
    argv.push_back(nullptr);
    return static_cast<int>(_wspawnv(_P_WAIT, cli.c_str(), argv.data()));
}

class Viewer : public ::testing::Test {
  protected:
    Viewer() : viewer(GetModuleHandleW(nullptr)) {}
    // A missing drawing would stop the test at the viewer's message box.
    void SetUp() override {
        for (const char* name : {"Test1.jww", "Test2.jww"})
            ASSERT_TRUE(fs::is_regular_file(kShared / name)) << "missing fixture " << name;
    }
    ViewerWindow viewer;
};

TEST_F(Viewer, LayerPanelCountsAndItsCheckBoxesHideLayers) {
    const fs::path file = kShared / "Test1.jww";
    ASSERT_TRUE(viewer.Open(file));
    const ShownDrawing drawing(file);
    const LayerUsageTable usage = CountLayerUsage(drawing.Doc());
    const auto groups = Rows(viewer.Layers());
    ASSERT_EQ(groups.size(), 16u);
    int busiest = 0;
    for (int g = 0; g < 16; ++g) {
        ASSERT_EQ(groups[g].size(), 17u);
        int64_t all = 0;
        for (int l = 0; l < 16; ++l) {
            const int64_t count = usage[g * 16 + l].entities;
            all += count;
            EXPECT_TRUE(EndsWithCount(groups[g][1 + l].text, count)) << g << " " << l;
            if (count > usage[busiest].entities && groups[g][0].checked && groups[g][1 + l].checked)
                busiest = g * 16 + l;
        }
        EXPECT_TRUE(EndsWithCount(groups[g][0].text, all)) << g;
    }
    ASSERT_GT(usage[busiest].entities, 0);

    const Picture before = Draw(viewer);
    const Row& layer = groups[busiest / 16][1 + busiest % 16];
    Toggle(viewer.Layers(), layer.item);
    ASSERT_FALSE(RowOf(viewer.Layers(), layer.item).checked);
    const Picture without = Draw(viewer);
    EXPECT_GE(without.report.hidden, before.report.hidden + usage[busiest].entities);
    EXPECT_LT(without.dark, before.dark);
    Toggle(viewer.Layers(), layer.item);
    ASSERT_TRUE(RowOf(viewer.Layers(), layer.item).checked);
    EXPECT_EQ(Draw(viewer).report.hidden, before.report.hidden);
    // A group switched off hides all its layers.
    Toggle(viewer.Layers(), groups[busiest / 16][0].item);
    EXPECT_GT(Draw(viewer).report.hidden, before.report.hidden);
}

TEST_F(Viewer, PrintViewAndBlackBackgroundAreCheckedInTheViewMenu) {
    ASSERT_TRUE(viewer.Open(kShared / "Test1.jww"));
    const Picture white = Draw(viewer);
    EXPECT_FALSE(MenuChecked(viewer, ViewerWindow::kBlackBackground));
    Send(viewer, ViewerWindow::kBlackBackground);
    EXPECT_TRUE(MenuChecked(viewer, ViewerWindow::kBlackBackground));
    EXPECT_GT(Draw(viewer).dark, 0.5);
    EXPECT_LT(white.dark, 0.5);
    Send(viewer, ViewerWindow::kBlackBackground);
    EXPECT_FALSE(MenuChecked(viewer, ViewerWindow::kBlackBackground));

    EXPECT_FALSE(MenuChecked(viewer, ViewerWindow::kPrintView));
    Send(viewer, ViewerWindow::kPrintView);
    EXPECT_TRUE(MenuChecked(viewer, ViewerWindow::kPrintView));
    Send(viewer, ViewerWindow::kPrintView);
    EXPECT_FALSE(MenuChecked(viewer, ViewerWindow::kPrintView));
}

TEST_F(Viewer, ExportAndSaveAsWriteWhatTheCommandLineWrites) {
    const fs::path file = kShared / "Test1.jww";
    ASSERT_TRUE(viewer.Open(file));
    TempDir dir;
    for (const auto& [command, name] :
         {std::pair{L"export", L"plan.dxf"}, {L"render", L"plan.svg"}}) {
        const fs::path fromWindow = dir.path() / (std::wstring(L"window-") + name);
        const fs::path fromCli = dir.path() / (std::wstring(L"cli-") + name);
        ASSERT_TRUE(fromWindow.extension() == L".dxf" ? viewer.ExportDxf(fromWindow)
                                                      : viewer.SaveAs(fromWindow));
        // A second time replaces it: the save dialog asked first.
        ASSERT_TRUE(fromWindow.extension() == L".dxf" ? viewer.ExportDxf(fromWindow)
                                                      : viewer.SaveAs(fromWindow));
        ASSERT_EQ(RunCli({command, file.wstring(), fromCli.wstring()}), 0) << fromCli;
        const std::string bytes = Contents(fromWindow);
        EXPECT_GT(bytes.size(), 1000u);
        EXPECT_EQ(bytes, Contents(fromCli)) << name;
    }
    EXPECT_TRUE(viewer.SaveAs(dir.path() / "plan.png"));
    EXPECT_EQ(Contents(dir.path() / "plan.png").substr(0, 4), "\x89PNG");
}

TEST_F(Viewer, StatusLineTellsPaperAndRealMillimetres) {
    ASSERT_TRUE(viewer.Open(kShared / "Test1.jww"));
    Send(viewer, ViewerWindow::kFitSheet);
    RECT client{};
    GetClientRect(viewer.Canvas(), &client);
    SendMessageW(viewer.Canvas(), WM_MOUSEMOVE, 0, MAKELPARAM(client.right / 2, client.bottom / 2));
    const std::wstring status = Status(viewer);
    // The sheet is centred on the origin; Test1.jww's group 0 is at 1:100.
    double x = 99, y = 99, realX = 99, realY = 99;
    ASSERT_EQ(swscanf(status.c_str(), L"%lf, %lf mm on paper %lf, %lf mm real (1:100)", &x, &y,
                      &realX, &realY),
              4)
        << status;
    EXPECT_LT(std::abs(x), 1);
    EXPECT_LT(std::abs(y), 1);
    // Real is paper x 100, each rounded as shown.
    EXPECT_NEAR(realX, 100 * x, 0.55);
    EXPECT_NEAR(realY, 100 * y, 0.55);
    EXPECT_NE(status.find(L"px/mm"), std::wstring::npos);
}

TEST_F(Viewer, OpenRecentListsTheLastFileFirstAndOpensIt) {
    ASSERT_TRUE(viewer.Open(kShared / "Test1.jww"));
    ASSERT_TRUE(viewer.Open(kShared / "Test2.jww"));
    ASSERT_TRUE(viewer.Open(kShared / "Test1.jww"));
    const HMENU recent = GetSubMenu(GetSubMenu(GetMenu(viewer.Handle()), 0), 1);
    ASSERT_TRUE(recent);
    SendMessageW(viewer.Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(recent), 1);
    const auto entry = [recent](int i) {
        wchar_t text[MAX_PATH * 4] = L"";
        GetMenuStringW(recent, i, text, static_cast<int>(std::size(text)), MF_BYPOSITION);
        return fs::path(text).filename().wstring();
    };
    EXPECT_EQ(entry(0), L"Test1.jww");
    EXPECT_EQ(entry(1), L"Test2.jww");
    for (int i = 2; i < GetMenuItemCount(recent); ++i)
        EXPECT_NE(entry(i), L"Test1.jww") << "listed twice";
    Send(viewer, ViewerWindow::kRecentFirst + 1);
    wchar_t title[256] = L"";
    GetWindowTextW(viewer.Handle(), title, static_cast<int>(std::size(title)));
    EXPECT_EQ(std::wstring(title), L"Test2.jww - Tintwright viewer");
}

TEST_F(Viewer, ScrollBarsSpanTheSheetAndMoveTheView) {
    ASSERT_TRUE(viewer.Open(kShared / "Test1.jww"));
    Send(viewer, ViewerWindow::kFitSheet);
    Send(viewer, ViewerWindow::kZoomIn);
    Send(viewer, ViewerWindow::kZoomIn);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(viewer.Canvas(), SB_HORZ, &info));
    RECT client{};
    GetClientRect(viewer.Canvas(), &client);
    EXPECT_NEAR(static_cast<double>(info.nPage), client.right, 1);
    // Zoomed in 2.25 times on the sheet: the bar spans 2.25 views.
    EXPECT_NEAR((info.nMax + 1.0) / info.nPage, 2.25, 0.05);
    SendMessageW(viewer.Canvas(), WM_HSCROLL, SB_TOP, 0);
    SendMessageW(viewer.Canvas(), WM_MOUSEMOVE, 0, 0);
    const std::wstring statusBefore = Status(viewer);
    SendMessageW(viewer.Canvas(), WM_HSCROLL, SB_PAGEDOWN, 0);
    ASSERT_TRUE(GetScrollInfo(viewer.Canvas(), SB_HORZ, &info));
    EXPECT_EQ(info.nPos, static_cast<int>(info.nPage));
    SendMessageW(viewer.Canvas(), WM_MOUSEMOVE, 0, 0);
    EXPECT_NE(Status(viewer), statusBefore);
    SendMessageW(viewer.Canvas(), WM_VSCROLL, SB_BOTTOM, 0);
    ASSERT_TRUE(GetScrollInfo(viewer.Canvas(), SB_VERT, &info));
    EXPECT_EQ(info.nPos, info.nMax - static_cast<int>(info.nPage) + 1);
}

TEST_F(Viewer, ADpiChangeTakesTheSuggestedRectangleAndScalesThePanel) {
    RECT suggested{20, 30, 1020, 830};
    SendMessageW(viewer.Handle(), WM_DPICHANGED, MAKEWPARAM(192, 192),
                 reinterpret_cast<LPARAM>(&suggested));
    RECT frame{};
    GetWindowRect(viewer.Handle(), &frame);
    EXPECT_EQ(frame.left, 20);
    EXPECT_EQ(frame.top, 30);
    EXPECT_EQ(frame.right - frame.left, 1000);
    EXPECT_EQ(frame.bottom - frame.top, 800);
    RECT panel{};
    GetWindowRect(viewer.Layers(), &panel);
    EXPECT_EQ(panel.right - panel.left, 440);
    // The panel's font twice as high as at 96 dpi.
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(viewer.Layers(), WM_GETFONT, 0, 0)),
               sizeof font, &font);
    EXPECT_EQ(std::abs(font.lfHeight), 24);
}

// The box of the pixels that are not white, or none.
std::optional<std::array<int, 4>> InkBox(const std::vector<uint32_t>& pixels, int width) {
    std::optional<std::array<int, 4>> box;  // min x, min y, max x, max y
    for (size_t i = 0; i < pixels.size(); ++i) {
        if ((pixels[i] & 0xFFFFFF) == 0xFFFFFF) continue;
        const int x = static_cast<int>(i % width), y = static_cast<int>(i / width);
        if (!box) box = std::array<int, 4>{x, y, x, y};
        *box = {std::min((*box)[0], x), std::min((*box)[1], y), std::max((*box)[2], x),
                std::max((*box)[3], y)};
    }
    return box;
}

// What Print… sends to the printer, on a page of the sheet's size at 96
// dpi: lines where they lie on the sheet at its scale; a layer group
// switched off in the panel does not print.
TEST_F(Viewer, PrintDrawsTheSheetAtItsSizeAndHonoursThePanel) {
    TJwwData doc;
    doc.DataDefaultSet();
    constexpr int32_t kPen = 1, kSolid = 1;
    const double square[][4] = {
        {-100, -50, 100, -50}, {100, -50, 100, 50}, {100, 50, -100, 50}, {-100, 50, -100, -50}};
    for (const auto& [x1, y1, x2, y2] : square)
        ASSERT_TRUE(doc.AddEntLine(0, 0, 0, kPen, kSolid, 0, 0, x1, y1, x2, y2));
    ASSERT_TRUE(doc.AddEntLine(0, 1, 0, kPen, kSolid, 0, 0, -20, 70, 20, 70));  // group 1
    TempDir dir;
    const fs::path file = dir.path() / "square.jww";
    ASSERT_TRUE(doc.FileOut(file.u16string(), 700));
    ASSERT_TRUE(viewer.Open(file));
    double width = 0, height = 0;
    doc.GetPaperSize(width, height);
    constexpr double kPixelsPerMm = 96 / 25.4;
    const int w = static_cast<int>(std::lround(width * kPixelsPerMm));
    const int h = static_cast<int>(std::lround(height * kPixelsPerMm));
    const auto inkBox = [&] {
        return InkBox(PixelsDrawnBy(w, h, [&](HDC dc) { ASSERT_TRUE(viewer.PrintOn(dc)); }), w);
    };
    // The pixel columns and rows a paper box covers, the pen's width allowed.
    const auto expectBox = [&](const std::optional<std::array<int, 4>>& box, double minX,
                               double minY, double maxX, double maxY) {
        ASSERT_TRUE(box);
        constexpr int kPen = 2;
        EXPECT_NEAR((*box)[0], (minX + width / 2) * kPixelsPerMm, kPen);
        EXPECT_NEAR((*box)[1], (height / 2 - maxY) * kPixelsPerMm, kPen);
        EXPECT_NEAR((*box)[2], (maxX + width / 2) * kPixelsPerMm, kPen);
        EXPECT_NEAR((*box)[3], (height / 2 - minY) * kPixelsPerMm, kPen);
    };
    expectBox(inkBox(), -100, -50, 100, 70);
    Toggle(viewer.Layers(), Next(viewer.Layers(), nullptr, TVGN_ROOT));  // group 0 off
    expectBox(inkBox(), -20, 70, 20, 70);
}

}  // namespace
}  // namespace tw::win32
