#include <tintwright/dxf/Dialect.h>

#include <tintwright/dxf/DxfExport.h>

namespace tw::dxf {

Dialect DialectOf(int32_t version) {
    const bool since2000 = version >= kR2000;
    const bool since2007 = version >= kR2007;
    return {.version = version,
            .handles = since2000,
            .subclassMarkers = since2000,
            .blockRecords = since2000,
            .classesAndObjects = since2000,
            .classInstanceCount = since2007,
            .maintenanceVersion = since2000,
            .drawingUnits = since2000,
            .lineWeights = since2000,
            .plotFlags = since2000,
            .lineTypeElementFlags = since2000,
            .trueColor = since2007,
            .ellipse = since2000,
            .hatch = since2000,
            .images = since2000,
            .mtext = since2000,
            .utf8 = since2007};
}

}  // namespace tw::dxf
