// What a DXF version has, by feature, decided once from the version: the
// writer asks here rather than comparing versions.
#pragma once

#include <cstdint>

namespace tw::dxf {

struct Dialect {
    int32_t version = 0;
    bool handles = false;               // handles, owners and $HANDSEED
    bool subclassMarkers = false;       // group 100
    bool blockRecords = false;          // BLOCK_RECORD table, model and paper space blocks
    bool classesAndObjects = false;     // CLASSES and OBJECTS sections
    bool classInstanceCount = false;    // a CLASS's group 91
    bool maintenanceVersion = false;    // $ACADMAINTVER
    bool drawingUnits = false;          // $INSUNITS, $MEASUREMENT
    bool lineWeights = false;           // group 370
    bool plotFlags = false;             // a layer's group 290
    bool lineTypeElementFlags = false;  // a line type element's group 74
    bool trueColor = false;             // group 420
    bool ellipse = false;               // ELLIPSE (else a flattened POLYLINE)
    bool hatch = false;                 // HATCH (else SOLID triangles)
    bool images = false;                // IMAGE and its definitions
    bool mtext = false;                 // MTEXT (else a long text in several TEXTs)
    bool utf8 = false;                  // texts in UTF-8 (else code page 932)
};

Dialect DialectOf(int32_t version);

}  // namespace tw::dxf
