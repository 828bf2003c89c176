// TgraAttribute: the attributes with which a drawing is shown or printed
// (layer states, display colours, widths, point radii, dash patterns). It is
// indexed by the numbers the document records use but holds its own defaults
// and is never filled from a document.
//
// Colours here are ARGB (0xAARRGGBB, see PackAlphaRGB), unlike the document's
// colours, which carry red in the low byte.
//
// Operations by pen colour or line type number (jn) pair with operations by
// entry index (n); the index form ends in "_". Setters ignore a number without
// entry or an index out of range; getters return a fixed fallback for them.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tw {

// One display layer.
struct TjwvLayer {
    int32_t sta = 1;     // 1 normal, 2 drawn grey, 3 drawn in the background colour
    double sca = 1.0;    // always > 0
    std::u16string gna;  // "[" group hex digit "] " group name
    std::u16string nam;  // "(" layer hex digit ") " layer name
};

// One display pen.
struct TjwvColor {
    uint32_t color = 0;  // ARGB
    double width = 0.0;
    double ten_r = 0.0;  // point radius
};

// One display line type.
struct TjwvLtype {
    static constexpr int32_t MaxSeg = 32;

    int32_t seg = 0;                  // 0 to MaxSeg; 0 is a continuous line
    double amp = 0.0;                 // amplitude of a random line, else 0
    std::array<double, MaxSeg> pa{};  // dashes > 0, gaps < 0
    double pit = 0.0;                 // sum of |pa[i]| for i below seg
};

class TgraAttribute {
  public:
    static constexpr int32_t LayerCount = 256;  // group x 16 + layer
    static constexpr int32_t ColorCount = 265;  // pens 1-9, colours 101-356
    static constexpr int32_t LtypeCount = 50;   // types 1-9, 11-19, 31-62

    TgraAttribute();  // Create: full tables, then DataInit
    virtual ~TgraAttribute();

    void DataInit();

    void SetDisplayMode(bool m);
    bool GetDisplayMode() const;
    void SetPrintMode(bool m, int32_t sk0, int32_t sk1, int32_t sk2);
    bool GetPrintMode(int32_t& sk0, int32_t& sk1, int32_t& sk2) const;

    void SetBackColor(int32_t n);  // 0 white, 1 black; pens unchanged
    int32_t GetBackColorNo() const;
    uint32_t GetBackColor() const;
    uint32_t GetForeColor() const;
    void SetGrayColor(uint32_t n);
    uint32_t GetGrayColor() const;
    void SetDispHojo(int32_t n);
    int32_t GetDispHojo() const;
    void SetDispKijun(int32_t n);
    int32_t GetDispKijun() const;

    void SetDefaultLayer();
    void SetDefaultColor();  // for the current background
    void SetDefaultWidth();
    void SetDefaultTenR();
    void SetDefaultLtype();

    // Layers by entry (group x 16 + layer). A state outside 1 to 3 becomes
    // 1, a scale not above 0 becomes 1.0.
    void SetAttrLayer(int32_t n, int32_t st, double sc, const std::u16string& glayname,
                      const std::u16string& layname);
    void SetAttrLayer(int32_t n, int32_t st, double sc);
    void SetAttrLayer(int32_t n, int32_t st);
    bool GetAttrLayer(int32_t n, int32_t& st, double& sc, std::u16string& glayname,
                      std::u16string& layname) const;
    int32_t GetAttrLayerState(int32_t n) const;         // 1 when out of range
    double GetAttrLayerScale(int32_t n) const;          // 1.0 when out of range
    std::u16string GetAttrLayerGName(int32_t n) const;  // empty when out of range
    std::u16string GetAttrLayerName(int32_t n) const;   // empty when out of range

    // Pens.
    void SetAttrCol(int32_t jn, uint32_t col, double wid, double ten);
    void SetAttrCol(int32_t jn, uint32_t col, double wid);
    void SetAttrCol(int32_t jn, uint32_t col);
    void SetAttrCol(int32_t jn, double wid, double ten);
    void SetAttrCol(int32_t jn, double wid);
    void SetAttrCol_(int32_t n, uint32_t col, double wid, double ten);
    void SetAttrCol_(int32_t n, uint32_t col, double wid);
    void SetAttrCol_(int32_t n, uint32_t col);
    void SetAttrCol_(int32_t n, double wid, double ten);
    void SetAttrCol_(int32_t n, double wid);
    uint32_t GetAttrColcol(int32_t jn) const;  // after print thresholds; BackColor without entry
    uint32_t GetAttrColcol_(int32_t n) const;
    double GetAttrColwid(int32_t jn) const;  // 0.0 without entry
    double GetAttrColwid_(int32_t n) const;
    double GetAttrColten(int32_t jn) const;  // 0.1 without entry
    double GetAttrColten_(int32_t n) const;

    // Line types. A segment count is limited to 0..32; a caller's array
    // shorter than the count limits a copy to its length.
    void SetAttrTypseg(int32_t jn, int32_t sn);
    void SetAttrTypseg_(int32_t n, int32_t sn);
    void SetAttrTypamp(int32_t jn, double am);
    void SetAttrTypamp_(int32_t n, double am);
    void SetAttrTyppat(int32_t jn, std::span<const double> pat);
    void SetAttrTyppat_(int32_t n, std::span<const double> pat);
    void SetAttrTyppa1(int32_t jn, int32_t pn, double pa);
    void SetAttrTyppa1_(int32_t n, int32_t pn, double pa);
    void SetAttrTypPit(int32_t jn);
    void SetAttrTypPit_(int32_t n);
    int32_t GetAttrTypseg(int32_t jn) const;  // 0 without entry
    int32_t GetAttrTypseg_(int32_t n) const;
    double GetAttrTypamp(int32_t jn) const;  // 0.0 without entry
    double GetAttrTypamp_(int32_t n) const;
    // Copies the first seg lengths (at most pat.size()) and returns how many
    // were copied; 0 without entry.
    int32_t GetAttrTyppat(int32_t jn, std::span<double> pat) const;
    int32_t GetAttrTyppat_(int32_t n, std::span<double> pat) const;
    double GetAttrTyppa1(int32_t jn, int32_t pn) const;  // 0.0 unless 0 <= pn < seg
    double GetAttrTyppa1_(int32_t n, int32_t pn) const;
    double GetAttrTyppit(int32_t jn) const;  // 0.0 without entry
    double GetAttrTyppit_(int32_t n) const;
    void SetAttrTypScale(double scale);  // lengths and pit, not amp

    void SetAll1Color(bool f, uint32_t c);
    void SetAll1Color(bool f);
    bool GetAll1ColorState() const;
    uint32_t GetAll1Color() const;

  private:
    // Entry of a pen colour or line type number; -1 when it has none.
    static int32_t ColorIndexOf(int32_t jn);
    static int32_t LtypeIndexOf(int32_t jn);

    bool DispMode = false;
    bool PrintMode = false;
    int32_t Sikii0 = -1;  // threshold for all colours; < 0 off
    int32_t Sikii1 = -1;  // for the basic pens 1 to 9
    int32_t Sikii2 = -1;  // for the extended colours 101 to 356
    int32_t BkColor = 0;  // 0 white background, 1 black
    uint32_t BackColor = 0xFFFFFFFF;
    uint32_t ForeColor = 0xFF000000;
    uint32_t GrayColor = 0xFF808080;  // layers in state 2
    bool DispHojo = false;            // auxiliary entities shown
    bool DispKijun = false;
    bool All1ColorFlag = false;
    uint32_t All1Color = 0xFFFFFFFF;
    std::vector<TjwvLayer> jwvLay;
    int32_t jwvLayN = 0;
    std::vector<TjwvColor> jwvCol;
    int32_t jwvColN = 0;
    std::vector<TjwvLtype> jwvTyp;
    int32_t jwvTypN = 0;
};

}  // namespace tw
