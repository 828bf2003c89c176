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
    for (int32_t kind = 1; kind <= kKinds; ++kind)
        out[KindName(kind)] = counts[kind - 1];
    return out;
}

Json Blocks(const TJwwData& doc) {
    Json out = Json::array();
    for (const TEntJwwBlockDef& def : Counted(doc.EntBlockDef, doc.EntBlockDefN)) {
        out.push_back({{"number", def.nNumber},
                       {"name", ToUtf8(def.strName)},
                       {"members", def.N},
                       {"counts", Counts(CountsOf(def))}});
    }
    return out;
}

Json Images(const TJwwData& doc) {
    Json out = Json::array();
    for (const TBindImageType& image : Counted(doc.BindImage, doc.BindImageN))
        out.push_back({{"name", ToUtf8(image.Fname)}, {"size", image.Fsize}});
    return out;
}

template <class R>
bool Describe(Json& entity, std::vector<R>& array, int32_t count, int32_t index) {
    if (index < 0 || index >= count || static_cast<size_t>(index) >= array.size()) return false;
    JsonDumper dumper(entity);
    rec::describe(dumper, array[static_cast<size_t>(index)]);
    return true;
}

// The entity an order entry names, or false for an entry that names none.
bool EntityOf(TJwwData& d, const TEntJwwNo& entry, Json& entity) {
    entity = Json{{"kind", ""}};
    switch (entry.EntType) {
        case kEntLine:
            return Describe(entity, d.EntLine, d.EntLineN, entry.EntNo);
        case kEntArc:
            return Describe(entity, d.EntEnko, d.EntEnkoN, entry.EntNo);
        case kEntPoint:
            return Describe(entity, d.EntTen, d.EntTenN, entry.EntNo);
        case kEntText:
            return Describe(entity, d.EntMoji, d.EntMojiN, entry.EntNo);
        case kEntDim:
            return Describe(entity, d.EntSunpo, d.EntSunpoN, entry.EntNo);
        case kEntSolid:
            return Describe(entity, d.EntSolid, d.EntSolidN, entry.EntNo);
        case kEntBlock:
            return Describe(entity, d.EntBlock, d.EntBlockN, entry.EntNo);
        default:
            return false;
    }
}

}  // namespace

void WriteJson(TJwwData& doc, std::ostream& out) {
    const Json head = {{"version", doc.Enthd.jwVer},
                       {"memo", ToUtf8(doc.Enthd.strMemo)},
                       {"utf16", doc.MojiEncode},
                       {"entity_count", doc.Enthd.n1},
                       {"counts", Counts(CountsOf(doc))},
                       {"blocks", Blocks(doc)},
                       {"images", Images(doc)}};
    out << "{\n";
    for (const auto& [key, value] : head.items())
        out << " " << Text(key) << ": " << Text(value) << ",\n";
    out << " \"entities\": [";
    const char* separator = "\n  ";
    Json entity;
    for (const TEntJwwNo& entry : Counted(doc.EntNo, doc.Enthd.n1)) {
        if (!EntityOf(doc, entry, entity)) continue;
        entity["kind"] = KindName(entry.EntType);
        out << separator << Text(entity);
        separator = ",\n  ";
    }
    out << "\n ]\n}\n";
}

}  // namespace tw::cli
