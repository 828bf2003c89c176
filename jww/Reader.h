// The sections of a JWW file as the reader walks them. Private to the reader;
// FileCheck, FileHeaderIn, FileIn and FilePrevIn of TJwwData are the public
// entry points. Every step throws ReadError when the stream cannot give what
// it needs; the entry points catch it and report false.
#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>

#include "document/JwwUnit.h"
#include "jww/ArchiveReader.h"
#include "jww/Versions.h"

namespace tw::jwwin {

// Which parts of a file a reading takes.
struct ReadScope {
    // FilePrevIn: at most this many object tags, and never the images.
    std::optional<int32_t> maxObjects;

    bool preview() const { return maxObjects.has_value(); }
};

// The outcome of one reading, with the reason when it failed.
struct ReadReport {
    bool ok = false;
    bool headerRead = false;
    std::string reason;
    uint64_t stoppedAt = 0;  // stream offset where the reading ended
};

// Text sizes that are not finite numbers are read as these.
inline constexpr double kDefaultTextSize = 3.0;
inline constexpr double kDefaultTextSpacing = 0.0;

inline double FiniteOr(double value, double fallback) {
    return std::isfinite(value) ? value : fallback;
}

// The 8 bytes that open every JWW file, decoded from code page 932.
std::u16string ReadMagic(ArchiveReader& ar);
inline constexpr char16_t kMagic[] = u"JwwData.";

inline bool IsSupportedVersion(int32_t version) {
    return version >= ver::kOldest && version <= ver::kNewest;
}

// Items 1 to 38: sizes the tables, checks magic and version, reads the
// header and tables and fills the derived values.
void ReadHeader(TJwwData& doc, ArchiveReader& ar);

// Everything after the header: entities, block definitions and, unless the
// scope is a preview, the embedded images of a 7.00 file. Keeps what was read
// when it throws.
void ReadBody(TJwwData& doc, ArchiveReader& ar, const ReadScope& scope);

// The document's images of a 7.00 file (the last section).
void ReadImages(TJwwData& doc, ArchiveReader& ar);

// A whole reading from an open archive into an emptied document: header,
// body and, unless the header failed, MakeBlockTree. FileIn and FilePrevIn
// after opening their file; the fuzz target and tests from memory.
ReadReport ReadDrawing(TJwwData& doc, ArchiveReader& ar, const ReadScope& scope);

// FileIn (no maxObjects) or FilePrevIn of a file, with the reason of a
// failure: empties the document, reads, and records the drawing's path.
ReadReport ReadDrawingFile(TJwwData& doc, const std::u16string& FName, const ReadScope& scope);

}  // namespace tw::jwwin
