// Block-definition building: unique names with their markers, the next
// definition number, new definitions, trimming, and the AddBlk operations,
// which make their members exactly as the AddEnt operations make the
// drawing's entities (document/EntityRecords) and append them to the
// definition (document/EntityTarget).
#include <algorithm>
#include <limits>
#include <new>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "document/EntityRecords.h"
#include "document/EntityTarget.h"
#include "document/JwwUnit.h"

namespace tw {

using namespace build;

namespace {

constexpr std::u16string_view kMarker = u"@@SFIG";
constexpr std::u16string_view kDefaultMarker = u"@@SfigorgFlag@@";

// The marker is found in any case of its ASCII letters. Comparing letter by
// letter keeps its position that of the name itself (upper-casing may change
// a name's length, as "ß" to "SS") and independent of the user's locale.
size_t MarkerPos(std::u16string_view name) {
    const auto upper = [](char16_t c) { return c >= u'a' && c <= u'z' ? char16_t(c - 32) : c; };
    const auto it = std::search(name.begin(), name.end(), kMarker.begin(), kMarker.end(),
                                [&](char16_t a, char16_t b) { return upper(a) == b; });
    return it == name.end() ? std::u16string_view::npos : static_cast<size_t>(it - name.begin());
}

std::u16string Decimal(int64_t n) {
    const std::string digits = std::to_string(n);
    return std::u16string(digits.begin(), digits.end());
}

// Index of the first definition with this bare name, -1 when none has it.
int32_t IndexOfBareName(const TJwwData& doc, std::u16string_view bare) {
    for (int32_t i = 0; IsDefinitionIndex(doc, i); ++i) {
        if (BareName(doc.EntBlockDef[i].strName) == bare) return i;
    }
    return -1;
}

// One more than the largest number in use (0 for the first definition). When
// the largest is the highest number there is, the lowest free one keeps the
// numbers unique rather than wrapping round onto 0.
uint32_t NextBlockNumber(const TJwwData& doc) {
    std::vector<uint32_t> used;
    for (int32_t i = 0; IsDefinitionIndex(doc, i); ++i)
        used.push_back(doc.EntBlockDef[i].nNumber);
    if (used.empty()) return 0;
    const uint32_t largest = *std::max_element(used.begin(), used.end());
    if (largest < std::numeric_limits<uint32_t>::max()) return largest + 1;
    std::sort(used.begin(), used.end());
    uint32_t free = 0;
    for (const uint32_t n : used) {
        if (n != free) break;
        ++free;
    }
    return free;
}

template <class Make>
bool AddToDefinition(TJwwData& doc, int32_t bdn, Make&& make) {
    return IsDefinitionIndex(doc, bdn) && AddTo(DefinitionTarget(doc.EntBlockDef[bdn]), make);
}

}  // namespace

std::u16string_view BareName(std::u16string_view name) {
    return name.substr(0, MarkerPos(name));
}

int32_t TJwwData::GetBlkNo(const std::u16string& ps) const {
    return IndexOfBareName(*this, BareName(ps));
}

int32_t TJwwData::GetBlkNumber(int32_t bdn) const {
    return IsDefinitionIndex(*this, bdn) ? static_cast<int32_t>(EntBlockDef[bdn].nNumber) : -1;
}

std::u16string TJwwData::GetBlkName(const std::u16string& ps) const {
    if (GetBlkNo(ps) < 0) return ps;
    const std::u16string_view bare = BareName(ps);
    const std::u16string_view marker = std::u16string_view(ps).substr(bare.size());
    for (int64_t k = 1;; ++k) {
        std::u16string candidate = std::u16string(bare) + u"~" + Decimal(k);
        if (IndexOfBareName(*this, candidate) < 0) return candidate.append(marker);
    }
}

bool TJwwData::AddBlkDef(int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp, int32_t wd,
                         int32_t fl, int32_t bf, const std::u16string& ps) {
    if (!CanAddTo(EntBlockDefN)) return false;
    try {
        const int32_t flag = bf >= 1 && bf <= 4 ? bf : 4;
        std::u16string name = ps;
        if (MarkerPos(name) == std::u16string_view::npos) {
            name.append(kDefaultMarker).append(Decimal(flag));
        }
        TEntJwwBlockDef def;
        def.att = MakeDefinitionAttr(*this, cn, lg, ly, co, tp, wd, fl);
        def.nNumber = NextBlockNumber(*this);
        def.strName = GetBlkName(name);
        EntBlockDef.resize(static_cast<size_t>(EntBlockDefN) + 1);
        EntBlockDef.back() = std::move(def);
    } catch (const std::bad_alloc&) {
        return false;
    }
    ++EntBlockDefN;
    Enthd.n2 = EntBlockDefN;
    return true;
}

void TJwwData::AddBlkDefPost(int32_t bdn) {
    if (IsDefinitionIndex(*this, bdn)) TrimToCounts(DefinitionTarget(EntBlockDef[bdn]));
}

bool TJwwData::AddBlkLine(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                          int32_t wd, int32_t fl, double px1, double py1, double px2, double py2) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeLine(*this, cn, lg, ly, co, tp, wd, fl, px1, py1, px2, py2);
    });
}

bool TJwwData::AddBlkArc(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                         int32_t wd, int32_t fl, double px, double py, double pr, double ph,
                         double psa, double pda, double pka) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeArc(*this, cn, lg, ly, co, tp, wd, fl, px, py, pr, ph, psa, pda, pka);
    });
}

bool TJwwData::AddBlkTen(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                         int32_t wd, int32_t fl, double px, double py, double pa, double pb) {
    return AddToDefinition(
        *this, bdn, [&] { return MakeTen(*this, cn, lg, ly, co, tp, wd, fl, px, py, pa, pb); });
}

bool TJwwData::AddBlkMoji(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                          int32_t wd, int32_t fl, int32_t ms, double px1, double py1, double px2,
                          double py2, double pw, double ph, double pd, double pa,
                          const std::u16string& pf, const std::u16string& ps) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeMoji(*this, cn, lg, ly, co, tp, wd, fl, ms, px1, py1, px2, py2, pw, ph, pd, pa,
                        pf, ps);
    });
}

bool TJwwData::AddBlkMoji(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                          int32_t wd, int32_t fl, int32_t ms, double px, double py, double pw,
                          double ph, double pd, double pa, const std::u16string& pf,
                          const std::u16string& ps) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeMoji(*this, cn, lg, ly, co, tp, wd, fl, ms, px, py, pw, ph, pd, pa, pf, ps);
    });
}

bool TJwwData::AddBlkSunpo(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                           int32_t wd, int32_t fl, double px1, double py1, double px2, double py2,
                           int32_t co2, int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms,
                           double px3, double py3, double px4, double py4, double pw, double ph,
                           double pd, double pa, const std::u16string& pf,
                           const std::u16string& ps) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeSunpo(*this, cn, lg, ly, co, tp, wd, fl, px1, py1, px2, py2, co2, tp2, wd2, fl2,
                         ms, px3, py3, px4, py4, pw, ph, pd, pa, pf, ps);
    });
}

bool TJwwData::AddBlkSunpo(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                           int32_t wd, int32_t fl, double px1, double py1, double px2, double py2,
                           int32_t co2, int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms,
                           double px, double py, double pw, double ph, double pd, double pa,
                           const std::u16string& pf, const std::u16string& ps) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeSunpo(*this, cn, lg, ly, co, tp, wd, fl, px1, py1, px2, py2, co2, tp2, wd2, fl2,
                         ms, px, py, pw, ph, pd, pa, pf, ps);
    });
}

bool TJwwData::AddBlkSunpo(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                           int32_t wd, int32_t fl, double px1, double py1, double px2, double py2,
                           int32_t co2, int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms,
                           double px3, double py3, double px4, double py4, double pw, double ph,
                           double pd, double pa, const std::u16string& pf, const std::u16string& ps,
                           int32_t ex3, int32_t co3, int32_t tp3, int32_t wd3, int32_t fl3,
                           double px5, double py5, double px6, double py6, int32_t ex4, int32_t co4,
                           int32_t tp4, int32_t wd4, int32_t fl4, double px7, double py7,
                           double px8, double py8, int32_t ex5, int32_t co5, int32_t tp5,
                           int32_t wd5, int32_t fl5, double pb5, int32_t ex6, int32_t co6,
                           int32_t tp6, int32_t wd6, int32_t fl6, double pb6, int32_t ex7,
                           int32_t co7, int32_t tp7, int32_t wd7, int32_t fl7, double px9,
                           double py9, double pb7, int32_t ex8, int32_t co8, int32_t tp8,
                           int32_t wd8, int32_t fl8, double px10, double py10, double pb8) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeSunpo(*this, cn, lg, ly, co, tp, wd, fl, px1, py1, px2, py2, co2, tp2, wd2, fl2,
                         ms, px3, py3, px4, py4, pw, ph, pd, pa, pf, ps, ex3, co3, tp3, wd3, fl3,
                         px5, py5, px6, py6, ex4, co4, tp4, wd4, fl4, px7, py7, px8, py8, ex5, co5,
                         tp5, wd5, fl5, pb5, ex6, co6, tp6, wd6, fl6, pb6, ex7, co7, tp7, wd7, fl7,
                         px9, py9, pb7, ex8, co8, tp8, wd8, fl8, px10, py10, pb8);
    });
}

bool TJwwData::AddBlkSunpo(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                           int32_t wd, int32_t fl, double px1, double py1, double px2, double py2,
                           int32_t co2, int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms,
                           double px, double py, double pw, double ph, double pd, double pa,
                           const std::u16string& pf, const std::u16string& ps, int32_t ex3,
                           int32_t co3, int32_t tp3, int32_t wd3, int32_t fl3, double px5,
                           double py5, double px6, double py6, int32_t ex4, int32_t co4,
                           int32_t tp4, int32_t wd4, int32_t fl4, double px7, double py7,
                           double px8, double py8, int32_t ex5, int32_t co5, int32_t tp5,
                           int32_t wd5, int32_t fl5, double pb5, int32_t ex6, int32_t co6,
                           int32_t tp6, int32_t wd6, int32_t fl6, double pb6, int32_t ex7,
                           int32_t co7, int32_t tp7, int32_t wd7, int32_t fl7, double px9,
                           double py9, double pb7, int32_t ex8, int32_t co8, int32_t tp8,
                           int32_t wd8, int32_t fl8, double px10, double py10, double pb8) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeSunpo(*this, cn, lg, ly, co, tp, wd, fl, px1, py1, px2, py2, co2, tp2, wd2, fl2,
                         ms, px, py, pw, ph, pd, pa, pf, ps, ex3, co3, tp3, wd3, fl3, px5, py5, px6,
                         py6, ex4, co4, tp4, wd4, fl4, px7, py7, px8, py8, ex5, co5, tp5, wd5, fl5,
                         pb5, ex6, co6, tp6, wd6, fl6, pb6, ex7, co7, tp7, wd7, fl7, px9, py9, pb7,
                         ex8, co8, tp8, wd8, fl8, px10, py10, pb8);
    });
}

bool TJwwData::AddBlkSunpo(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                           int32_t wd, int32_t fl, double px1, double py1, double px2, double py2,
                           int32_t co2, int32_t tp2, int32_t wd2, int32_t fl2, int32_t ms,
                           double px, double py, double pw, double ph, double pd, double pa,
                           const std::u16string& pf, const std::u16string& ps, double d1, double d2,
                           int32_t ex3, int32_t co3, int32_t tp3, int32_t wd3, int32_t fl3,
                           int32_t ex4, int32_t co4, int32_t tp4, int32_t wd4, int32_t fl4,
                           int32_t ex5, int32_t co5, int32_t tp5, int32_t wd5, int32_t fl5,
                           double pb5, int32_t ex6, int32_t co6, int32_t tp6, int32_t wd6,
                           int32_t fl6, double pb6, int32_t ex7, int32_t co7, int32_t tp7,
                           int32_t wd7, int32_t fl7, double px9, double py9, double pb7,
                           int32_t ex8, int32_t co8, int32_t tp8, int32_t wd8, int32_t fl8,
                           double px10, double py10, double pb8) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeSunpo(*this, cn, lg, ly, co, tp, wd, fl, px1, py1, px2, py2, co2, tp2, wd2, fl2,
                         ms, px, py, pw, ph, pd, pa, pf, ps, d1, d2, ex3, co3, tp3, wd3, fl3, ex4,
                         co4, tp4, wd4, fl4, ex5, co5, tp5, wd5, fl5, pb5, ex6, co6, tp6, wd6, fl6,
                         pb6, ex7, co7, tp7, wd7, fl7, px9, py9, pb7, ex8, co8, tp8, wd8, fl8, px10,
                         py10, pb8);
    });
}

bool TJwwData::AddBlkSolid(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                           int32_t wd, int32_t fl, int32_t fc, double px1, double py1, double px2,
                           double py2, double px3, double py3, double px4, double py4) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeSolid(*this, cn, lg, ly, co, tp, wd, fl, fc, px1, py1, px2, py2, px3, py3, px4,
                         py4);
    });
}

bool TJwwData::AddBlkSolid(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                           int32_t wd, int32_t fl, int32_t fc, double px1, double py1, double px2,
                           double py2) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeSolid(*this, cn, lg, ly, co, tp, wd, fl, fc, px1, py1, px2, py2);
    });
}

bool TJwwData::AddBlkSolid(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                           int32_t wd, int32_t fl, int32_t fc, double px1, double py1, double px2,
                           double py2, double px3, double py3) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeSolid(*this, cn, lg, ly, co, tp, wd, fl, fc, px1, py1, px2, py2, px3, py3);
    });
}

bool TJwwData::AddBlkSolidA(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t wd,
                            int32_t fl, int32_t fc, double px, double py, double pr, double ph,
                            double pka) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeSolidA(*this, cn, lg, ly, co, wd, fl, fc, px, py, pr, ph, pka);
    });
}

bool TJwwData::AddBlkSolidA(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t wd,
                            int32_t fl, int32_t fc, double px, double py, double pr, double ph,
                            double pka, double psa, double pda) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeSolidA(*this, cn, lg, ly, co, wd, fl, fc, px, py, pr, ph, pka, psa, pda);
    });
}

bool TJwwData::AddBlkSolidC(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                            int32_t wd, int32_t fl, int32_t fc, double px, double py, double pr,
                            double ph, double pka, double psa, double pda) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeSolidC(*this, cn, lg, ly, co, tp, wd, fl, fc, px, py, pr, ph, pka, psa, pda);
    });
}

bool TJwwData::AddBlkSolidD(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                            int32_t wd, int32_t fl, int32_t fc, double px, double py, double pr,
                            double pri, double ph, double pka, double psa, double pda) {
    return AddToDefinition(*this, bdn, [&] {
        return MakeSolidD(*this, cn, lg, ly, co, tp, wd, fl, fc, px, py, pr, pri, ph, pka, psa,
                          pda);
    });
}

bool TJwwData::AddBlkBlock(int32_t bdn, int32_t cn, int32_t lg, int32_t ly, int32_t co, int32_t tp,
                           int32_t wd, int32_t fl, int32_t bn, double px, double py, double pbx,
                           double pby, double pa) {
    return IsDefinitionIndex(*this, bn) && AddToDefinition(*this, bdn, [&] {
               return MakeBlock(*this, cn, lg, ly, co, tp, wd, fl, bn, px, py, pbx, pby, pa);
           });
}

}  // namespace tw
