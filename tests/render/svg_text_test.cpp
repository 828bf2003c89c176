// SVG texts place every character in its own tspan, so readers that ignore
// textLength and x lists (librsvg) or find another face still agree with
// the PNG.
#include <gtest/gtest.h>

#include <tintwright/render/SvgBackend.h>

namespace tw::render {
namespace {

TEST(SvgText, CharactersAtTheirOffsetsWidenedToTheirCells) {
    std::string svg;
    SvgBackend backend(svg, 0.1);
    backend.Begin({0, 0, 100, 50}, 0xFFFFFF);
    TextRun run;
    run.at = {10, 20};
    run.height = 3;
    run.cellWidth = 6;
    run.families = {"IPAGothic", "ＭＳ ゴシック", "sans-serif"};
    run.text = "a b\xE3\x80\x80漢";  // U+3000 and a space draw nothing
    run.offsets = {0, 3, 4.5, 7.5, 13.5};
    backend.Draw(run);
    backend.End();
    EXPECT_NE(svg.find("transform=\"translate(10 30) rotate(0) scale(2 1)\""), std::string::npos)
        << svg;
    EXPECT_NE(svg.find("font-family=\"'IPAGothic', 'ＭＳ ゴシック', sans-serif\""),
              std::string::npos)
        << svg;
    EXPECT_NE(svg.find("><tspan x=\"0\">a</tspan><tspan x=\"2.25\">b</tspan>"
                       "<tspan x=\"6.75\">漢</tspan></text>"),
              std::string::npos)
        << svg;
}

}  // namespace
}  // namespace tw::render
