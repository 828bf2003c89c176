// The colour-chart drawing that the save command builds: an A4 landscape
// frame, eight lines in the basic pen colours and a 16 x 16 grid of lines in
// the 256 extended colours.
#pragma once

#include <cstdint>

#include <tintwright/document/JwwUnit.h>

namespace tw {

inline constexpr int32_t kChartLineCount = 268;

// Memo, paper A4 and the drawing settings of the chart.
void SetChartHeader(TJwwData& JW);

// The 268 lines and an order list naming each of them in turn.
void AddChartLines(TJwwData& JW);

}  // namespace tw
