// TABLES: viewport, line types, layers, text styles, views, coordinate
// systems, applications, dimension styles and, from 2000 on, block records.
#include <algorithm>
#include <cmath>
#include <numeric>

#include <tintwright/document/DrawingRules.h>
#include <tintwright/dxf/LineTypes.h>
#include <tintwright/dxf/Sections.h>

namespace tw::dxf {

namespace {

constexpr int kWhite = 7;
constexpr int kAlignAlways = 65;  // the 'A' of a line type's alignment

// A table: its head, the entries `entries` writes, its end.
template <class Entries>
void Table(Context& c, std::string_view name, uint64_t handle, size_t count, Entries&& entries) {
    TagWriter& w = c.w;
    w.Tag(0, "TABLE");
    w.Tag(2, name);
    if (c.dialect.handles) {
        w.Handle(5, handle);
        w.Handle(330, 0);
    }
    c.Subclass("AcDbSymbolTable");
    w.Int(70, static_cast<int64_t>(count));
    if (name == "DIMSTYLE") c.Subclass("AcDbDimStyleTable");
    entries();
    w.Tag(0, "ENDTAB");
}

constexpr int kFrozen = 1;

// An entry's head up to its name and flags.
void Entry(Context& c, std::string_view type, std::string_view subclass, uint64_t table,
           std::string_view name, int handleCode = 5, int flags = 0) {
    c.BeginRecord(type, c.NewHandleIfAny(), table, handleCode);
    c.Subclass("AcDbSymbolTableRecord");
    c.Subclass(subclass);
    c.w.Tag(2, name);
    c.w.Int(70, flags);
}

void ViewportTable(Context& c, const std::optional<geom::Box>& extents) {
    Table(c, "VPORT", c.fixed.vportTable, 1, [&] {
        Entry(c, "VPORT", "AcDbViewportTableRecord", c.fixed.vportTable, "*Active");
        const geom::Box box = extents.value_or(geom::Box{});
        c.w.Point(10, 0, 0, false);
        c.w.Point(11, 1, 1, false);
        c.w.Point(12, (box.minX + box.maxX) / 2, (box.minY + box.maxY) / 2, false);
        const double height = std::max(box.maxY - box.minY, (box.maxX - box.minX) / 1.5);
        c.w.Real(40, height > 0 ? height * 1.1 : 1000.0);
        c.w.Real(41, 1.5);
    });
}

void LineTypeEntry(Context& c, std::string_view name, const std::vector<double>& dashes) {
    Entry(c, "LTYPE", "AcDbLinetypeTableRecord", c.fixed.ltypeTable, name);
    c.w.Tag(3, "");
    c.w.Int(72, kAlignAlways);
    c.w.Int(73, static_cast<int64_t>(dashes.size()));
    c.w.Real(40, std::accumulate(dashes.begin(), dashes.end(), 0.0,
                                 [](double sum, double d) { return sum + std::fabs(d); }));
    for (const double dash : dashes) {
        c.w.Real(49, dash);
        if (c.dialect.lineTypeElementFlags) c.w.Int(74, 0);
    }
}

void LineTypeTable(Context& c) {
    const std::vector<int32_t> styles = PatternedLineTypes();
    Table(c, "LTYPE", c.fixed.ltypeTable, styles.size() + 3, [&] {
        for (const char* name : {"ByBlock", "ByLayer", "Continuous"})
            LineTypeEntry(c, name, {});
        for (const int32_t style : styles)
            LineTypeEntry(c, c.names.LineType(static_cast<uint8_t>(style)),
                          DashPattern(c.print, style));
    });
}

// A hidden layer is off and frozen: LibreCAD draws layers that are only
// off. A layer that is not plotted (290 0, from 2000 on) holds the records
// that do not print.
void LayerEntry(Context& c, std::string_view name, bool shown, bool plotted) {
    Entry(c, "LAYER", "AcDbLayerTableRecord", c.fixed.layerTable, name, 5, shown ? 0 : kFrozen);
    c.w.Int(62, shown ? kWhite : -kWhite);
    c.w.Tag(6, "Continuous");
    if (c.dialect.plotFlags && !plotted) c.w.Int(290, 0);
    if (c.dialect.lineWeights) c.w.Int(370, -3);
}

void LayerTable(Context& c) {
    const auto& layers = c.names.Layers();
    const auto& noPlot = c.names.NoPlotLayers();
    const size_t twins = static_cast<size_t>(std::count_if(
        noPlot.begin(), noPlot.end(), [](const std::string& n) { return !n.empty(); }));
    Table(c, "LAYER", c.fixed.layerTable, layers.size() + twins + 1, [&] {
        LayerEntry(c, "0", true, true);
        for (size_t i = 0; i < layers.size(); ++i) {
            const bool shown = c.screen.Layers().Shows(static_cast<int32_t>(i));
            LayerEntry(c, layers[i], shown, true);
            if (!noPlot[i].empty()) LayerEntry(c, noPlot[i], shown, false);
        }
    });
}

void StyleTable(Context& c) {
    const auto& styles = c.names.Styles();
    Table(c, "STYLE", c.fixed.styleTable, styles.size(), [&] {
        for (const auto& [name, font] : styles) {
            Entry(c, "STYLE", "AcDbTextStyleTableRecord", c.fixed.styleTable, name);
            c.w.Real(40, 0.0);
            c.w.Real(41, 1.0);
            c.w.Real(50, 0.0);
            c.w.Int(71, 0);
            c.w.Real(42, 2.5);
            c.w.Tag(3, font);
            c.w.Tag(4, "");
        }
    });
}

void BlockRecordTable(Context& c) {
    const uint64_t table = c.fixed.blockRecordTable;
    Table(c, "BLOCK_RECORD", table, c.blockRecords.size() + 2, [&] {
        const auto record = [&](uint64_t handle, std::string_view name, uint64_t layout) {
            c.BeginRecord("BLOCK_RECORD", handle, table);
            c.Subclass("AcDbSymbolTableRecord");
            c.Subclass("AcDbBlockTableRecord");
            c.w.Tag(2, name);
            c.w.Handle(340, layout);
        };
        record(c.fixed.modelRecord, "*Model_Space", c.fixed.modelLayout);
        record(c.fixed.paperRecord, "*Paper_Space", c.fixed.paperLayout);
        for (size_t i = 0; i < c.blockRecords.size(); ++i)
            record(c.blockRecords[i], c.names.Block(i), 0);
    });
}

}  // namespace

void WriteTables(Context& c, const std::optional<geom::Box>& extents) {
    c.w.Tag(0, "SECTION");
    c.w.Tag(2, "TABLES");
    ViewportTable(c, extents);
    LineTypeTable(c);
    LayerTable(c);
    StyleTable(c);
    Table(c, "VIEW", c.fixed.viewTable, 0, [] {});
    Table(c, "UCS", c.fixed.ucsTable, 0, [] {});
    Table(c, "APPID", c.fixed.appidTable, 1,
          [&] { Entry(c, "APPID", "AcDbRegAppTableRecord", c.fixed.appidTable, "ACAD"); });
    Table(c, "DIMSTYLE", c.fixed.dimstyleTable, 1, [&] {
        Entry(c, "DIMSTYLE", "AcDbDimStyleTableRecord", c.fixed.dimstyleTable, "Standard", 105);
    });
    if (c.dialect.blockRecords) BlockRecordTable(c);
    c.w.Tag(0, "ENDSEC");
}

}  // namespace tw::dxf
