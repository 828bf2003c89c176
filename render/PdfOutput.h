// A drawing as a one-page PDF of the view's size, through the hand-written
// PDF backend (render/PdfBackend.h): the Windows build's PDF, without Qt.
#pragma once

#include <string>

#include <tintwright/render/Frontend.h>

namespace tw::render {

std::string PdfOf(const TJwwData& doc, const RenderOptions& options, RenderReport& report);

}  // namespace tw::render
