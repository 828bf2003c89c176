// The sections of a JWW file as the reader walks them. Private to the reader;
// FileCheck, FileHeaderIn, FileIn and FilePrevIn of TJwwData are the public
// entry points. Every step throws ReadError when the stream cannot give what
// it needs; the entry points catch it and report false.
#pragma once

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/jww/ArchiveReader.h>
#include <tintwright/jww/Versions.h>

namespace tw::jwwin {

// Which parts of a file a reading takes.
struct ReadScope {
    // FilePrevIn: at most this many object tags, and never the images.
    std::optional<int32_t> maxObjects;
    // With BindImageExp: whether an image replaces a file of its name in
    // BindImageFolder (it never writes through a link there).
    bool replaceImages = true;

    bool preview() const { return maxObjects.has_value(); }
};

// What became of one embedded image when images are written.
struct ImageOutcome {
    std::u16string name;
    std::string problem;  // why it was not written; empty when it was
};

// The problem of an image not written because a file of its name exists.
inline constexpr char kImageExists[] = "a file of that name exists";

// The outcome of one reading, with the reason when it failed.
struct ReadReport {
    bool ok = false;
    bool headerRead = false;
    std::string reason;
    uint64_t stoppedAt = 0;            // stream offset where the reading ended
    std::vector<ImageOutcome> images;  // with BindImageExp, the images met, in order
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

// Why a file is not a JWW drawing of a version this program reads (no such
// file, a folder, not a drawing, another version); empty when it is one.
std::string CheckFile(const std::filesystem::path& file);

// Items 1 to 38: sizes the tables, checks magic and version, reads the
// header and tables and fills the derived values and doc.Source.
void ReadHeader(TJwwData& doc, ArchiveReader& ar);

// Everything after the header: entities, block definitions and, unless the
// scope is a preview, the embedded images of a 7.00 file. Keeps what was read
// when it throws.
void ReadBody(TJwwData& doc, ArchiveReader& ar, const ReadScope& scope,
              std::vector<ImageOutcome>& images);

// The document's images of a 7.00 file (the last section); with
// BindImageExp each is written into BindImageFolder and its outcome added.
void ReadImages(TJwwData& doc, ArchiveReader& ar, bool replace, std::vector<ImageOutcome>& images);

// A whole reading from an open archive into an emptied document: header,
// body and, unless the header failed, MakeBlockTree. FileIn and FilePrevIn
// after opening their file; the fuzz target and tests from memory.
ReadReport ReadDrawing(TJwwData& doc, ArchiveReader& ar, const ReadScope& scope);

// FileIn (no maxObjects) or FilePrevIn of a file, with the reason of a
// failure: empties the document and reads. The name is the platform's own
// (bytes on Linux), so any file that exists can be read.
ReadReport ReadDrawingFile(TJwwData& doc, const std::filesystem::path& file,
                           const ReadScope& scope);

}  // namespace tw::jwwin
