#include "util/NumberText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace tw {

namespace {

// The fewest significant digits that read back as v (v finite, not zero):
// digits without the point, and the decimal exponent of the first.
void ShortestDigits(double v, std::string& digits, int& exponent) {
    char text[40];
    for (int precision = 0; precision < 17; ++precision) {
        std::snprintf(text, sizeof text, "%.*e", precision, v);
        if (std::strtod(text, nullptr) == v) break;
    }
    const char* e = std::strchr(text, 'e');
    exponent = std::atoi(e + 1);
    digits.clear();
    for (const char* c = text; c < e; ++c)
        if (*c >= '0' && *c <= '9') digits += *c;
}

// An integer is written with its exact digits, as printf's "%.0f" does,
// not the shortest digits padded with zeros.
std::string FixedForm(double v, const std::string& digits, int exponent) {
    const int n = static_cast<int>(digits.size());
    std::string text;
    if (exponent < 0) {
        text.assign("0.");
        text.append(static_cast<size_t>(-exponent - 1), '0');
        text.append(digits);
    } else if (n <= exponent + 1) {
        char exact[400];
        std::snprintf(exact, sizeof exact, "%.0f", v);
        text.assign(exact);
    } else {
        text.assign(digits, 0, static_cast<size_t>(exponent + 1));
        text.push_back('.');
        text.append(digits, static_cast<size_t>(exponent + 1));
    }
    return text;
}

std::string ScientificForm(const std::string& digits, int exponent) {
    std::string text(digits, 0, 1);
    if (digits.size() > 1) {
        text.push_back('.');
        text.append(digits, 1);
    }
    char tail[16];
    std::snprintf(tail, sizeof tail, "e%c%02d", exponent < 0 ? '-' : '+',
                  exponent < 0 ? -exponent : exponent);
    text.append(tail);
    return text;
}

char* Copy(const std::string& text, char* first, char* last) {
    if (static_cast<size_t>(last - first) < text.size()) return nullptr;
    return std::copy(text.begin(), text.end(), first);
}

}  // namespace

char* WriteShortestPortable(char* first, char* last, double v) {
    std::string text = std::signbit(v) ? "-" : "";
    if (v == 0) return Copy(text.append("0"), first, last);
    std::string digits;
    int exponent = 0;
    ShortestDigits(v < 0 ? -v : v, digits, exponent);
    const std::string fixed = FixedForm(v < 0 ? -v : v, digits, exponent);
    const std::string scientific = ScientificForm(digits, exponent);
    text.append(scientific.size() < fixed.size() ? scientific : fixed);
    return Copy(text, first, last);
}

char* WriteFixedPortable(char* first, char* last, double v, int decimals) {
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals, v);
    return Copy(text, first, last);
}

char* WriteShortest(char* first, char* last, double v) {
#if defined(__cpp_lib_to_chars)
    return std::to_chars(first, last, v).ptr;
#else
    return WriteShortestPortable(first, last, v);
#endif
}

char* WriteFixed(char* first, char* last, double v, int decimals) {
#if defined(__cpp_lib_to_chars)
    const auto result = std::to_chars(first, last, v, std::chars_format::fixed, decimals);
    return result.ec == std::errc() ? result.ptr : nullptr;
#else
    return WriteFixedPortable(first, last, v, decimals);
#endif
}

}  // namespace tw
