#include "dxf/LineTypes.h"

namespace tw::dxf {

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

}  // namespace tw::dxf
