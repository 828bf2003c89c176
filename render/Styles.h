// The final look of an entity as drawn: the drawing's resolved appearance in
// the medium (document/OutputRules.h), with pens in the background's colour
// turned to the foreground's so they do not vanish.
#pragma once

#include <cstdint>
#include <optional>

#include "document/JwwUnit.h"
#include "document/OutputRules.h"
#include "render/Primitives.h"

namespace tw::render {

class Styles {
  public:
    Styles(const TJwwData& doc, rules::Medium medium, const rules::OutputOptions& options,
           bool blackBackground);

    const rules::Appearance& Look() const { return look_; }
    uint32_t Background() const { return background_; }
    // None for a pen colour without entry.
    std::optional<Stroke> StrokeOf(const TEntJwwAttr& att) const;
    std::optional<uint32_t> ColorOf(int32_t pen) const;
    std::optional<uint32_t> FillOf(const TEntJwwSolid& solid) const;

  private:
    std::optional<uint32_t> Shown(std::optional<uint32_t> rgb) const;

    rules::Appearance look_;
    uint32_t background_;
    uint32_t foreground_;
};

}  // namespace tw::render
