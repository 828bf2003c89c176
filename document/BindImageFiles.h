// File work behind BindImagePack, BindImageExplode and BindImageCopy. Each
// writes its output to a new temporary file beside the target and renames it
// into place only when complete, so a failure never leaves a half-written
// file nor changes an existing one.
#pragma once

#include <cstdint>
#include <filesystem>
#include <limits>

namespace tw {

class SiblingFile;

// The largest image a JWW file can carry back: it records the size as int32.
inline constexpr uint64_t kMaxBoundImageBytes = std::numeric_limits<int32_t>::max();

// Writes a gzip file (highest compression level) of source to target.
bool GzipFileTo(const std::filesystem::path& source, const std::filesystem::path& target);

// Decompresses the gzip file source to target, streaming in blocks. Fails,
// writing nothing, for data that is not gzip, is damaged or cut short, or
// would expand to more than maxBytes.
bool GunzipFileTo(const std::filesystem::path& source, const std::filesystem::path& target,
                  uint64_t maxBytes);

// Copies source to target, replacing a file of that name.
bool CopyFileTo(const std::filesystem::path& source, const std::filesystem::path& target);

// The same into an open output file, left for the caller to commit.
bool GunzipInto(const std::filesystem::path& source, SiblingFile& out, uint64_t maxBytes);
bool CopyInto(const std::filesystem::path& source, SiblingFile& out);

}  // namespace tw
