// "chart": the window's save command without the window. It drives
// TForm1::Button1Click through a TFormUi made of the command's arguments and
// the terminal.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "app/Unit1.h"

namespace tw::cli {

struct ChartOptions {
    std::string output;
    TPalette palette = TPalette::Dxf;
    int32_t version = 600;
    TTextCode textCode = TTextCode::Ansi;
    bool force = false;  // replace an existing OUTPUT
};

// Writes the chart; prints the outcome to out (success) or err (failure with
// its reason). exePath is the running executable, beside which TEMP lives.
// Returns the exit code: 0 saved, 1 not saved.
int RunChart(const ChartOptions& options, const std::string& exePath, std::ostream& out,
             std::ostream& err);

}  // namespace tw::cli
