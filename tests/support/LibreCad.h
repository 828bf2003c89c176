// LibreCAD as a reader of exported DXF files: `librecad dxf2pdf` under
// xvfb-run prints a file to PDF, and pdftoppm rasterises the page.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tw {

// How LibreCAD lays the drawing on its page, which is A4 portrait whatever
// paper its command line names.
struct LibreCadPrint {
    double scale = 0;  // page millimetres per drawing unit, the drawing centred; 0 fits it
    double dpi = 150;  // of the raster
    bool gray = false;
    // Also a raster without anti-aliasing, folder/<stem>-solid.ppm: every
    // pixel of a line in the line's own colour, however thin the line.
    bool solid = false;
};

// Prints folder/<stem>.dxf to folder/<stem>.pdf (LibreCAD ignores an output
// name given with a scale) and rasterises it to folder/<stem>.ppm, or .pgm
// when gray; false when either program fails.
inline bool PrintWithLibreCad(const std::filesystem::path& folder, const std::string& stem,
                              const LibreCadPrint& print) {
    const std::string layout =
        print.scale > 0 ? "-c -s " + std::to_string(print.scale) : std::string("-a");
    const auto raster = [&](const std::string& options, const std::string& out) {
        return " && pdftoppm " + options + (print.gray ? "-gray " : "") + "-r " +
               std::to_string(print.dpi) + " -singlefile '" + stem + ".pdf' '" + out + "'";
    };
    const std::string command =
        "cd '" + folder.string() + "' && xvfb-run -a librecad dxf2pdf " + layout + " '" + stem +
        ".dxf' >/dev/null 2>&1" + raster("", stem) +
        (print.solid ? raster("-aaVector no ", stem + "-solid") : std::string());
    return std::system(command.c_str()) == 0;
}

}  // namespace tw
