// libFuzzer target of the JWW reader: every input is read from memory as
// FileIn reads a file (with the images written into a private folder) and as
// FilePrevIn reads one (bounded by the input's last byte). Any crash, hang,
// undefined behaviour or inconsistent document is a finding.
#include <cstdint>
#include <span>

#include "ReadInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const tw::TempDir images;
    const std::span<const uint8_t> bytes(data, size);

    tw::TJwwData doc;
    tw::fuzz::ReadWithImages(doc, bytes, images);
    tw::fuzz::Clear(images);

    const int32_t zMaxN = size == 0 ? 0 : data[size - 1] % 64;
    tw::fuzz::Read(doc, bytes, {.maxObjects = zMaxN});
    return 0;
}
