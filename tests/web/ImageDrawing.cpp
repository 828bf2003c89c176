// A drawing with a bound image, for the page's check (scripts/web-check):
//   image-drawing OUT.jww WIDTH HEIGHT
// writes a 7.00 drawing with one line and the 24-bit BMP of WIDTH x HEIGHT
// black pixels bound gzip-compressed as pic.bmp.gz and placed 40 x 30 mm.
// The pixels are streamed into the gzip file, so that an image of hundreds
// of megabytes costs no more than its compressed size on disk.
#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include <tintwright/document/JwwUnit.h>

namespace {

namespace fs = std::filesystem;

void Put(std::vector<uint8_t>& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// The file and information headers of a bottom-up 24-bit BMP.
std::vector<uint8_t> BmpHeader(uint32_t width, uint32_t height, uint32_t rowBytes) {
    std::vector<uint8_t> h{'B', 'M'};
    Put(h, 54 + rowBytes * height, 4);
    Put(h, 0, 4);
    Put(h, 54, 4);
    Put(h, 40, 4);
    Put(h, width, 4);
    Put(h, height, 4);
    Put(h, 1, 2);
    Put(h, 24, 2);
    for (int i = 0; i < 6; ++i)
        Put(h, 0, 4);
    return h;
}

bool WritePackedBmp(const fs::path& file, uint32_t width, uint32_t height) {
    const uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
    gzFile out = gzopen(file.c_str(), "wb9");
    if (out == nullptr) return false;
    const std::vector<uint8_t> header = BmpHeader(width, height, rowBytes);
    bool ok = gzwrite(out, header.data(), static_cast<unsigned>(header.size())) > 0;
    const std::vector<uint8_t> row(rowBytes);
    for (uint32_t y = 0; ok && y < height; ++y)
        ok = gzwrite(out, row.data(), rowBytes) == static_cast<int>(rowBytes);
    return gzclose(out) == Z_OK && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: image-drawing OUT.jww WIDTH HEIGHT\n");
        return 2;
    }
    const fs::path out = fs::absolute(argv[1]);
    const fs::path folder = out.parent_path() / (out.stem().string() + "_bound");
    fs::create_directories(folder);
    if (!WritePackedBmp(folder / "pic.bmp.gz", std::stoul(argv[2]), std::stoul(argv[3]))) {
        std::fprintf(stderr, "image-drawing: cannot write the image\n");
        return 1;
    }
    tw::TJwwData doc;
    doc.DataDefaultSet();
    doc.BindImageFolder = folder.u16string() + u"/";
    doc.BindImageExp = doc.BindImageExr = true;
    doc.BindImage.push_back({u"pic.bmp.gz", 0, false});
    doc.BindImageN = 1;
    doc.AddEntLine(0, 0, 0, 1, 1, 0, 0, -100, -50, 100, 50);
    doc.AddEntMoji(0, 0, 0, 1, 1, 0, 0, 0, 10, 10, 3, 3, 0, 0, u"ＭＳ ゴシック",
                   u"^@BM%temp%pic.bmp,40,30");
    const bool written = doc.FileOut(out.u16string(), 700);
    fs::remove_all(folder);
    if (!written) {
        std::fprintf(stderr, "image-drawing: cannot write %s: %s\n", argv[1],
                     doc.FileOutError.c_str());
        return 1;
    }
    return 0;
}
