// What a save dropped or replaced, counted by kind: the parts of a drawing
// that the chosen format version or text code cannot hold, and the numbers
// the writer had to correct. Everything not counted is written as the
// drawing holds it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace tw {

enum class SaveLoss : uint8_t {
    SxfTables,      // the SXF colour and line-type tables (below 4.20), once
    Settings,       // header items the version lacks, one per item
    PenColors,      // records whose pen colour became another
    LineTypes,      // records whose line type became another
    PenWidths,      // records whose own width was dropped (below 3.51) or reset
    Layers,         // records whose layer or group was out of range (set to 0)
    SxfDimensions,  // SXF dimensions written as a plain one and six records (below 4.20)
    Definitions,    // block definitions no insertion reaches, left out
    Images,         // bound images not embedded (below 7.00, or named by no text)
    Characters,     // characters code page 932 lacks, written as "?" or as another
};
inline constexpr size_t kSaveLossKinds = 10;

struct SaveReport {
    std::array<int64_t, kSaveLossKinds> counts{};

    int64_t& operator[](SaveLoss kind) { return counts[static_cast<size_t>(kind)]; }
    int64_t operator[](SaveLoss kind) const { return counts[static_cast<size_t>(kind)]; }
    // Nothing was dropped or replaced.
    bool Lossless() const {
        for (const int64_t n : counts) {
            if (n != 0) return false;
        }
        return true;
    }
};

// "pen colours replaced: 3, bound images not embedded: 1": every kind
// counted, in the order of the kinds.
std::string DescribeLosses(const SaveReport& report);

// The kind in a few English words ("SXF tables", "pen colours replaced"),
// for messages; "" for a value that is no kind.
const char* SaveLossName(SaveLoss kind);

}  // namespace tw
