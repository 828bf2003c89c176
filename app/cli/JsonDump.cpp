#include "app/cli/JsonDump.h"

#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <string_view>
#include <vector>

#include <tintwright/document/Counted.h>
#include <tintwright/jww/Records.h>
#include <tintwright/jww/Versions.h>
#include <tintwright/util/Func_2.h>
#include "app/cli/DrawingFacts.h"

namespace tw::cli {

namespace {

using Json = nlohmann::ordered_json;

// The third archive of the record descriptions: it puts each field into a
// JSON object under its name. It walks the layout of the newest version, so
// that every field a record can carry is shown.
class JsonDumper {
  public:
    explicit JsonDumper(Json& object) : open_{&object} {}

    int32_t version() const { return ver::kNewest; }
    void name(std::string_view field) { field_ = field; }
    void open(const char* field) {
        Json& part = (*open_.back())[field] = Json::object();
        open_.push_back(&part);
    }
    void close() { open_.pop_back(); }

    void u8(uint8_t v) { Put(v); }
    void u16(uint16_t v) { Put(v); }
    void u32(uint32_t v) { Put(v); }
    void i32(int32_t v) { Put(v); }
    void f64(double v) { Put(v); }  // a value that is not finite shows as null
    void text(const std::u16string& s) { Put(ToUtf8(s)); }
    void memo(const std::u16string& s) { Put(ToUtf8(s)); }

  private:
    // A value without a name (a table inside the header, shown on its own)
    // is left out; a name given again collects its values in an array.
    template <class T>
    void Put(T value) {
        if (field_.empty()) return;
        Json& object = *open_.back();
        const std::string key(field_);
        field_ = {};
        const auto found = object.find(key);
        if (found == object.end()) {
            object[key] = std::move(value);
            return;
        }
        if (!found->is_array()) *found = Json::array({*found});
        found->push_back(std::move(value));
    }

    std::vector<Json*> open_;
    std::string_view field_;
};

static_assert(rec::NamingArchive<JsonDumper>);

std::string Text(const Json& j) {
    return j.dump(-1, ' ', false, Json::error_handler_t::replace);
}

Json Counts(const KindCounts& counts) {
    Json out = Json::object();
    for (const KindCount& kind : counts)
        out[kind.name] = kind.count;
    return out;
}

Json Blocks(const TJwwData& doc) {
    Json out = Json::array();
    for (const TEntJwwBlockDef& def : Counted(doc.EntBlockDef, doc.EntBlockDefN)) {
        out.push_back({{"number", def.nNumber},
                       {"name", ToUtf8(def.strName)},
                       {"members", def.N},
                       {"counts", Counts(CountsOf(EntityView::Of(def)))}});
    }
    return out;
}

// "#rrggbb" of a colour as the document stores it, red in the low byte.
std::string Rgb(int32_t colorref) {
    const auto c = static_cast<uint32_t>(colorref);
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
    return text;
}

Json Header(TJwwData& doc) {
    doc.SetTableLengths();  // the description walks the tables at their full lengths
    Json out = Json::object();
    JsonDumper dumper(out);
    rec::describeHeader(dumper, rec::HeaderRefs::Of(doc));
    return out;
}

// The entries of a table, each made into JSON by entry(index, value).
template <class T, class F>
Json Table(const std::vector<T>& table, F entry) {
    Json out = Json::array();
    for (size_t i = 0; i < table.size(); ++i)
        out.push_back(entry(static_cast<int32_t>(i), table[i]));
    return out;
}

Json LayerGroups(const TJwwData& doc) {
    return Table(doc.EntLgrp, [](int32_t g, const TEntJwwLayerGroup& group) {
        return Json{{"group", g},
                    {"name", ToUtf8(group.aStrGLayName)},
                    {"state", group.anGLay},
                    {"write_layer", group.anWriteLay},
                    {"scale", group.adScale},
                    {"protect", group.anGLayProtect}};
    });
}

Json Pens(const TJwwData& doc) {
    return Table(doc.EntCol, [](int32_t pen, const TEntJwwColorNo& c) {
        return Json{{"pen", pen},
                    {"rgb", Rgb(c.aPenColor)},
                    {"width", c.anPenWidth},
                    {"print_rgb", Rgb(c.aPrtPenColor)},
                    {"print_width", c.anPrtPenWidth},
                    {"print_point_radius", c.adPrtTenHankei}};
    });
}

Json Colors(const TJwwData& doc) {
    return Table(doc.EntColS, [](int32_t entry, const TEntJwwColorExNo& c) {
        return Json{{"entry", entry},
                    {"name", ToUtf8(c.astrUDColorName)},
                    {"rgb", Rgb(c.aPenColor)},
                    {"width", c.anPenWidth},
                    {"print_rgb", Rgb(c.aPrtPenColor)},
                    {"print_width", c.anPrtPenWidth},
                    {"print_point_radius", c.adPrtTenHankei}};
    });
}

// The fields a basic, double-dotted or extended line type shares.
template <class T>
Json LineType(int32_t type, const T& t) {
    return Json{{"type", type},
                {"pattern", t.alLType},
                {"dot_unit", t.anTokushuSenUintDot},
                {"pitch", t.anTokushuSenPich},
                {"print_pitch", t.anPrtTokushuSenPich}};
}

// Line types 2 to 9, random lines 11 to 15, double-dotted lines 16 to 19.
Json LineTypes(const TJwwData& doc) {
    Json out = Table(doc.EntLtp1, [](int32_t i, const auto& t) { return LineType(i + 2, t); });
    for (size_t i = 0; i < doc.EntLtp2.size(); ++i) {
        const TEntJwwRandomLineNo& t = doc.EntLtp2[i];
        out.push_back({{"type", static_cast<int32_t>(i) + 11},
                       {"pattern", t.alLType},
                       {"random_width", t.anRandSenWide},
                       {"pitch", t.anTokushuSenPich},
                       {"print_random_width", t.anPrtRandSenWide},
                       {"print_pitch", t.anPrtTokushuSenPich}});
    }
    for (size_t i = 0; i < doc.EntLtp3.size(); ++i)
        out.push_back(LineType(static_cast<int32_t>(i) + 16, doc.EntLtp3[i]));
    return out;
}

Json ExtendedLineTypes(const TJwwData& doc) {
    return Table(doc.EntLtpS, [](int32_t entry, const TEntJwwLineTypeExNo& t) {
        Json out = LineType(entry + 30, t);
        out.erase("type");
        out["entry"] = entry;
        out["name"] = ToUtf8(t.astrUDLTypeName);
        out["segments"] = t.anUDLTypeSegment;
        out["pitches"] = t.aadUDLTypePitch;
        return out;
    });
}

Json TextStyles(const TJwwData& doc) {
    return Table(doc.EntMoj, [](int32_t i, const TEntJwwMojiType& m) {
        return Json{{"style", i + 1},
                    {"width", m.adMojiX},
                    {"height", m.adMojiY},
                    {"spacing", m.adMojiD},
                    {"color", m.anMojiCol}};
    });
}

Json Layers(const TJwwData& doc) {
    Json out = Json::array();
    for (const LayerFacts& layer : LayersOf(doc)) {
        out.push_back({{"group", layer.group},
                       {"layer", layer.layer},
                       {"name", ToUtf8(layer.name)},
                       {"state", layer.state},
                       {"entities", layer.usage.entities},
                       {"in_blocks", layer.usage.inBlocks}});
    }
    return out;
}

Json Images(const TJwwData& doc) {
    Json out = Json::array();
    for (const TBindImageType& image : Counted(doc.BindImage, doc.BindImageN))
        out.push_back({{"name", ToUtf8(image.Fname)}, {"size", image.Fsize}});
    return out;
}

Json Head(TJwwData& doc) {
    return {{"version", doc.Enthd.jwVer},
            {"memo", ToUtf8(doc.Enthd.strMemo)},
            {"utf16", doc.MojiEncode},
            {"entity_count", doc.Enthd.n1},
            {"counts", Counts(CountsOf(EntityView::Of(doc)))},
            {"blocks", Blocks(doc)},
            {"images", Images(doc)},
            {"layers", Layers(doc)},
            {"header", Header(doc)},
            {"layer_groups", LayerGroups(doc)},
            {"pens", Pens(doc)},
            {"colors", Colors(doc)},
            {"line_types", LineTypes(doc)},
            {"extended_line_types", ExtendedLineTypes(doc)},
            {"text_styles", TextStyles(doc)}};
}

}  // namespace

std::string DescriptionJson(TJwwData& doc) {
    return Text(Head(doc));
}

void WriteJson(TJwwData& doc, std::ostream& out) {
    const Json head = Head(doc);
    out << "{\n";
    for (const auto& [key, value] : head.items())
        out << " " << Text(key) << ": " << Text(value) << ",\n";
    out << " \"entities\": [";
    const char* separator = "\n  ";
    // The descriptions walk writable records, as the reader fills them.
    ForEachEntity(MutableEntityView::Of(doc), [&]<class R>(R& record) {
        Json entity = {{"kind", EntityKind<R>::name}};
        JsonDumper dumper(entity);
        rec::describe(dumper, record);
        out << separator << Text(entity);
        separator = ",\n  ";
    });
    out << "\n ]\n}\n";
}

}  // namespace tw::cli
