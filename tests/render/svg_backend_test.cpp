// The SVG backend writes every number as digits and every character as one
// XML 1.0 allows, whatever the drawing holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include <tintwright/render/SvgBackend.h>
#include "support/TempDir.h"

namespace tw::render {
namespace {

std::string SvgOf(const Box& view, const std::string& text) {
    std::string svg;
    SvgBackend backend(svg, 0.1);
    backend.Begin(view, 0xFFFFFF);
    TextRun run;
    run.at = {view.minX, view.minY};
    run.height = 3;
    run.families = {"serif"};
    run.text = text;
    run.offsets.assign(text.size(), 0);  // at least one a character
    backend.Draw(run);
    backend.End();
    return svg;
}

TEST(SvgBackend, HugeViewsAreWrittenInDigits) {
    for (const double side : {1e28, 1e100, 1e300}) {
        const std::string svg = SvgOf({0, 0, side, side}, "a");
        EXPECT_TRUE(std::regex_search(
            svg,
            std::regex("width=\"[0-9]+mm\" height=\"[0-9]+mm\" viewBox=\"0 0 [0-9]+ [0-9]+\"")))
            << side;
    }
}

TEST(SvgBackend, CharactersXmlForbidsAreReplacedOrDropped) {
    struct Case {
        const char* name;
        std::string text, written;
    };
    const Case cases[] = {
        {"U+FFFE",
         "a\xEF\xBF\xBE"
         "b",
         "a\xEF\xBF\xBD"
         "b"},
        {"U+FFFF",
         "a\xEF\xBF\xBF"
         "b",
         "a\xEF\xBF\xBD"
         "b"},
        {"lone surrogate",
         "a\xED\xA0\x80"
         "b",
         "a\xEF\xBF\xBD"
         "b"},
        {"controls",
         "a\x01\x1B"
         "b",
         "ab"},
        {"allowed",
         "a\xEF\xBF\xBD\xE6\x97\xA5"
         "b",
         "a\xEF\xBF\xBD\xE6\x97\xA5"
         "b"},
    };
    for (const Case& c : cases) {
        const std::string svg = SvgOf({0, 0, 100, 100}, c.text);
        // The characters as a reader sees them: each one is in its own tspan.
        const std::string shown =
            std::regex_replace(svg, std::regex("<tspan x=\"[^\"]*\">|</tspan>"), "");
        EXPECT_NE(shown.find(">" + c.written + "<"), std::string::npos) << c.name << "\n" << svg;
    }
}

// An image is embedded whole as base64, padded for the bytes past the last
// group of three.
TEST(SvgBackend, ImagesAreEmbeddedWholeInBase64) {
    using namespace std::string_literals;
    const std::pair<std::string, std::string> cases[] = {
        {"BM", "Qk0="}, {"BMx", "Qk14"}, {"BMxy", "Qk14eQ=="}, {"BM\xff\x00\x01\x80"s, "Qk3/AAGA"}};
    for (const auto& [bytes, base64] : cases) {
        std::string svg;
        SvgBackend backend(svg, 0.1);
        backend.Begin({0, 0, 100, 100}, 0xFFFFFF);
        const auto file = [&bytes = bytes] { return std::optional<std::string>(bytes); };
        EXPECT_TRUE(backend.Draw(ImageRun{file, {10, 10}, 40, 30, 0}));
        backend.End();
        EXPECT_NE(svg.find("href=\"data:image/bmp;base64," + base64 + "\"/>"), std::string::npos)
            << svg;
    }
}

}  // namespace
}  // namespace tw::render
