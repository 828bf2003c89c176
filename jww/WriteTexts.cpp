// Texts and text sizes on their way into the file.
#include <cmath>
#include <string_view>

#include "jww/DocumentWriter.h"
#include "util/Func_2.h"

namespace tw::jwwout {

namespace {

constexpr double kMinTextSize = 1.0e-10;
constexpr double kMaxTextSize = 1.0e10;

// A text of this prefix names a bound image; "%temp%" marks the temporary
// folder it lies in.
constexpr std::u16string_view kImageMark = u"^@BM";
constexpr std::u16string_view kTempImageMark = u"^@BM%temp%";

}  // namespace

double ClampTextSize(double size) {
    const double magnitude = std::fabs(size);  // a NaN only loses its sign
    if (magnitude < kMinTextSize) return kMinTextSize;
    if (magnitude > kMaxTextSize) return kMaxTextSize;
    return magnitude;
}

std::u16string PrepareText(const std::u16string& str, int32_t options, const TRefTable& ref) {
    std::u16string t = StripLineCodes(str);
    if (options & kOptRefText) t = ref.LookupRefText(t);
    if ((options & kOptDropTempMarker) && t.starts_with(kTempImageMark))
        t = std::u16string(kImageMark) + t.substr(kTempImageMark.size());
    if (options & kOptImageFileName) {
        const size_t comma = t.find(u',');
        if (t.starts_with(kImageMark) && comma != std::u16string::npos) {
            const size_t start = kImageMark.size();
            t = std::u16string(kImageMark) + FileNameOf(t.substr(start, comma - start)) +
                t.substr(comma);
        }
    }
    return t;
}

}  // namespace tw::jwwout
