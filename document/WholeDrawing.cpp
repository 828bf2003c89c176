// Operations on the drawing as a whole: paper size, font names, moving and
// scaling every entity, and handing the layer settings to an attribute set.
// The bound-image file operations are in BindImageFiles.cpp.
#include <algorithm>
#include <cmath>

#include <tintwright/attributes/UnitGraAtt.h>
#include <tintwright/document/Counted.h>
#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/EntityView.h>
#include <tintwright/document/JwwUnit.h>

namespace tw {

namespace {

// Every point and every length that follows the drawing's scale in one
// record: point(x, y) changes a point, length(v) a length or scale factor.
template <class PointFn, class LengthFn>
struct GeometryOf {
    PointFn point;
    LengthFn length;

    void operator()(TEntJwwLine& e) const {
        point(e.start_x, e.start_y);
        point(e.end_x, e.end_y);
    }
    void operator()(TEntJwwEnko& e) const {
        point(e.start_x, e.start_y);
        length(e.dHankei);
    }
    void operator()(TEntJwwTen& e) const {
        point(e.start_x, e.start_y);
        length(e.dBairitsu);
    }
    void operator()(TEntJwwMoji& e) const {
        point(e.start_x, e.start_y);
        point(e.end_x, e.end_y);
    }
    void operator()(TEntJwwSunpo& e) const {
        (*this)(e.Sen);
        (*this)(e.Moji);
        if (e.bSxfMode == 0) return;
        (*this)(e.Ho1);
        (*this)(e.Ho2);
        for (TEntJwwTen* part : {&e.Te1, &e.Te2, &e.Kt1, &e.Kt2})
            (*this)(*part);
    }
    void operator()(TEntJwwSolid& e) const {
        point(e.start_x, e.start_y);
        if (rules::IsCurvedSolid(e)) {
            length(e.end_x);  // a curved solid's radius
            return;
        }
        point(e.end_x, e.end_y);
        point(e.DPoint2_x, e.DPoint2_y);
        point(e.DPoint3_x, e.DPoint3_y);
    }
    void operator()(TEntJwwBlock& e) const {
        point(e.DPKijunTen_x, e.DPKijunTen_y);
        length(e.dBairitsuX);
        length(e.dBairitsuY);
    }
};

// Walks the geometry of the drawing's own entities (block definitions are
// not touched).
template <class PointFn, class LengthFn>
void VisitGeometry(TJwwData& doc, PointFn point, LengthFn length) {
    ForEachRecord(MutableEntityView::Of(doc), GeometryOf<PointFn, LengthFn>{point, length});
}

// At most three leading "@" (vertical writing) are not part of a font name.
std::u16string WithoutVerticalMarks(const std::u16string& name) {
    size_t start = 0;
    while (start < 3 && start < name.size() && name[start] == u'@')
        ++start;
    return name.substr(start);
}

// The layer scale handed on for a group scale s: its reciprocal, or 1.0
// when there is none (s is 0, or so small that the reciprocal overflows).
double ReciprocalScale(double s) {
    if (s == 0) return 1.0;
    const double r = 1.0 / s;
    return std::isfinite(r) ? r : 1.0;
}

int32_t LayerState(const TEntJwwLayerGroup& group, const TEntJwwLayer& layer) {
    if (group.anGLay == 0 || layer.aanLay == 0) return 3;
    if (group.anGLay == 1 || layer.aanLay == 1) return 2;
    return 1;
}

}  // namespace

void TJwwData::GetPaperSize(double& px, double& py) const {
    struct Paper {
        int32_t code;
        double width, height;
    };
    static constexpr Paper kPapers[] = {
        {1, 841, 594},     {2, 594, 420},      {3, 420, 297},       {4, 297, 210},
        {8, 1682, 1189},   {9, 2378, 1682},    {10, 3364, 2378},    {11, 4756, 3364},
        {12, 10000, 7073}, {13, 50000, 35366}, {14, 100000, 70732},
    };
    const auto* paper = std::find_if(std::begin(kPapers), std::end(kPapers),
                                     [&](const Paper& p) { return p.code == Enthd.nZumen; });
    px = paper != std::end(kPapers) ? paper->width : 1189;  // A0 for any other code
    py = paper != std::end(kPapers) ? paper->height : 841;
}

// Names are compared without their leading "@" on both sides, so that a
// vertical and an upright use of one font give one entry whichever comes
// first.
int32_t TJwwData::GetFontNamesIndex(const std::u16string& s) const {
    const std::u16string wanted = WithoutVerticalMarks(s);
    const auto names = Counted(FontNames, FontNameN);
    for (size_t i = 0; i < names.size(); ++i) {
        if (WithoutVerticalMarks(names[i]) == wanted) return static_cast<int32_t>(i);
    }
    return -1;
}

void TJwwData::GetFontNames() {
    FontNames.clear();
    FontNameN = 0;
    auto offer = [&](const std::u16string& name) {
        if (GetFontNamesIndex(name) >= 0) return;
        FontNames.push_back(name);
        ++FontNameN;
    };
    const auto offerAll = [&](const EntityView& view) {
        for (const TEntJwwMoji& e : view.All<TEntJwwMoji>())
            offer(e.strFontName);
        for (const TEntJwwSunpo& e : view.All<TEntJwwSunpo>())
            offer(e.Moji.strFontName);
    };
    offerAll(EntityView::Of(*this));
    ForEachDefinition(*this, [&](const TEntJwwBlockDef& def) { offerAll(EntityView::Of(def)); });
}

void TJwwData::MoveEntALL(double dx, double dy) {
    VisitGeometry(
        *this,
        [&](double& x, double& y) {
            x += dx;
            y += dy;
        },
        [](double&) {});
}

void TJwwData::ScaleEntALL(double cx, double cy, double sc) {
    VisitGeometry(
        *this,
        [&](double& x, double& y) {
            x = cx + sc * (x - cx);
            y = cy + sc * (y - cy);
        },
        [&](double& v) { v *= sc; });
}

void TJwwData::SetGAttLayer(TgraAttribute& GraAtt) const {
    GraAtt.SetDefaultLayer();
    const size_t count = std::min<size_t>(EntLay.size(), TgraAttribute::LayerCount);
    for (size_t i = 0; i < count && i / 16 < EntLgrp.size(); ++i) {
        const TEntJwwLayerGroup& group = EntLgrp[i / 16];
        const TEntJwwLayer& layer = EntLay[i];
        GraAtt.SetAttrLayer(static_cast<int32_t>(i), LayerState(group, layer),
                            ReciprocalScale(group.adScale), group.aStrGLayName, layer.aStrLayName);
    }
}

}  // namespace tw
