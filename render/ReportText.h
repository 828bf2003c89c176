// The render report as people read it: "drawn N of M entities (...)" and the
// reasons, the same line from the command line and the web page.
#pragma once

#include <string>

#include "render/Frontend.h"

namespace tw::render {

std::string ReportText(const RenderReport& report);

}  // namespace tw::render
