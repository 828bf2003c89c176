#include <tintwright/document/SaveReport.h>

namespace tw {

std::string DescribeLosses(const SaveReport& report) {
    std::string text;
    for (size_t i = 0; i < kSaveLossKinds; ++i) {
        if (report.counts[i] == 0) continue;
        if (!text.empty()) text += ", ";
        text += std::string(SaveLossName(static_cast<SaveLoss>(i))) + ": " +
                std::to_string(report.counts[i]);
    }
    return text;
}

const char* SaveLossName(SaveLoss kind) {
    switch (kind) {
        case SaveLoss::SxfTables:
            return "SXF colour and line-type tables";
        case SaveLoss::Settings:
            return "drawing settings";
        case SaveLoss::PenColors:
            return "pen colours replaced";
        case SaveLoss::LineTypes:
            return "line types replaced";
        case SaveLoss::PenWidths:
            return "pen widths dropped";
        case SaveLoss::Layers:
            return "layer numbers out of range";
        case SaveLoss::SxfDimensions:
            return "SXF dimensions split into parts";
        case SaveLoss::Definitions:
            return "unused block definitions";
        case SaveLoss::Images:
            return "bound images not embedded";
        case SaveLoss::Characters:
            return "characters code page 932 lacks";
    }
    return "";
}

}  // namespace tw
