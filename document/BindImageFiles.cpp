// Compressing, expanding and copying the bound image files. Image names that
// are not plain file names are skipped, so no operation reaches outside the
// image folder or the copy destination.
#include <tintwright/document/BindImageFiles.h>

#include <zlib.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include <tintwright/document/Counted.h>
#include <tintwright/document/JwwUnit.h>
#include <tintwright/document/PlacedImages.h>
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
// another expand one after the other, as gzip does.
bool Gunzip(const std::filesystem::path& source, SiblingFile& out, uint64_t maxBytes) {
    std::ifstream in(source, std::ios::binary);
    if (!in) return false;
    Inflater inflater;
    if (!out.IsOpen() || !inflater.ready) return false;
    z_stream& zs = inflater.zs;
    std::vector<unsigned char> input(kBlockSize), output(kBlockSize);
    uint64_t written = 0;
    bool memberEnded = false;
    for (;;) {
        if (zs.avail_in == 0) {
            size_t size = 0;
            if (!ReadBlock(in, input, size)) return false;
            if (size == 0) break;
            zs.next_in = input.data();
            zs.avail_in = static_cast<uInt>(size);
        }
        zs.next_out = output.data();
        zs.avail_out = static_cast<uInt>(output.size());
        const int rc = inflate(&zs, Z_NO_FLUSH);
        if (rc != Z_OK && rc != Z_STREAM_END) return false;
        const size_t produced = output.size() - zs.avail_out;
        written += produced;
        if (written > maxBytes || !out.Write(output.data(), produced)) return false;
        memberEnded = rc == Z_STREAM_END;
        if (memberEnded && inflateReset(&zs) != Z_OK) return false;
    }
    return memberEnded;
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
bool Guarded(Work work) {
    try {
        return work();
    } catch (...) {
        return false;
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

void TJwwData::BindImageExplodePlaced(uint64_t budget) {
    std::vector<std::u16string> placed;
    for (const geom::ImagePlacement& image : PlacedImages(*this))
        placed.push_back(image.name);
    for (const TBindImageType& image : Counted(BindImage, BindImageN)) {
        // ChangeExtOf with an empty extension drops the last one.
        const std::u16string name = ChangeExtOf(image.Fname, u"");
        if (!HasGzExt(image.Fname) ||
            std::find(placed.begin(), placed.end(), FileNameOf(name)) == placed.end())
            continue;
        const std::u16string target = BindImagePathOf(name);
        const bool unpacked =
            OnPaths(BindImagePathOf(image.Fname), target, [&](const auto& from, const auto& to) {
                return GunzipFileTo(from, to, std::min(budget, kMaxBoundImageBytes));
            });
        std::error_code error;
        const uint64_t size = unpacked ? std::filesystem::file_size(target, error) : 0;
        budget -= std::min(budget, error ? budget : size);
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

}  // namespace tw
