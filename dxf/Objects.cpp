// OBJECTS: the root dictionary, the groups, the two layouts and, with bound
// images, their definitions.
#include "dxf/Sections.h"

namespace tw::dxf {

namespace {

void Dictionary(Context& c, uint64_t handle, uint64_t owner,
                const std::vector<std::pair<std::string, uint64_t>>& entries) {
    c.BeginRecord("DICTIONARY", handle, owner);
    c.Subclass("AcDbDictionary");
    c.w.Int(281, 1);
    for (const auto& [name, entry] : entries) {
        c.w.Tag(3, name);
        c.w.Handle(350, entry);
    }
}

void Layout(Context& c, uint64_t handle, std::string_view name, int order, uint64_t record) {
    TagWriter& w = c.w;
    c.BeginRecord("LAYOUT", handle, c.fixed.layoutDictionary);
    c.Subclass("AcDbPlotSettings");
    w.Tag(1, "");
    w.Tag(2, "none_device");
    w.Tag(4, "");
    w.Tag(6, "");
    for (const int code : {40, 41, 42, 43, 44, 45, 46, 47, 48, 49, 140, 141})
        w.Real(code, 0.0);
    w.Real(142, 1.0);
    w.Real(143, 1.0);
    w.Int(70, order == 0 ? 1024 : 0);
    w.Int(72, 1);
    w.Int(73, 0);
    w.Int(74, 5);
    w.Tag(7, "");
    w.Int(75, 16);
    w.Real(147, 1.0);
    w.Real(148, 0.0);
    w.Real(149, 0.0);
    c.Subclass("AcDbLayout");
    w.Tag(1, name);
    w.Int(70, 1);
    w.Int(71, order);
    w.Point(10, 0, 0, false);
    w.Point(11, 420, 297, false);
    w.Point(12, 0, 0);
    w.Point(14, 0, 0);
    w.Point(15, 0, 0);
    w.Real(146, 0.0);
    w.Point(13, 0, 0);
    w.Point(16, 1, 0);
    w.Point(17, 0, 1);
    w.Int(76, 0);
    w.Handle(330, record);
}

void ImageObjects(Context& c) {
    std::vector<std::pair<std::string, uint64_t>> entries;
    for (const ImageFile& image : c.images)
        entries.emplace_back(c.w.EncodeName(SafeName(image.name)), image.definition);
    Dictionary(c, c.fixed.imageDictionary, c.fixed.rootDictionary, entries);
    c.BeginRecord("RASTERVARIABLES", c.fixed.imageVariables, c.fixed.rootDictionary);
    c.Subclass("AcDbRasterVariables");
    c.w.Int(90, 0);
    c.w.Int(70, 0);
    c.w.Int(71, 1);
    c.w.Int(72, 0);
    for (const ImageFile& image : c.images) {
        c.BeginRecord("IMAGEDEF", image.definition, c.fixed.imageDictionary);
        c.Subclass("AcDbRasterImageDef");
        c.w.Int(90, 0);
        c.w.Text(1, image.relativePath);
        c.w.Point(10, image.pixelsX, image.pixelsY, false);
        c.w.Point(11, 1, 1, false);
        c.w.Int(280, 1);
        c.w.Int(281, 0);
        for (size_t i = 0; i < image.reactors.size(); ++i) {
            c.BeginRecord("IMAGEDEF_REACTOR", image.reactors[i], image.placements[i]);
            c.Subclass("AcDbRasterImageDefReactor");
            c.w.Int(90, 2);
            c.w.Handle(330, image.placements[i]);
        }
    }
}

}  // namespace

void WriteObjects(Context& c) {
    const FixedHandles& f = c.fixed;
    c.w.Tag(0, "SECTION");
    c.w.Tag(2, "OBJECTS");
    Dictionary(c, f.rootDictionary, 0,
               {{"ACAD_GROUP", f.groupDictionary},
                {"ACAD_IMAGE_DICT", f.imageDictionary},
                {"ACAD_IMAGE_VARS", f.imageVariables},
                {"ACAD_LAYOUT", f.layoutDictionary}});
    Dictionary(c, f.groupDictionary, f.rootDictionary, {});
    Dictionary(c, f.layoutDictionary, f.rootDictionary,
               {{"Layout1", f.paperLayout}, {"Model", f.modelLayout}});
    Layout(c, f.modelLayout, "Model", 0, f.modelRecord);
    Layout(c, f.paperLayout, "Layout1", 1, f.paperRecord);
    ImageObjects(c);
    c.w.Tag(0, "ENDSEC");
}

}  // namespace tw::dxf
