// Texts and text sizes on their way into the file.
#include <cmath>
#include <string_view>

#include <tintwright/jww/DocumentWriter.h>
#include <tintwright/util/Func_2.h>

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

// StripLineCodes changes a text only where one of these occurs; most texts
// hold none and keep their storage.
bool HasLineCodes(const std::u16string& t) {
    for (size_t i = 0; i < t.size(); ++i) {
        if (t[i] < 0x20) return true;
        const bool pair = i + 1 < t.size() && ((t[i] == u'^' && t[i + 1] == u'm') ||
                                               (t[i] == u'\\' && t[i + 1] == u'n'));
        if (pair) return true;
    }
    return false;
}

void StripLineCodesOf(std::u16string& t) {
    if (HasLineCodes(t)) t = StripLineCodes(t);
}

void PrepareText(std::u16string& t, int32_t options, const TRefTable& ref) {
    StripLineCodesOf(t);
    if (options & kOutRefText) t = ref.LookupRefText(t);
    if ((options & kOutDropTempMarker) && t.starts_with(kTempImageMark))
        t.erase(kImageMark.size(), kTempImageMark.size() - kImageMark.size());
    if (options & kOutImageFileName) {
        const size_t comma = t.find(u',');
        if (t.starts_with(kImageMark) && comma != std::u16string::npos) {
            const size_t start = kImageMark.size();
            t.replace(start, comma - start, FileNameOf(t.substr(start, comma - start)));
        }
    }
}

}  // namespace tw::jwwout
