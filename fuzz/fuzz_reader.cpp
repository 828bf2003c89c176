// libFuzzer target of the JWW reader: every input is read from memory as
// FileIn reads a file (with the images written into a private folder) and as
// FilePrevIn reads one (bounded by the input's last byte). Any crash, hang,
// undefined behaviour or inconsistent document is a finding.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>

#include <tintwright/document/JwwUnit.h>
#include <tintwright/jww/ArchiveReader.h>
#include <tintwright/jww/Reader.h>

namespace {

// A folder of this process alone for the extracted images, removed at exit.
class ImageFolder {
  public:
    ImageFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tw-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path_ = pattern;
    }
    ~ImageFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ImageFolder(const ImageFolder&) = delete;
    ImageFolder& operator=(const ImageFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Empties the folder between inputs.
    void Clear() const {
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(path_, ignored))
            std::filesystem::remove_all(entry.path(), ignored);
    }

  private:
    std::filesystem::path path_;
};

bool Fits(int32_t count, size_t size) {
    return count >= 0 && static_cast<size_t>(count) <= size;
}

// What every user of a document relies on: no count beyond its array. A
// preview that stops inside the block section keeps the file's count of
// definitions while the array holds those it read; walks bound themselves
// by both.
void CheckCounts(const tw::TJwwData& d, bool preview) {
    bool ok = Fits(d.Enthd.n1, d.EntNo.size()) && Fits(d.EntLineN, d.EntLine.size()) &&
              Fits(d.EntEnkoN, d.EntEnko.size()) && Fits(d.EntTenN, d.EntTen.size()) &&
              Fits(d.EntMojiN, d.EntMoji.size()) && Fits(d.EntSunpoN, d.EntSunpo.size()) &&
              Fits(d.EntSolidN, d.EntSolid.size()) && Fits(d.EntBlockN, d.EntBlock.size()) &&
              (preview || Fits(d.EntBlockDefN, d.EntBlockDef.size())) &&
              d.Enthd.n2 == d.EntBlockDefN && Fits(d.BindImageN, d.BindImage.size()) &&
              Fits(d.EntBlockTreeN, d.EntBlockTree.size());
    for (const tw::TEntJwwBlockDef& b : d.EntBlockDef) {
        ok = ok && Fits(b.N, b.mNo.size()) && Fits(b.mLineN, b.mLine.size()) &&
             Fits(b.mEnkoN, b.mEnko.size()) && Fits(b.mTenN, b.mTen.size()) &&
             Fits(b.mMojiN, b.mMoji.size()) && Fits(b.mSunpoN, b.mSunpo.size()) &&
             Fits(b.mSolidN, b.mSolid.size()) && Fits(b.mBlockN, b.mBlock.size());
    }
    if (!ok) std::abort();
}

void Read(tw::TJwwData& doc, std::span<const uint8_t> bytes, const tw::jwwin::ReadScope& scope) {
    doc.DataInit();
    tw::ArchiveReader ar(bytes);
    tw::jwwin::ReadDrawing(doc, ar, scope);
    CheckCounts(doc, scope.maxObjects.has_value());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ImageFolder images;
    const std::span<const uint8_t> bytes(data, size);

    tw::TJwwData doc;
    doc.BindImageExp = true;
    doc.BindImageFolder = images.path().u16string() + u"/";
    Read(doc, bytes, {});
    images.Clear();

    const int32_t zMaxN = size == 0 ? 0 : data[size - 1] % 64;
    Read(doc, bytes, {.maxObjects = zMaxN});
    return 0;
}
