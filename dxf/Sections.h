// The sections of a DXF file, each written from the shared context.
#pragma once

#include <optional>

#include <tintwright/document/Geometry.h>
#include <tintwright/dxf/Context.h>

namespace tw::dxf {

void WriteHeader(Context& c, const std::optional<geom::Box>& extents);
void WriteClasses(Context& c);  // 2000 and later
void WriteTables(Context& c, const std::optional<geom::Box>& extents);
void WriteBlocks(Context& c);
void WriteEntities(Context& c);
void WriteObjects(Context& c);  // 2000 and later

}  // namespace tw::dxf
