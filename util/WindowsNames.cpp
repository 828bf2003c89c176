#include <tintwright/util/WindowsNames.h>

#include <algorithm>
#include <array>
#include <string_view>

namespace tw {

namespace {

constexpr std::u16string_view kForbidden = u"<>:\"/\\|?*";
constexpr std::array<std::u16string_view, 4> kDevices = {u"CON", u"PRN", u"AUX", u"NUL"};
constexpr std::array<std::u16string_view, 2> kNumberedDevices = {u"COM", u"LPT"};

char16_t Upper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

// The part before the first dot, in upper case: "aux.jww" is the device AUX.
std::u16string DeviceStem(std::u16string_view name) {
    std::u16string stem(name.substr(0, name.find(u'.')));
    while (!stem.empty() && stem.back() == u' ')
        stem.pop_back();
    std::transform(stem.begin(), stem.end(), stem.begin(), Upper);
    return stem;
}

bool IsDevice(std::u16string_view name) {
    const std::u16string stem = DeviceStem(name);
    if (std::find(kDevices.begin(), kDevices.end(), stem) != kDevices.end()) return true;
    return stem.size() == 4 &&
           std::find(kNumberedDevices.begin(), kNumberedDevices.end(), stem.substr(0, 3)) !=
               kNumberedDevices.end() &&
           stem[3] >= u'1' && stem[3] <= u'9';
}

}  // namespace

std::string WhyWindowsRefusesName(const std::filesystem::path& path) {
    const std::u16string name = path.filename().u16string();
    if (name.empty()) return {};
    if (IsDevice(name)) return "Windows reserves the name for a device";
    if (std::any_of(name.begin(), name.end(), [](char16_t c) {
            return c < u' ' || kForbidden.find(c) != std::u16string_view::npos;
        }))
        return "Windows does not allow the characters < > : \" / \\ | ? * in a file name";
    if (name.back() == u'.' || name.back() == u' ')
        return "Windows would drop the dot or space the name ends with";
    return {};
}

}  // namespace tw
