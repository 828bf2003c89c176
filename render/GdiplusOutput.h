// PNG bytes of a drawing through the GDI+ backend, on Windows. GDI+ is
// started for the process on first use (StartGdiplus) and left running:
// shutting it down from a static destructor is not safe.
#pragma once

#include <string>

#include <tintwright/render/Frontend.h>
#include <tintwright/render/RasterSize.h>

namespace Gdiplus {
class Bitmap;
}

namespace tw::render {

// Starts GDI+ once; OutputError when it cannot start.
void StartGdiplus();

// The image as a PNG file's bytes; OutputError when it cannot be encoded.
std::string EncodePng(Gdiplus::Bitmap& image);

// The view at dpi pixels per inch as a PNG image.
std::string RenderPng(const TJwwData& doc, const RenderOptions& options, double dpi,
                      RenderReport& report);

}  // namespace tw::render
