// HEADER and CLASSES.
#include <string>

#include <tintwright/dxf/Sections.h>

namespace tw::dxf {

namespace {

constexpr int kMillimetres = 4;
constexpr int kMetric = 1;
constexpr int kDecimal = 2;

void Variable(Context& c, std::string_view name) {
    c.w.Tag(9, name);
}

}  // namespace

void WriteHeader(Context& c, const std::optional<geom::Box>& extents) {
    TagWriter& w = c.w;
    w.Tag(0, "SECTION");
    w.Tag(2, "HEADER");
    Variable(c, "$ACADVER");
    w.Tag(1, "AC" + std::to_string(c.dialect.version));
    if (c.dialect.maintenanceVersion) {
        Variable(c, "$ACADMAINTVER");
        w.Int(70, 6);
    }
    // Up to 2000 the texts are in code page 932; 2007 files are UTF-8
    // whatever this says.
    Variable(c, "$DWGCODEPAGE");
    w.Tag(3, "ANSI_932");
    Variable(c, "$INSBASE");
    w.Point(10, 0, 0);
    const geom::Box box = extents.value_or(geom::Box{});
    Variable(c, "$EXTMIN");
    w.Point(10, box.minX, box.minY);
    Variable(c, "$EXTMAX");
    w.Point(10, box.maxX, box.maxY);
    // The sheet, centred on the origin, at the scale of the group drawn in.
    double paperX = 0, paperY = 0;
    c.doc.GetPaperSize(paperX, paperY);
    const double scale = c.GroupScale(c.doc.Enthd.nWriteGLay);
    Variable(c, "$LIMMIN");
    w.Point(10, -paperX / 2 * scale, -paperY / 2 * scale, false);
    Variable(c, "$LIMMAX");
    w.Point(10, paperX / 2 * scale, paperY / 2 * scale, false);
    Variable(c, "$LTSCALE");
    w.Real(40, 1.0);
    Variable(c, "$LUNITS");
    w.Int(70, kDecimal);
    if (c.dialect.drawingUnits) {
        Variable(c, "$INSUNITS");
        w.Int(70, kMillimetres);
        Variable(c, "$MEASUREMENT");
        w.Int(70, kMetric);
    }
    if (c.dialect.handles) {
        Variable(c, "$HANDSEED");
        w.Handle(5, c.HandleSeed());
    } else {
        Variable(c, "$HANDLING");
        w.Int(70, 0);
    }
    w.Tag(0, "ENDSEC");
}

void WriteClasses(Context& c) {
    struct Class {
        const char* dxfName;
        const char* cppName;
        const char* application;
        int flags;
        int isEntity;
    };
    static constexpr Class kClasses[] = {
        {"LAYOUT", "AcDbLayout", "ObjectDBX Classes", 0, 0},
        {"IMAGE", "AcDbRasterImage", "ISM", 127, 1},
        {"IMAGEDEF", "AcDbRasterImageDef", "ISM", 0, 0},
        {"IMAGEDEF_REACTOR", "AcDbRasterImageDefReactor", "ISM", 1, 0},
        {"RASTERVARIABLES", "AcDbRasterVariables", "ISM", 0, 0},
    };
    TagWriter& w = c.w;
    w.Tag(0, "SECTION");
    w.Tag(2, "CLASSES");
    for (const Class& cls : kClasses) {
        w.Tag(0, "CLASS");
        w.Tag(1, cls.dxfName);
        w.Tag(2, cls.cppName);
        w.Tag(3, cls.application);
        w.Int(90, cls.flags);
        if (c.dialect.classInstanceCount) w.Int(91, 0);
        w.Int(280, 0);
        w.Int(281, cls.isEntity);
    }
    w.Tag(0, "ENDSEC");
}

}  // namespace tw::dxf
