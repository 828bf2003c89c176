// FileCheck and FileHeaderIn: whether a file is a JWW drawing of a version
// this program reads, and its header alone.
#include <filesystem>

#include "jww/Reader.h"

namespace tw {

bool TJwwData::FileCheck(const std::u16string& FName) const {
    try {
        ArchiveReader ar{std::filesystem::path(FName)};
        if (jwwin::ReadMagic(ar) != jwwin::kMagic) return false;
        return jwwin::IsSupportedVersion(ar.Int32());
    } catch (const std::exception&) {
        return false;
    }
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
