#include "render/ReportText.h"

namespace tw::render {

std::string ReportText(const RenderReport& report) {
    std::string text =
        "drawn " + std::to_string(report.drawn) + " of " + std::to_string(report.visited) +
        " entities (" + std::to_string(report.hidden) + " on hidden layers, " +
        std::to_string(report.leftOut) + " not printed, " + std::to_string(report.culled) +
        " outside the view, " + std::to_string(report.undrawable) + " not drawable)";
    for (const auto& [reason, count] : report.reasons)
        text += "\n  not drawn: " + std::to_string(count) + " with " + reason;
    const ExpansionReport& x = report.expansion;
    if (!x.Complete())
        text += "\n  insertions not expanded: " + std::to_string(x.missing) + " missing, " +
                std::to_string(x.cycles) + " cyclic, " + std::to_string(x.cut) + " too deep";
    return text;
}

}  // namespace tw::render
