#include "app/cli/JsonDump.h"

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/cli/DrawingFacts.h"
#include "document/Counted.h"
#include "jww/Records.h"
#include "jww/Versions.h"
#include "util/Func_2.h"

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
    void name(const char* field) { field_ = field; }
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
    void fill(uint8_t, size_t) {}

  private:
    template <class T>
    void Put(T value) {
        (*open_.back())[field_] = std::move(value);
    }

    std::vector<Json*> open_;
    const char* field_ = "";
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

}  // namespace

void WriteJson(TJwwData& doc, std::ostream& out) {
    const Json head = {{"version", doc.Enthd.jwVer},
                       {"memo", ToUtf8(doc.Enthd.strMemo)},
                       {"utf16", doc.MojiEncode},
                       {"entity_count", doc.Enthd.n1},
                       {"counts", Counts(CountsOf(EntityView::Of(doc)))},
                       {"blocks", Blocks(doc)},
                       {"images", Images(doc)},
                       {"layers", Layers(doc)}};
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
