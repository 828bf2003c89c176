// The named choices of the command options (formats, palettes, DXF versions,
// units, text codes), shared by the command line and the Python module.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <tintwright/dxf/DxfExport.h>
#include "app/Unit1.h"

namespace tw::cli {

// The choices of an option in the order --help lists them, and their values.
template <class T>
using Choices = std::vector<std::pair<std::string, T>>;

inline const Choices<TPalette> kPalettes{
    {"dxf", TPalette::Dxf}, {"mix", TPalette::Mix}, {"grad", TPalette::Grad}};

inline const Choices<int32_t> kFormats{{"4.20", 420}, {"6.00", 600}, {"7.00", 700},
                                       {"2.20", 220}, {"2.23", 223}, {"2.25", 225},
                                       {"2.30", 230}, {"3.00", 300}, {"3.51", 351}};

inline const Choices<int32_t> kDxfVersions{
    {"2007", dxf::kR2007}, {"2000", dxf::kR2000}, {"R12", dxf::kR12}};

inline const Choices<bool> kUnits{{"real", true}, {"paper", false}};

// What render writes in this build: PNG and PDF through Qt's painter; on
// Windows PNG through GDI+ and PDF by our own writer.
inline const std::vector<std::string> kRenderFormats {
#if TW_QT_OUTPUT
    "svg", "png", "pdf"
#elif TW_GDIPLUS_OUTPUT
    "svg", "png", "pdf"
#else
    "svg"
#endif
};

// The formats as help and messages list them: "svg|png|pdf", or with
// `last` before the last one: ".svg, .png or .pdf".
inline std::string RenderFormatsText(const std::string& prefix, const std::string& separator,
                                     const std::string& last = "") {
    std::string text;
    for (size_t i = 0; i < kRenderFormats.size(); ++i) {
        if (i > 0) text += i + 1 == kRenderFormats.size() && !last.empty() ? last : separator;
        text += prefix + kRenderFormats[i];
    }
    return text;
}

inline const Choices<TTextCode> kTextCodes{{"ansi", TTextCode::Ansi}, {"utf16", TTextCode::Utf16}};

template <class T>
std::vector<std::string> NamesOf(const Choices<T>& choices) {
    std::vector<std::string> names;
    for (const auto& [name, value] : choices)
        names.push_back(name);
    return names;
}

// The value of a name that the option's check has already accepted.
template <class T>
T ValueOf(const Choices<T>& choices, const std::string& name) {
    for (const auto& [choice, value] : choices) {
        if (choice == name) return value;
    }
    return choices.front().second;
}

// The value of a name, none when the name is not a choice.
template <class T>
std::optional<T> FindValue(const Choices<T>& choices, const std::string& name) {
    for (const auto& [choice, value] : choices) {
        if (choice == name) return value;
    }
    return std::nullopt;
}

}  // namespace tw::cli
