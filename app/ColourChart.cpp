#include "app/ColourChart.h"

namespace tw {

namespace {

// A4 landscape, in millimetres, centred on the origin.
constexpr double kPaperW = 297;
constexpr double kPaperH = 210;
constexpr int32_t kPaperA4 = 4;

constexpr uint16_t kFramePen = 6;
constexpr uint16_t kFirstExtendedPen = 101;
constexpr uint16_t kSampleWidth = 400;
constexpr uint16_t kSampleLayer = 1;

TEntJwwLine MakeLine(uint16_t pen, uint16_t width, uint16_t layer, double x1, double y1, double x2,
                     double y2) {
    TEntJwwLine line;
    line.att.lGroup = 0;
    line.att.nPenStyle = 1;
    line.att.nPenColor = pen;
    line.att.nPenWidth = width;
    line.att.nLayer = layer;
    line.att.nGLayer = 0;
    line.att.sFlg = 0;
    line.start_x = x1;
    line.start_y = y1;
    line.end_x = x2;
    line.end_y = y2;
    return line;
}

}  // namespace

void SetChartHeader(TJwwData& JW) {
    JW.Enthd.jwID = u"JwwData.";
    JW.Enthd.strMemo = u"色設定テストデータ";
    JW.Enthd.nZumen = kPaperA4;
    JW.Enthd.nMaxDrawWid = -300;
    JW.Enthd.bSenHaba100 = true;
    JW.Enthd.nMaxDrawWidBak = 100;
    JW.Enthd.nPrtDpi = 1;
    JW.Enthd.nDrawGamenTen = 1;
    JW.Enthd.nDrawPrtTen = 1;
}

void AddChartLines(TJwwData& JW) {
    const double W = kPaperW;
    const double H = kPaperH;
    const double y0 = H / 2 - 20;

    std::vector<TEntJwwLine>& lines = JW.EntLine;
    lines.clear();
    lines.reserve(kChartLineCount);

    // The frame, clockwise from the top-left corner.
    lines.push_back(MakeLine(kFramePen, 0, 0, -W / 2, H / 2, W / 2, H / 2));
    lines.push_back(MakeLine(kFramePen, 0, 0, W / 2, H / 2, W / 2, -H / 2));
    lines.push_back(MakeLine(kFramePen, 0, 0, W / 2, -H / 2, -W / 2, -H / 2));
    lines.push_back(MakeLine(kFramePen, 0, 0, -W / 2, -H / 2, -W / 2, H / 2));

    // The basic pens 1 to 8, top to bottom.
    for (int i = 0; i < 8; ++i) {
        const double y = y0 - 10 * i;
        lines.push_back(
            MakeLine(static_cast<uint16_t>(i + 1), kSampleWidth, kSampleLayer, -60, y, -50, y));
    }

    // Extended colours: 16 columns r, 16 rows c; the pen rises down a column.
    for (int r = 0; r < 16; ++r) {
        for (int c = 0; c < 16; ++c) {
            const double y = y0 - 10 * c;
            lines.push_back(MakeLine(static_cast<uint16_t>(kFirstExtendedPen + 16 * r + c),
                                     kSampleWidth, kSampleLayer, 10 * r - 40, y, 10 * r - 35, y));
        }
    }
    JW.EntLineN = kChartLineCount;

    JW.EntNo.resize(kChartLineCount);
    for (int32_t n = 0; n < kChartLineCount; ++n)
        JW.EntNo[n] = TEntJwwNo{kEntLine, n};
    JW.Enthd.n1 = kChartLineCount;
}

}  // namespace tw
