// The fields of records as the file description (jww/Records.h) walks them,
// each as "path.name=value", so that tests compare records, a drawing's
// entities and its block definitions field by field and name the field that
// differs. Only what a file of the given version carries is listed.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include <tintwright/document/EntityView.h>
#include <tintwright/document/JwwUnit.h>
#include <tintwright/jww/Records.h>

namespace tw::test {

class FieldList {
  public:
    explicit FieldList(int32_t version) : version_(version) {}

    int32_t version() const { return version_; }
    void name(std::string_view n) { name_ = n; }
    void open(const char* n) { path_ += std::string(n) + "."; }
    void close() {
        path_.pop_back();
        path_.erase(path_.rfind('.') == std::string::npos ? 0 : path_.rfind('.') + 1);
    }
    void u8(uint8_t& v) { Add(std::to_string(v)); }
    void u16(uint16_t& v) { Add(std::to_string(v)); }
    void u32(uint32_t& v) { Add(std::to_string(v)); }
    void i32(int32_t& v) { Add(std::to_string(v)); }
    void f64(double& v) {
        char text[32];
        std::snprintf(text, sizeof text, "%.17g", v);
        Add(text);
    }
    void text(std::u16string& s) { Add(Escaped(s)); }
    void memo(std::u16string& s) { Add(Escaped(s)); }

    std::vector<std::string>& fields() { return fields_; }

  private:
    static std::string Escaped(const std::u16string& s) {
        std::string out = "\"";
        for (const char16_t c : s) {
            if (c >= 0x20 && c < 0x7F) {
                out += static_cast<char>(c);
            } else {
                char code[8];
                std::snprintf(code, sizeof code, "\\u%04X", static_cast<unsigned>(c));
                out += code;
            }
        }
        return out + "\"";
    }
    void Add(const std::string& value) { fields_.push_back(path_ + name_ + "=" + value); }

    int32_t version_;
    std::string path_;
    std::string name_;
    std::vector<std::string> fields_;
};

template <class R>
std::vector<std::string> FieldsOf(R record, int32_t version = 700) {
    FieldList list(version);
    rec::describe(list, record);
    return std::move(list.fields());
}

// The fields of the entity that an order entry names in the view.
inline std::vector<std::string> FieldsAt(const EntityView& view, TEntJwwNo entry,
                                         int32_t version = 700) {
    std::vector<std::string> fields = {"no entity of kind " + std::to_string(entry.EntType)};
    VisitEntry(view, entry, [&](const auto& r) { fields = FieldsOf(r, version); });
    return fields;
}

// Every entry of the view's order list, in order, each field led by its
// position ("3 att.nPenColor=2").
inline std::vector<std::string> OrderedFields(const EntityView& view, int32_t version) {
    std::vector<std::string> fields;
    for (size_t i = 0; i < view.order.size(); ++i) {
        for (std::string& f : FieldsAt(view, view.order[i], version)) {
            fields.push_back(std::to_string(i) + " " + std::move(f));
        }
    }
    return fields;
}

// The drawing's entities, then every definition's head, name and members.
inline std::vector<std::string> DrawingFields(TJwwData& doc, int32_t version) {
    std::vector<std::string> fields = OrderedFields(EntityView::Of(doc), version);
    for (int32_t d = 0; d < doc.EntBlockDefN; ++d) {
        TEntJwwBlockDef& def = doc.EntBlockDef.at(d);
        const std::string lead = "def " + std::to_string(d) + " ";
        FieldList head(version);
        rec::describeHead(head, def);
        head.name("strName");
        head.text(def.strName);
        for (std::string& f : head.fields())
            fields.push_back(lead + std::move(f));
        for (std::string& f : OrderedFields(EntityView::Of(def), version)) {
            fields.push_back(lead + std::move(f));
        }
    }
    return fields;
}

}  // namespace tw::test
