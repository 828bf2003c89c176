// Entity building: the AddEnt operations add one entity each to the drawing,
// AddEntPre and AddEntPost bracket a batch. The records are made by
// document/EntityRecords and appended through document/EntityTarget, which
// block definitions share.
#include "document/EntityRecords.h"
#include "document/EntityTarget.h"
#include "document/JwwUnit.h"

namespace tw {

using namespace build;

bool TJwwData::AddEntPre() {
    bool ok = ReserveStep(DrawingTarget(*this));
    for (int32_t i = 0; IsDefinitionIndex(*this, i); ++i) {
        ok = ReserveStep(DefinitionTarget(EntBlockDef[i])) && ok;
    }
    return ok;
}

bool TJwwData::AddEntPost() {
    bool ok = TrimToCounts(DrawingTarget(*this));
    for (int32_t i = 0; IsDefinitionIndex(*this, i); ++i) {
        ok = TrimToCounts(DefinitionTarget(EntBlockDef[i])) && ok;
    }
    MakeBlockTree();
    return ok;
}

bool TJwwData::AddEntLine(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                          int32_t fl, double px1, double py1, double px2, double py2) {
    return AddTo(DrawingTarget(*this),
                 [&] { return MakeLine(*this, cn, lg, ly, co, tp, wd, fl, px1, py1, px2, py2); });
}

bool TJwwData::AddEntArc(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                         int32_t fl, double px, double py, double pr, double ph, double psa,
                         double pda, double pka) {
    return AddTo(DrawingTarget(*this), [&] {
        return MakeArc(*this, cn, lg, ly, co, tp, wd, fl, px, py, pr, ph, psa, pda, pka);
    });
}

bool TJwwData::AddEntTen(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                         int32_t fl, double px, double py, double pa, double pb) {
    return AddTo(DrawingTarget(*this),
                 [&] { return MakeTen(*this, cn, lg, ly, co, tp, wd, fl, px, py, pa, pb); });
}

bool TJwwData::AddEntMoji(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                          int32_t fl, int32_t ms, double px1, double py1, double px2, double py2,
                          double pw, double ph, double pd, double pa, const std::u16string& pf,
                          const std::u16string& ps) {
    return AddTo(DrawingTarget(*this), [&] {
        return MakeMoji(*this, cn, lg, ly, co, tp, wd, fl, ms, px1, py1, px2, py2, pw, ph, pd, pa,
                        pf, ps);
    });
}

bool TJwwData::AddEntMoji(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                          int32_t fl, int32_t ms, double px, double py, double pw, double ph,
                          double pd, double pa, const std::u16string& pf,
                          const std::u16string& ps) {
    return AddTo(DrawingTarget(*this), [&] {
        return MakeMoji(*this, cn, lg, ly, co, tp, wd, fl, ms, px, py, pw, ph, pd, pa, pf, ps);
    });
}

bool TJwwData::AddEntSunpo(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                           int32_t fl, double px1, double py1, double px2, double py2, int32_t co2,
                           int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms, double px3,
                           double py3, double px4, double py4, double pw, double ph, double pd,
                           double pa, const std::u16string& pf, const std::u16string& ps) {
    return AddTo(DrawingTarget(*this), [&] {
        return MakeSunpo(*this, cn, lg, ly, co, tp, wd, fl, px1, py1, px2, py2, co2, tp2, wd2, fl2,
                         ms, px3, py3, px4, py4, pw, ph, pd, pa, pf, ps);
    });
}

bool TJwwData::AddEntSunpo(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                           int32_t fl, double px1, double py1, double px2, double py2, int32_t co2,
                           int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms, double px, double py,
                           double pw, double ph, double pd, double pa, const std::u16string& pf,
                           const std::u16string& ps) {
    return AddTo(DrawingTarget(*this), [&] {
        return MakeSunpo(*this, cn, lg, ly, co, tp, wd, fl, px1, py1, px2, py2, co2, tp2, wd2, fl2,
                         ms, px, py, pw, ph, pd, pa, pf, ps);
    });
}

bool TJwwData::AddEntSunpo(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                           int32_t fl, double px1, double py1, double px2, double py2, int32_t co2,
                           int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms, double px3,
                           double py3, double px4, double py4, double pw, double ph, double pd,
                           double pa, const std::u16string& pf, const std::u16string& ps,
                           int32_t ex3, int32_t co3, int32_t tp3, int32_t wd3, int32_t fl3,
                           double px5, double py5, double px6, double py6, int32_t ex4, int32_t co4,
                           int32_t tp4, int32_t wd4, int32_t fl4, double px7, double py7,
                           double px8, double py8, int32_t ex5, int32_t co5, int32_t tp5,
                           int32_t wd5, int32_t fl5, double pb5, int32_t ex6, int32_t co6,
                           int32_t tp6, int32_t wd6, int32_t fl6, double pb6, int32_t ex7,
                           int32_t co7, int32_t tp7, int32_t wd7, int32_t fl7, double px9,
                           double py9, double pb7, int32_t ex8, int32_t co8, int32_t tp8,
                           int32_t wd8, int32_t fl8, double px10, double py10, double pb8) {
    return AddTo(DrawingTarget(*this), [&] {
        return MakeSunpo(*this, cn, lg, ly, co, tp, wd, fl, px1, py1, px2, py2, co2, tp2, wd2, fl2,
                         ms, px3, py3, px4, py4, pw, ph, pd, pa, pf, ps, ex3, co3, tp3, wd3, fl3,
                         px5, py5, px6, py6, ex4, co4, tp4, wd4, fl4, px7, py7, px8, py8, ex5, co5,
                         tp5, wd5, fl5, pb5, ex6, co6, tp6, wd6, fl6, pb6, ex7, co7, tp7, wd7, fl7,
                         px9, py9, pb7, ex8, co8, tp8, wd8, fl8, px10, py10, pb8);
    });
}

bool TJwwData::AddEntSunpo(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                           int32_t fl, double px1, double py1, double px2, double py2, int32_t co2,
                           int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms, double px, double py,
                           double pw, double ph, double pd, double pa, const std::u16string& pf,
                           const std::u16string& ps, int32_t ex3, int32_t co3, int32_t tp3,
                           int32_t wd3, int32_t fl3, double px5, double py5, double px6, double py6,
                           int32_t ex4, int32_t co4, int32_t tp4, int32_t wd4, int32_t fl4,
                           double px7, double py7, double px8, double py8, int32_t ex5, int32_t co5,
                           int32_t tp5, int32_t wd5, int32_t fl5, double pb5, int32_t ex6,
                           int32_t co6, int32_t tp6, int32_t wd6, int32_t fl6, double pb6,
                           int32_t ex7, int32_t co7, int32_t tp7, int32_t wd7, int32_t fl7,
                           double px9, double py9, double pb7, int32_t ex8, int32_t co8,
                           int32_t tp8, int32_t wd8, int32_t fl8, double px10, double py10,
                           double pb8) {
    return AddTo(DrawingTarget(*this), [&] {
        return MakeSunpo(*this, cn, lg, ly, co, tp, wd, fl, px1, py1, px2, py2, co2, tp2, wd2, fl2,
                         ms, px, py, pw, ph, pd, pa, pf, ps, ex3, co3, tp3, wd3, fl3, px5, py5, px6,
                         py6, ex4, co4, tp4, wd4, fl4, px7, py7, px8, py8, ex5, co5, tp5, wd5, fl5,
                         pb5, ex6, co6, tp6, wd6, fl6, pb6, ex7, co7, tp7, wd7, fl7, px9, py9, pb7,
                         ex8, co8, tp8, wd8, fl8, px10, py10, pb8);
    });
}

bool TJwwData::AddEntSunpo(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                           int32_t fl, double px1, double py1, double px2, double py2, int32_t co2,
                           int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms, double px, double py,
                           double pw, double ph, double pd, double pa, const std::u16string& pf,
                           const std::u16string& ps, double d1, double d2, int32_t ex3, int32_t co3,
                           int32_t tp3, int32_t wd3, int32_t fl3, int32_t ex4, int32_t co4,
                           int32_t tp4, int32_t wd4, int32_t fl4, int32_t ex5, int32_t co5,
                           int32_t tp5, int32_t wd5, int32_t fl5, double pb5, int32_t ex6,
                           int32_t co6, int32_t tp6, int32_t wd6, int32_t fl6, double pb6,
                           int32_t ex7, int32_t co7, int32_t tp7, int32_t wd7, int32_t fl7,
                           double px9, double py9, double pb7, int32_t ex8, int32_t co8,
                           int32_t tp8, int32_t wd8, int32_t fl8, double px10, double py10,
                           double pb8) {
    return AddTo(DrawingTarget(*this), [&] {
        return MakeSunpo(*this, cn, lg, ly, co, tp, wd, fl, px1, py1, px2, py2, co2, tp2, wd2, fl2,
                         ms, px, py, pw, ph, pd, pa, pf, ps, d1, d2, ex3, co3, tp3, wd3, fl3, ex4,
                         co4, tp4, wd4, fl4, ex5, co5, tp5, wd5, fl5, pb5, ex6, co6, tp6, wd6, fl6,
                         pb6, ex7, co7, tp7, wd7, fl7, px9, py9, pb7, ex8, co8, tp8, wd8, fl8, px10,
                         py10, pb8);
    });
}

bool TJwwData::AddEntSolid(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                           int32_t fl, int32_t fc, double px1, double py1, double px2, double py2,
                           double px3, double py3, double px4, double py4) {
    return AddTo(DrawingTarget(*this), [&] {
        return MakeSolid(*this, cn, lg, ly, co, tp, wd, fl, fc, px1, py1, px2, py2, px3, py3, px4,
                         py4);
    });
}

bool TJwwData::AddEntSolid(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                           int32_t fl, int32_t fc, double px1, double py1, double px2, double py2) {
    return AddTo(DrawingTarget(*this), [&] {
        return MakeSolid(*this, cn, lg, ly, co, tp, wd, fl, fc, px1, py1, px2, py2);
    });
}

bool TJwwData::AddEntSolid(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                           int32_t fl, int32_t fc, double px1, double py1, double px2, double py2,
                           double px3, double py3) {
    return AddTo(DrawingTarget(*this), [&] {
        return MakeSolid(*this, cn, lg, ly, co, tp, wd, fl, fc, px1, py1, px2, py2, px3, py3);
    });
}

bool TJwwData::AddEntSolidA(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t wd, int32_t fl,
                            int32_t fc, double px, double py, double pr, double ph, double pka) {
    return AddTo(DrawingTarget(*this), [&] {
        return MakeSolidA(*this, cn, lg, ly, co, wd, fl, fc, px, py, pr, ph, pka);
    });
}

bool TJwwData::AddEntSolidA(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t wd, int32_t fl,
                            int32_t fc, double px, double py, double pr, double ph, double pka,
                            double psa, double pda) {
    return AddTo(DrawingTarget(*this), [&] {
        return MakeSolidA(*this, cn, lg, ly, co, wd, fl, fc, px, py, pr, ph, pka, psa, pda);
    });
}

bool TJwwData::AddEntSolidC(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                            int32_t fl, int32_t fc, double px, double py, double pr, double ph,
                            double pka, double psa, double pda) {
    return AddTo(DrawingTarget(*this), [&] {
        return MakeSolidC(*this, cn, lg, ly, co, tp, wd, fl, fc, px, py, pr, ph, pka, psa, pda);
    });
}

bool TJwwData::AddEntSolidD(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                            int32_t fl, int32_t fc, double px, double py, double pr, double pri,
                            double ph, double pka, double psa, double pda) {
    return AddTo(DrawingTarget(*this), [&] {
        return MakeSolidD(*this, cn, lg, ly, co, tp, wd, fl, fc, px, py, pr, pri, ph, pka, psa,
                          pda);
    });
}

bool TJwwData::AddEntBlock(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                           int32_t fl, int32_t bn, double px, double py, double pbx, double pby,
                           double pa) {
    return IsDefinitionIndex(*this, bn) && AddTo(DrawingTarget(*this), [&] {
               return MakeBlock(*this, cn, lg, ly, co, tp, wd, fl, bn, px, py, pbx, pby, pa);
           });
}

}  // namespace tw
