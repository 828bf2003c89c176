// Format-version thresholds. The writer compares the output version with
// them, the reader the version stored in the file; both go through these.
#pragma once

#include <cstdint>

namespace tw::ver {

constexpr int32_t kOldest = 220;
constexpr int32_t kNewest = 700;

// Header items.
constexpr int32_t kEyeSettings = 223;          // item 28 from here on
constexpr int32_t kPresetSizes = 225;          // item 29
constexpr int32_t kSolidColor = 230;           // item 30
constexpr int32_t kOldZoomJumpsUpTo = 230;     // item 19c up to here, 19a/19b above
constexpr int32_t kSkyMap = 300;               // item 16
constexpr int32_t kExtendedTables = 420;       // items 31 to 34
constexpr int32_t kClampMaxDrawWidUpTo = 420;  // item 9 clamped at -101 up to here
constexpr int32_t kPrtDpiInItem27 = 600;       // item 27 carries nPrtDpi

// Entity records.
constexpr int32_t kPenWidth = 351;       // attribute record has nPenWidth
constexpr int32_t kNewPens = 420;        // below: old-file pen mapping
constexpr int32_t kLongDimension = 420;  // bSxfMode and six parts inside the record

// Trailing sections.
constexpr int32_t kImages = 700;  // embedded-image section

}  // namespace tw::ver
