#include <tintwright/attributes/UnitGraAtt.h>

#include <algorithm>
#include <cmath>

#include <tintwright/attributes/GraAttDefaults.h>
#include <tintwright/util/Func_2.h>

namespace tw {

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;
constexpr int32_t kLastBasicPen = 8;  // entries 0 to 8 are pens 1 to 9

// The entry n of a table with count entries, or null when n is out of range.
template <class Vec>
auto* EntryAt(Vec& table, int32_t count, int32_t n) {
    const bool inside = n >= 0 && n < count && static_cast<size_t>(n) < table.size();
    return inside ? &table[static_cast<size_t>(n)] : nullptr;
}

char16_t HexDigit(int32_t v) {
    return u"0123456789ABCDEF"[v & 0xF];
}

std::u16string GroupLabel(int32_t n, const std::u16string& name) {
    return u"[" + std::u16string(1, HexDigit(n / 16)) + u"] " + name;
}

std::u16string LayerLabel(int32_t n, const std::u16string& name) {
    return u"(" + std::u16string(1, HexDigit(n % 16)) + u") " + name;
}

int32_t ClampSeg(int32_t sn) {
    return std::clamp(sn, 0, TjwvLtype::MaxSeg);
}

// Print thresholds: the colour c of a pen, with the threshold for all
// colours and the one for the pen's own kind (basic or extended).
uint32_t ThresholdColor(uint32_t c, int32_t allThreshold, int32_t penThreshold) {
    if (allThreshold < 0 && penThreshold < 0) return c;
    int64_t rgb[3] = {(c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF};
    if (allThreshold >= 0) {
        for (int64_t& x : rgb) {
            if (x + allThreshold > 255) x = 255;
        }
        const bool white = rgb[0] == 255 && rgb[1] == 255 && rgb[2] == 255;
        c = white ? kWhite : kBlack;
        for (int64_t& x : rgb)
            x = white ? 255 : 0;
    }
    if (penThreshold >= 0) {
        const bool light = std::all_of(std::begin(rgb), std::end(rgb),
                                       [&](int64_t x) { return x + penThreshold >= 255; });
        if (light) return kBlack;
    }
    return c;
}

}  // namespace

TgraAttribute::TgraAttribute()
    : jwvLay(LayerCount),
      jwvLayN(LayerCount),
      jwvCol(ColorCount),
      jwvColN(ColorCount),
      jwvTyp(LtypeCount),
      jwvTypN(LtypeCount) {
    DataInit();
}

TgraAttribute::~TgraAttribute() = default;

int32_t TgraAttribute::ColorIndexOf(int32_t jn) {
    if (jn >= 1 && jn <= 9) return jn - 1;
    if (jn >= 101 && jn <= 356) return jn - 92;
    return -1;
}

int32_t TgraAttribute::LtypeIndexOf(int32_t jn) {
    if (jn >= 1 && jn <= 9) return jn - 1;
    if (jn >= 11 && jn <= 19) return jn - 2;
    if (jn >= 31 && jn <= 62) return jn - 13;
    return -1;
}

void TgraAttribute::DataInit() {
    DispMode = false;
    PrintMode = false;
    Sikii0 = -1;
    Sikii1 = -1;
    Sikii2 = -1;
    BkColor = 0;
    BackColor = kWhite;
    ForeColor = kBlack;
    GrayColor = 0xFF808080;
    All1ColorFlag = false;
    All1Color = kWhite;
    SetDefaultLayer();
    SetDefaultColor();
    SetDefaultWidth();
    SetDefaultTenR();
    SetDefaultLtype();
}

void TgraAttribute::SetDisplayMode(bool m) {
    DispMode = m;
}
bool TgraAttribute::GetDisplayMode() const {
    return DispMode;
}

void TgraAttribute::SetPrintMode(bool m, int32_t sk0, int32_t sk1, int32_t sk2) {
    PrintMode = m;
    Sikii0 = sk0;
    Sikii1 = sk1;
    Sikii2 = sk2;
}

bool TgraAttribute::GetPrintMode(int32_t& sk0, int32_t& sk1, int32_t& sk2) const {
    sk0 = Sikii0;
    sk1 = Sikii1;
    sk2 = Sikii2;
    return PrintMode;
}

void TgraAttribute::SetBackColor(int32_t n) {
    if (n != 0 && n != 1) return;
    BkColor = n;
    BackColor = n == 0 ? kWhite : kBlack;
    ForeColor = n == 0 ? kBlack : kWhite;
}

int32_t TgraAttribute::GetBackColorNo() const {
    return BkColor;
}
uint32_t TgraAttribute::GetBackColor() const {
    return BackColor;
}
uint32_t TgraAttribute::GetForeColor() const {
    return ForeColor;
}
void TgraAttribute::SetGrayColor(uint32_t n) {
    GrayColor = n;
}
uint32_t TgraAttribute::GetGrayColor() const {
    return GrayColor;
}
void TgraAttribute::SetDispHojo(int32_t n) {
    DispHojo = n != 0;
}
int32_t TgraAttribute::GetDispHojo() const {
    return DispHojo ? 1 : 0;
}
void TgraAttribute::SetDispKijun(int32_t n) {
    DispKijun = n != 0;
}
int32_t TgraAttribute::GetDispKijun() const {
    return DispKijun ? 1 : 0;
}

void TgraAttribute::SetDefaultLayer() {
    for (int32_t i = 0; i < jwvLayN; ++i) {
        if (TjwvLayer* lay = EntryAt(jwvLay, jwvLayN, i)) {
            *lay = TjwvLayer{1, 1.0, GroupLabel(i, u""), LayerLabel(i, u"")};
        }
    }
}

void TgraAttribute::SetDefaultColor() {
    for (int32_t i = 0; i < jwvColN; ++i)
        SetAttrCol_(i, ForeColor);
    if (BkColor != 0 && BkColor != 1) return;
    const auto pens = DefaultPenColors();
    for (size_t i = 0; i < pens.size(); ++i) {
        const TRgb& rgb = BkColor == 0 ? pens[i].onWhite : pens[i].onBlack;
        SetAttrCol_(static_cast<int32_t>(i), PackAlphaRGB(rgb.red, rgb.green, rgb.blue));
    }
}

void TgraAttribute::SetDefaultWidth() {
    for (int32_t i = 0; i < jwvColN; ++i)
        SetAttrCol_(i, 0.18);
    const auto widths = DefaultBasicWidths();
    for (size_t i = 0; i < widths.size(); ++i)
        SetAttrCol_(static_cast<int32_t>(i), widths[i]);
}

void TgraAttribute::SetDefaultTenR() {
    for (int32_t i = 0; i < jwvColN; ++i) {
        if (TjwvColor* pen = EntryAt(jwvCol, jwvColN, i)) pen->ten_r = 0.2;
    }
    const auto radii = DefaultBasicTenR();
    for (size_t i = 0; i < radii.size(); ++i) {
        if (TjwvColor* pen = EntryAt(jwvCol, jwvColN, static_cast<int32_t>(i))) {
            pen->ten_r = radii[i];
        }
    }
}

void TgraAttribute::SetDefaultLtype() {
    for (int32_t i = 0; i < jwvTypN; ++i) {
        if (TjwvLtype* typ = EntryAt(jwvTyp, jwvTypN, i)) *typ = TjwvLtype{};
    }
    for (const TLtypeDefault& def : DefaultLtypes()) {
        TjwvLtype* typ = EntryAt(jwvTyp, jwvTypN, LtypeIndexOf(def.type));
        if (!typ) continue;
        typ->seg = ClampSeg(static_cast<int32_t>(def.lengths.size()));
        typ->amp = def.amp;
        for (int32_t i = 0; i < typ->seg; ++i)
            typ->pa[i] = def.lengths[i] * def.unit;
    }
    for (int32_t i = 0; i < jwvTypN; ++i)
        SetAttrTypPit_(i);
}

void TgraAttribute::SetAttrLayer(int32_t n, int32_t st, double sc, const std::u16string& glayname,
                                 const std::u16string& layname) {
    if (!EntryAt(jwvLay, jwvLayN, n)) return;
    SetAttrLayer(n, st, sc);
    jwvLay[n].gna = GroupLabel(n, glayname);
    jwvLay[n].nam = LayerLabel(n, layname);
}

void TgraAttribute::SetAttrLayer(int32_t n, int32_t st, double sc) {
    TjwvLayer* lay = EntryAt(jwvLay, jwvLayN, n);
    if (!lay) return;
    SetAttrLayer(n, st);
    lay->sca = sc > 0 ? sc : 1.0;
}

void TgraAttribute::SetAttrLayer(int32_t n, int32_t st) {
    if (TjwvLayer* lay = EntryAt(jwvLay, jwvLayN, n)) lay->sta = (st >= 1 && st <= 3) ? st : 1;
}

bool TgraAttribute::GetAttrLayer(int32_t n, int32_t& st, double& sc, std::u16string& glayname,
                                 std::u16string& layname) const {
    const TjwvLayer* lay = EntryAt(jwvLay, jwvLayN, n);
    if (!lay) return false;
    st = lay->sta;
    sc = lay->sca;
    glayname = lay->gna;
    layname = lay->nam;
    return true;
}

int32_t TgraAttribute::GetAttrLayerState(int32_t n) const {
    const TjwvLayer* lay = EntryAt(jwvLay, jwvLayN, n);
    return lay ? lay->sta : 1;
}

double TgraAttribute::GetAttrLayerScale(int32_t n) const {
    const TjwvLayer* lay = EntryAt(jwvLay, jwvLayN, n);
    return lay ? lay->sca : 1.0;
}

std::u16string TgraAttribute::GetAttrLayerGName(int32_t n) const {
    const TjwvLayer* lay = EntryAt(jwvLay, jwvLayN, n);
    return lay ? lay->gna : std::u16string();
}

std::u16string TgraAttribute::GetAttrLayerName(int32_t n) const {
    const TjwvLayer* lay = EntryAt(jwvLay, jwvLayN, n);
    return lay ? lay->nam : std::u16string();
}

void TgraAttribute::SetAttrCol(int32_t jn, uint32_t col, double wid, double ten) {
    SetAttrCol_(ColorIndexOf(jn), col, wid, ten);
}
void TgraAttribute::SetAttrCol(int32_t jn, uint32_t col, double wid) {
    SetAttrCol_(ColorIndexOf(jn), col, wid);
}
void TgraAttribute::SetAttrCol(int32_t jn, uint32_t col) {
    SetAttrCol_(ColorIndexOf(jn), col);
}
void TgraAttribute::SetAttrCol(int32_t jn, double wid, double ten) {
    SetAttrCol_(ColorIndexOf(jn), wid, ten);
}
void TgraAttribute::SetAttrCol(int32_t jn, double wid) {
    SetAttrCol_(ColorIndexOf(jn), wid);
}

void TgraAttribute::SetAttrCol_(int32_t n, uint32_t col, double wid, double ten) {
    if (TjwvColor* pen = EntryAt(jwvCol, jwvColN, n)) *pen = TjwvColor{col, wid, ten};
}

void TgraAttribute::SetAttrCol_(int32_t n, uint32_t col, double wid) {
    if (TjwvColor* pen = EntryAt(jwvCol, jwvColN, n)) {
        pen->color = col;
        pen->width = wid;
    }
}

void TgraAttribute::SetAttrCol_(int32_t n, uint32_t col) {
    if (TjwvColor* pen = EntryAt(jwvCol, jwvColN, n)) pen->color = col;
}

void TgraAttribute::SetAttrCol_(int32_t n, double wid, double ten) {
    if (TjwvColor* pen = EntryAt(jwvCol, jwvColN, n)) {
        pen->width = wid;
        pen->ten_r = ten;
    }
}

void TgraAttribute::SetAttrCol_(int32_t n, double wid) {
    if (TjwvColor* pen = EntryAt(jwvCol, jwvColN, n)) pen->width = wid;
}

uint32_t TgraAttribute::GetAttrColcol(int32_t jn) const {
    return GetAttrColcol_(ColorIndexOf(jn));
}

uint32_t TgraAttribute::GetAttrColcol_(int32_t n) const {
    const TjwvColor* pen = EntryAt(jwvCol, jwvColN, n);
    if (!pen) return BackColor;
    if (!PrintMode) return pen->color;
    return ThresholdColor(pen->color, Sikii0, n <= kLastBasicPen ? Sikii1 : Sikii2);
}

double TgraAttribute::GetAttrColwid(int32_t jn) const {
    return GetAttrColwid_(ColorIndexOf(jn));
}

double TgraAttribute::GetAttrColwid_(int32_t n) const {
    const TjwvColor* pen = EntryAt(jwvCol, jwvColN, n);
    return pen ? pen->width : 0.0;
}

double TgraAttribute::GetAttrColten(int32_t jn) const {
    return GetAttrColten_(ColorIndexOf(jn));
}

double TgraAttribute::GetAttrColten_(int32_t n) const {
    const TjwvColor* pen = EntryAt(jwvCol, jwvColN, n);
    return pen ? pen->ten_r : 0.1;
}

void TgraAttribute::SetAttrTypseg(int32_t jn, int32_t sn) {
    SetAttrTypseg_(LtypeIndexOf(jn), sn);
}

void TgraAttribute::SetAttrTypseg_(int32_t n, int32_t sn) {
    if (TjwvLtype* typ = EntryAt(jwvTyp, jwvTypN, n)) typ->seg = ClampSeg(sn);
}

void TgraAttribute::SetAttrTypamp(int32_t jn, double am) {
    SetAttrTypamp_(LtypeIndexOf(jn), am);
}

void TgraAttribute::SetAttrTypamp_(int32_t n, double am) {
    if (TjwvLtype* typ = EntryAt(jwvTyp, jwvTypN, n)) typ->amp = am;
}

void TgraAttribute::SetAttrTyppat(int32_t jn, std::span<const double> pat) {
    SetAttrTyppat_(LtypeIndexOf(jn), pat);
}

void TgraAttribute::SetAttrTyppat_(int32_t n, std::span<const double> pat) {
    TjwvLtype* typ = EntryAt(jwvTyp, jwvTypN, n);
    if (!typ) return;
    typ->pa.fill(0.0);
    const size_t count = std::min(static_cast<size_t>(typ->seg), pat.size());
    std::copy_n(pat.begin(), count, typ->pa.begin());
}

void TgraAttribute::SetAttrTyppa1(int32_t jn, int32_t pn, double pa) {
    SetAttrTyppa1_(LtypeIndexOf(jn), pn, pa);
}

void TgraAttribute::SetAttrTyppa1_(int32_t n, int32_t pn, double pa) {
    TjwvLtype* typ = EntryAt(jwvTyp, jwvTypN, n);
    if (typ && pn >= 0 && pn < typ->seg) typ->pa[pn] = pa;
}

void TgraAttribute::SetAttrTypPit(int32_t jn) {
    SetAttrTypPit_(LtypeIndexOf(jn));
}

void TgraAttribute::SetAttrTypPit_(int32_t n) {
    TjwvLtype* typ = EntryAt(jwvTyp, jwvTypN, n);
    if (!typ) return;
    double pit = 0.0;
    for (int32_t i = 0; i < typ->seg; ++i)
        pit += std::fabs(typ->pa[i]);
    typ->pit = pit;
}

int32_t TgraAttribute::GetAttrTypseg(int32_t jn) const {
    return GetAttrTypseg_(LtypeIndexOf(jn));
}

int32_t TgraAttribute::GetAttrTypseg_(int32_t n) const {
    const TjwvLtype* typ = EntryAt(jwvTyp, jwvTypN, n);
    return typ ? typ->seg : 0;
}

double TgraAttribute::GetAttrTypamp(int32_t jn) const {
    return GetAttrTypamp_(LtypeIndexOf(jn));
}

double TgraAttribute::GetAttrTypamp_(int32_t n) const {
    const TjwvLtype* typ = EntryAt(jwvTyp, jwvTypN, n);
    return typ ? typ->amp : 0.0;
}

int32_t TgraAttribute::GetAttrTyppat(int32_t jn, std::span<double> pat) const {
    return GetAttrTyppat_(LtypeIndexOf(jn), pat);
}

int32_t TgraAttribute::GetAttrTyppat_(int32_t n, std::span<double> pat) const {
    const TjwvLtype* typ = EntryAt(jwvTyp, jwvTypN, n);
    if (!typ) return 0;
    const size_t count = std::min(static_cast<size_t>(typ->seg), pat.size());
    std::copy_n(typ->pa.begin(), count, pat.begin());
    return static_cast<int32_t>(count);
}

double TgraAttribute::GetAttrTyppa1(int32_t jn, int32_t pn) const {
    return GetAttrTyppa1_(LtypeIndexOf(jn), pn);
}

double TgraAttribute::GetAttrTyppa1_(int32_t n, int32_t pn) const {
    const TjwvLtype* typ = EntryAt(jwvTyp, jwvTypN, n);
    return (typ && pn >= 0 && pn < typ->seg) ? typ->pa[pn] : 0.0;
}

double TgraAttribute::GetAttrTyppit(int32_t jn) const {
    return GetAttrTyppit_(LtypeIndexOf(jn));
}

double TgraAttribute::GetAttrTyppit_(int32_t n) const {
    const TjwvLtype* typ = EntryAt(jwvTyp, jwvTypN, n);
    return typ ? typ->pit : 0.0;
}

void TgraAttribute::SetAttrTypScale(double scale) {
    for (int32_t i = 0; i < jwvTypN; ++i) {
        TjwvLtype* typ = EntryAt(jwvTyp, jwvTypN, i);
        if (!typ) continue;
        typ->pit *= scale;
        for (int32_t k = 0; k < typ->seg; ++k)
            typ->pa[k] *= scale;
    }
}

void TgraAttribute::SetAll1Color(bool f, uint32_t c) {
    All1ColorFlag = f;
    All1Color = c;
}

void TgraAttribute::SetAll1Color(bool f) {
    All1ColorFlag = f;
}
bool TgraAttribute::GetAll1ColorState() const {
    return All1ColorFlag;
}
uint32_t TgraAttribute::GetAll1Color() const {
    return All1Color;
}

}  // namespace tw
