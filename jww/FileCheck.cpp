// FileCheck and FileHeaderIn: whether a file is a JWW drawing of a version
// this program reads, and its header alone.
#include <filesystem>
#include <new>

#include <tintwright/jww/Reader.h>
#include <tintwright/util/Func_2.h>

namespace tw {

namespace jwwin {

std::string CheckFile(const std::filesystem::path& file) {
    try {
        ArchiveReader ar{file};
        if (ReadMagic(ar) != kMagic) return "not a JWW drawing";
        const int32_t version = ar.Int32();
        if (!IsSupportedVersion(version))
            return "format version " + std::to_string(version) + " is not one of 220 to 700";
        return {};
    } catch (const std::bad_alloc&) {
        return "out of memory";
    } catch (const ReadError& e) {
        // A file too short for its version is no drawing either.
        return e.what() == std::string(kFileIoError) ? "not a JWW drawing" : e.what();
    } catch (const std::exception& e) {
        return e.what();
    }
}

}  // namespace jwwin

bool TJwwData::FileCheck(const std::u16string& FName) const {
    const auto file = ExactPathOf(FName);
    return file && jwwin::CheckFile(*file).empty();
}

bool TJwwData::FileHeaderIn(const std::u16string& FName) {
    DataInit();
    try {
        ArchiveReader ar{std::filesystem::path(FName)};
        ar.ReportUtf16To(MojiEncode);
        jwwin::ReadHeader(*this, ar);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

}  // namespace tw
