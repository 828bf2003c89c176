// Compressing, expanding and copying the bound image files. Image names that
// are not plain file names are skipped, so no operation reaches outside the
// image folder or the copy destination.
#include <tintwright/document/BindImageFiles.h>

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <span>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include <tintwright/document/Counted.h>
#include <tintwright/document/JwwUnit.h>
#include <tintwright/util/Func_2.h>
#include <tintwright/util/SiblingFile.h>

namespace tw {

namespace {

constexpr size_t kBlockSize = 64 * 1024;
constexpr int kGzipWindowBits = 15 + 16;  // 32 KiB window, gzip wrapper only
constexpr int kMemLevel = 8;

// Reads the next block of in; an empty block at the end. False on a read error.
bool ReadBlock(std::ifstream& in, std::vector<unsigned char>& block, size_t& size) {
    in.read(reinterpret_cast<char*>(block.data()), static_cast<std::streamsize>(block.size()));
    size = static_cast<size_t>(in.gcount());
    return !in.bad();
}

struct Deflater {
    z_stream zs{};
    bool ready = deflateInit2(&zs, Z_BEST_COMPRESSION, Z_DEFLATED, kGzipWindowBits, kMemLevel,
                              Z_DEFAULT_STRATEGY) == Z_OK;
    ~Deflater() {
        if (ready) deflateEnd(&zs);
    }
};

struct Inflater {
    z_stream zs{};
    bool ready = inflateInit2(&zs, kGzipWindowBits) == Z_OK;
    ~Inflater() {
        if (ready) inflateEnd(&zs);
    }
};

bool Gzip(const std::filesystem::path& source, const std::filesystem::path& target) {
    std::ifstream in(source, std::ios::binary);
    if (!in) return false;
    SiblingFile out(target);
    Deflater deflater;
    if (!out.IsOpen() || !deflater.ready) return false;
    z_stream& zs = deflater.zs;
    std::vector<unsigned char> input(kBlockSize), output(kBlockSize);
    int flush = Z_NO_FLUSH;
    while (flush != Z_FINISH) {
        size_t size = 0;
        if (!ReadBlock(in, input, size)) return false;
        flush = in.eof() ? Z_FINISH : Z_NO_FLUSH;
        zs.next_in = input.data();
        zs.avail_in = static_cast<uInt>(size);
        do {
            zs.next_out = output.data();
            zs.avail_out = static_cast<uInt>(output.size());
            if (deflate(&zs, flush) == Z_STREAM_ERROR) return false;
            if (!out.Write(output.data(), output.size() - zs.avail_out)) return false;
        } while (zs.avail_out == 0);
    }
    return out.Commit();
}

// Every member of the gzip data must be complete; members that follow one
// another expand one after the other, as gzip does. next gives the following
// bytes (none at the end), false on a read error; put takes what expands.
template <class Next, class Put>
bool GunzipStream(Next&& next, Put&& put, uint64_t maxBytes) {
    Inflater inflater;
    if (!inflater.ready) return false;
    z_stream& zs = inflater.zs;
    std::vector<unsigned char> output(kBlockSize);
    uint64_t written = 0;
    bool memberEnded = false;
    for (;;) {
        if (zs.avail_in == 0) {
            std::span<const unsigned char> input;
            if (!next(input)) return false;
            if (input.empty()) break;
            zs.next_in = const_cast<unsigned char*>(input.data());
            zs.avail_in = static_cast<uInt>(input.size());
        }
        zs.next_out = output.data();
        zs.avail_out = static_cast<uInt>(output.size());
        const int rc = inflate(&zs, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END) return false;
        const size_t produced = output.size() - zs.avail_out;
        written += produced;
        if (written > maxBytes || !put(output.data(), produced)) return false;
        memberEnded = rc == Z_STREAM_END;
        if (memberEnded && inflateReset(&zs) != Z_OK) return false;
    }
    return memberEnded;
}

// The blocks of a file, one after the other, for Gunzip.
class FileBlocks {
  public:
    explicit FileBlocks(const std::filesystem::path& source)
        : in_(source, std::ios::binary), block_(kBlockSize) {}
    bool IsOpen() const { return static_cast<bool>(in_); }
    bool operator()(std::span<const unsigned char>& next) {
        size_t size = 0;
        if (!ReadBlock(in_, block_, size)) return false;
        next = {block_.data(), size};
        return true;
    }

  private:
    std::ifstream in_;
    std::vector<unsigned char> block_;
};

bool Gunzip(const std::filesystem::path& source, SiblingFile& out, uint64_t maxBytes) {
    FileBlocks blocks(source);
    if (!blocks.IsOpen() || !out.IsOpen()) return false;
    return GunzipStream(
        blocks, [&](const unsigned char* data, size_t size) { return out.Write(data, size); },
        maxBytes);
}

// Bytes held in memory, expanded into put.
bool GunzipBytes(std::string_view gz, const ImageSink& put, uint64_t maxBytes) {
    bool given = false;
    const auto next = [&](std::span<const unsigned char>& input) {
        input = given ? std::span<const unsigned char>()
                      : std::span<const unsigned char>(
                            reinterpret_cast<const unsigned char*>(gz.data()), gz.size());
        given = true;
        return true;
    };
    return GunzipStream(next, put, maxBytes);
}

bool Copy(const std::filesystem::path& source, SiblingFile& out) {
    std::ifstream in(source, std::ios::binary);
    if (!in || !out.IsOpen()) return false;
    std::vector<unsigned char> block(kBlockSize);
    for (;;) {
        size_t size = 0;
        if (!ReadBlock(in, block, size)) return false;
        if (size == 0) break;
        if (!out.Write(block.data(), size)) return false;
    }
    return true;
}

// File work reports failure as false and never throws (memory, path
// conversion).
template <class Work>
auto Guarded(Work work) -> decltype(work()) {
    try {
        return work();
    } catch (...) {
        return {};
    }
}

bool HasGzExt(const std::u16string& name) {
    return Guarded([&] { return LowerExtOf(LowerText(name)) == u".gz"; });
}

// Runs work on two file paths; an empty path (a name that is not a plain
// file name) skips it.
template <class Work>
bool OnPaths(const std::u16string& source, const std::u16string& target, Work work) {
    if (source.empty() || target.empty() || !FileExistsAt(source)) return false;
    return Guarded(
        [&] { return work(std::filesystem::path(source), std::filesystem::path(target)); });
}

}  // namespace

bool GzipFileTo(const std::filesystem::path& source, const std::filesystem::path& target) {
    return Guarded([&] { return Gzip(source, target); });
}

bool GunzipInto(const std::filesystem::path& source, SiblingFile& out, uint64_t maxBytes) {
    return Guarded([&] { return Gunzip(source, out, maxBytes); });
}

bool CopyInto(const std::filesystem::path& source, SiblingFile& out) {
    return Guarded([&] { return Copy(source, out); });
}

bool GunzipFileTo(const std::filesystem::path& source, const std::filesystem::path& target,
                  uint64_t maxBytes) {
    return Guarded([&] {
        SiblingFile out(target);
        return Gunzip(source, out, maxBytes) && out.Commit();
    });
}

bool CopyFileTo(const std::filesystem::path& source, const std::filesystem::path& target) {
    return Guarded([&] {
        SiblingFile out(target);
        return Copy(source, out) && out.Commit();
    });
}

void TJwwData::BindImageExplode() {
    for (const TBindImageType& image : Counted(BindImage, BindImageN)) {
        if (!HasGzExt(image.Fname)) continue;
        // ChangeExtOf with an empty extension drops the last one.
        OnPaths(BindImagePathOf(image.Fname), BindImagePathOf(ChangeExtOf(image.Fname, u"")),
                [](const auto& source, const auto& target) {
                    return GunzipFileTo(source, target, kMaxBoundImageBytes);
                });
    }
}

// An entry is renamed to its ".gz" file only when that file was written now,
// so it never names an older compressed file of other content.
void TJwwData::BindImagePack() {
    for (TBindImageType& image : Counted(BindImage, BindImageN)) {
        if (HasGzExt(image.Fname)) continue;
        const std::u16string packed = image.Fname + u".gz";
        if (OnPaths(BindImagePathOf(image.Fname), BindImagePathOf(packed), GzipFileTo)) {
            image.Fname = packed;
        }
    }
}

// An empty destination would name the root folder; nothing is copied then.
void TJwwData::BindImageCopy(const std::u16string& dst) {
    if (dst.empty()) return;
    const bool hasSeparator = dst.back() == DirSeparator() || dst.back() == u'/';
    const std::u16string folder = hasSeparator ? dst : dst + DirSeparator();
    for (const TBindImageType& image : Counted(BindImage, BindImageN)) {
        // ChangeExtOf with an empty extension drops the last one.
        const std::u16string name =
            HasGzExt(image.Fname) ? ChangeExtOf(image.Fname, u"") : image.Fname;
        const std::u16string target = IsPlainFileName(name) ? folder + name : std::u16string();
        OnPaths(BindImagePathOf(name), target, CopyFileTo);
    }
}

namespace {

bool PutAtMost(std::string_view bytes, const ImageSink& put, uint64_t maxBytes) {
    return bytes.size() <= maxBytes &&
           put(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

bool CopyAtMost(const std::filesystem::path& source, const ImageSink& put, uint64_t maxBytes) {
    FileBlocks blocks(source);
    if (!blocks.IsOpen()) return false;
    uint64_t written = 0;
    for (;;) {
        std::span<const unsigned char> block;
        if (!blocks(block)) return false;
        if (block.empty()) return true;
        written += block.size();
        if (written > maxBytes || !put(block.data(), block.size())) return false;
    }
}

// The image folder's file of that name, when it is a regular file.
std::optional<std::filesystem::path> FolderFile(const TJwwData& doc, const std::u16string& name) {
    const std::u16string path = doc.BindImagePathOf(name);
    std::error_code error;
    if (path.empty() || !std::filesystem::is_regular_file(std::filesystem::path(path), error))
        return std::nullopt;
    return std::filesystem::path(path);
}

}  // namespace

PlacedImageFiles::PlacedImageFiles(const TJwwData& doc)
    : doc_(doc), index_(Counted(doc.BindImage, doc.BindImageN)) {}

const TBindImageType* PlacedImageFiles::Stored(const std::u16string& name) const {
    const std::optional<size_t> at = index_.Find(name);
    return at ? &doc_.BindImage[*at] : nullptr;
}

bool PlacedImageFiles::Has(const std::u16string& name) const {
    if (!IsPlainFileName(name)) return false;
    const TBindImageType* entry = Stored(name);
    return (entry != nullptr && !entry->Stored.empty()) ||
           FolderFile(doc_, entry != nullptr ? entry->Fname : name).has_value();
}

bool PlacedImageFiles::Write(const std::u16string& name, uint64_t maxBytes,
                             const ImageSink& put) const {
    return Guarded([&] {
        if (!IsPlainFileName(name)) return false;
        const TBindImageType* entry = Stored(name);
        const bool gz = entry != nullptr && HasGzExt(entry->Fname);
        if (entry != nullptr && !entry->Stored.empty())
            return gz ? GunzipBytes(entry->Stored, put, maxBytes)
                      : PutAtMost(entry->Stored, put, maxBytes);
        const auto file = FolderFile(doc_, entry != nullptr ? entry->Fname : name);
        if (!file) return false;
        if (!gz) return CopyAtMost(*file, put, maxBytes);
        FileBlocks blocks(*file);
        return blocks.IsOpen() && GunzipStream(blocks, put, maxBytes);
    });
}

uint64_t PlacedImageFiles::DeclaredSize(const std::u16string& name) const {
    return Guarded([&]() -> uint64_t {
        if (!IsPlainFileName(name)) return 0;
        const TBindImageType* entry = Stored(name);
        const bool gz = entry != nullptr && HasGzExt(entry->Fname);
        std::string tail;  // a gzip file's last four bytes: its length
        uint64_t size = 0;
        if (entry != nullptr && !entry->Stored.empty()) {
            size = entry->Stored.size();
            if (gz && size >= 4) tail = entry->Stored.substr(size - 4);
        } else if (const auto file = FolderFile(doc_, entry != nullptr ? entry->Fname : name)) {
            std::error_code error;
            size = std::filesystem::file_size(*file, error);
            if (error) return 0;
            if (gz && size >= 4) {
                std::ifstream in(*file, std::ios::binary);
                tail.resize(4);
                in.seekg(-4, std::ios::end);
                if (!in.read(tail.data(), 4)) return 0;
            }
        }
        if (tail.size() != 4) return size;
        const auto byte = [&](int i) { return uint64_t{static_cast<unsigned char>(tail[i])}; };
        return byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
    });
}

std::optional<std::string> PlacedImageFiles::Bytes(const std::u16string& name,
                                                   uint64_t maxBytes) const {
    std::string bytes;
    const auto append = [&](const unsigned char* data, size_t size) {
        bytes.append(reinterpret_cast<const char*>(data), size);
        return true;
    };
    if (!Write(name, maxBytes, append)) return std::nullopt;
    return bytes;
}

namespace {

// Bytes below a megabyte, whole megabytes above, rounded up or down.
std::string SizeText(uint64_t bytes, bool up) {
    constexpr uint64_t kMegabyte = uint64_t{1} << 20;
    if (bytes < kMegabyte) return std::to_string(bytes) + " bytes";
    return std::to_string((bytes + (up ? kMegabyte - 1 : 0)) / kMegabyte) + " MB";
}

}  // namespace

std::string ImagesOverBudget(const PlacedImageFiles& files,
                             const std::vector<geom::ImagePlacement>& placed, uint64_t budget) {
    uint64_t total = 0;
    for (const geom::ImagePlacement& image : placed)
        total += files.DeclaredSize(image.name);
    if (total <= budget) return "";
    return "the bound images unpack to " + SizeText(total, true) + ", more than the " +
           SizeText(budget, false) + " allowed";
}

}  // namespace tw
