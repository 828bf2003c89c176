#include <tintwright/dxf/LineTypes.h>

#include <algorithm>
#include <map>

namespace tw::dxf {

namespace {

// A family's names in LibreCAD from the smaller variant ("2") through the
// plain one to the larger ("X2"), then its other names; its "TINY" variants
// draw too fine to see.
using Family = std::vector<const char*>;
const Family kDots{"DOT2", "DOT", "DOTX2", "ACAD_ISO07W100"};
const Family kDashes{"DASHED2", "DASHED",   "DASHEDX2",       "HIDDEN2",
                     "HIDDEN",  "HIDDENX2", "ACAD_ISO02W100", "ACAD_ISO03W100"};
const Family kDashDots{"DASHDOT2", "DASHDOT",  "DASHDOTX2",      "CENTER2",
                       "CENTER",   "CENTERX2", "ACAD_ISO10W100", "ACAD_ISO04W100"};
const Family kDashDotDots{"DIVIDE2", "DIVIDE", "DIVIDEX2", "ACAD_ISO12W100", "ACAD_ISO05W100"};
const Family kDashDashDots{"BORDER2", "BORDER", "BORDERX2"};

// A dash at most half as long as another reads as a dot beside it.
bool Shorter(double dot, double dash) {
    return 2 * dot <= dash;
}

// The family of a printed pattern (dash, gap, dash, gap, ...), by its
// dashes; none for other patterns.
const Family* FamilyOf(const std::vector<double>& runs) {
    std::vector<double> dashes;
    for (size_t i = 0; i < runs.size(); i += 2)
        dashes.push_back(runs[i]);
    std::sort(dashes.begin(), dashes.end());
    switch (dashes.size()) {
        case 1:
            return runs.size() > 1 && Shorter(dashes[0], runs[1]) ? &kDots : &kDashes;
        case 2:
            return Shorter(dashes[0], dashes[1]) ? &kDashDots : &kDashes;
        case 3:
            if (Shorter(dashes[1], dashes[2])) return &kDashDotDots;
            if (Shorter(dashes[0], dashes[1])) return &kDashDashDots;
            return &kDashes;
        default:
            return nullptr;
    }
}

double Period(const std::vector<double>& runs) {
    double period = 0;
    for (const double run : runs)
        period += run;
    return period;
}

}  // namespace

std::vector<int32_t> PatternedLineTypes() {
    std::vector<int32_t> styles;
    for (int32_t style = 2; style <= rules::kLastExtLineType; ++style) {
        if (rules::IsKnownLineType(style)) styles.push_back(style);
    }
    return styles;
}

std::vector<double> DashPattern(const rules::Appearance& print, int32_t style) {
    std::vector<double> runs = print.Dashes(style);
    for (size_t i = 1; i < runs.size(); i += 2)
        runs[i] = -runs[i];
    return runs;
}

std::array<std::string, 256> LineTypeNames(const rules::Appearance& print) {
    std::array<std::string, 256> names;
    std::map<const Family*, std::vector<int32_t>> members;
    for (const int32_t style : PatternedLineTypes()) {
        names[static_cast<size_t>(style)] = "JW" + std::to_string(style);
        if (const Family* family = FamilyOf(print.Dashes(style))) members[family].push_back(style);
    }
    // The basic line types take a family's names first, then the random and
    // double-dotted ones, then the extended ones; within each, the shorter
    // patterns the smaller variants.
    const auto rank = [&](int32_t style) {
        return std::pair(rules::LineTypeEntryOf(style).table, Period(print.Dashes(style)));
    };
    for (auto& [family, styles] : members) {
        std::stable_sort(styles.begin(), styles.end(),
                         [&](int32_t a, int32_t b) { return rank(a) < rank(b); });
        for (size_t i = 0; i < styles.size() && i < family->size(); ++i)
            names[static_cast<size_t>(styles[i])] = (*family)[i];
    }
    return names;
}

}  // namespace tw::dxf
