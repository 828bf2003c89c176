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

#include <tintwright/document/EntityRecords.h>
#include <tintwright/document/EntityTarget.h>
#include <tintwright/document/JwwUnit.h>

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

template <class Args>
bool AddToDefinition(TJwwData& doc, int32_t bdn, const Args& args) {
    return IsDefinitionIndex(doc, bdn) &&
           AddTo(DefinitionTarget(doc.EntBlockDef[bdn]), [&] { return MakeRecord(doc, args); });
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
        def.att = MakeDefinitionAttr(*this, {cn, lg, ly, co, tp, wd, fl});
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

bool TJwwData::AddBlk(int32_t bdn, const LineArgs& args) {
    return AddToDefinition(*this, bdn, args);
}

bool TJwwData::AddBlk(int32_t bdn, const ArcArgs& args) {
    return AddToDefinition(*this, bdn, args);
}

bool TJwwData::AddBlk(int32_t bdn, const PointArgs& args) {
    return AddToDefinition(*this, bdn, args);
}

bool TJwwData::AddBlk(int32_t bdn, const TextBetweenArgs& args) {
    return AddToDefinition(*this, bdn, args);
}

bool TJwwData::AddBlk(int32_t bdn, const TextAtArgs& args) {
    return AddToDefinition(*this, bdn, args);
}

bool TJwwData::AddBlk(int32_t bdn, const DimensionBetweenArgs& args) {
    return AddToDefinition(*this, bdn, args);
}

bool TJwwData::AddBlk(int32_t bdn, const DimensionAtArgs& args) {
    return AddToDefinition(*this, bdn, args);
}

bool TJwwData::AddBlk(int32_t bdn, const SxfDimensionBetweenArgs& args) {
    return AddToDefinition(*this, bdn, args);
}

bool TJwwData::AddBlk(int32_t bdn, const SxfDimensionAtArgs& args) {
    return AddToDefinition(*this, bdn, args);
}

bool TJwwData::AddBlk(int32_t bdn, const SxfDimensionByGapsArgs& args) {
    return AddToDefinition(*this, bdn, args);
}

bool TJwwData::AddBlk(int32_t bdn, const SolidArgs& args) {
    return AddToDefinition(*this, bdn, args);
}

bool TJwwData::AddBlk(int32_t bdn, const CurvedSolidAArgs& args) {
    return AddToDefinition(*this, bdn, args);
}

bool TJwwData::AddBlk(int32_t bdn, const CurvedSolidCArgs& args) {
    return AddToDefinition(*this, bdn, args);
}

bool TJwwData::AddBlk(int32_t bdn, const CurvedSolidDArgs& args) {
    return AddToDefinition(*this, bdn, args);
}

bool TJwwData::AddBlk(int32_t bdn, const BlockArgs& args) {
    return IsDefinitionIndex(*this, args.bn) && AddToDefinition(*this, bdn, args);
}

}  // namespace tw
