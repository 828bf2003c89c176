// Export DXF from a viewer: the drawing on screen, to the file its save
// dialog agreed to replace. Images of the same names already beside it (in
// "<stem>_images") are the user's own files: they are replaced only when
// the user agrees, asked once.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include <tintwright/document/JwwUnit.h>

namespace tw {

// The reason when nothing was written; empty when the file was. A refusal
// to replace the images is such a reason.
std::string ExportShown(const TJwwData& doc, const std::filesystem::path& target,
                        const std::function<bool()>& replaceImages);

}  // namespace tw
