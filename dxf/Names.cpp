#include <tintwright/dxf/Names.h>

#include <unordered_set>

#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/EntityView.h>
#include <tintwright/document/Fonts.h>
#include <tintwright/document/OutputRules.h>
#include <tintwright/dxf/LineTypes.h>

namespace tw::dxf {

namespace {

constexpr std::u16string_view kForbidden = u"<>/\\\":;?*|=`,";
const std::string kStandard = "Standard";
// LibreCAD draws a text in the font its STYLE is named after, whatever the
// font file says, and reads "<font>#<anything>" as <font>: its "unicode" font
// has Japanese and most other scripts, so the face follows the "#" and
// AutoCAD and ezdxf still go by the file.
constexpr std::u16string_view kLibreCadFont = u"unicode#";

char16_t HexDigit(int32_t v) {
    return static_cast<char16_t>(v < 10 ? u'0' + v : u'A' + v - 10);
}

std::u16string LayerLabel(const TJwwData& doc, int32_t group, int32_t layer) {
    std::u16string name{HexDigit(group), u'-', HexDigit(layer)};
    const auto append = [&](const std::u16string& part) {
        if (!part.empty()) name += u"_" + part;
    };
    if (static_cast<size_t>(group) < doc.EntLgrp.size())
        append(doc.EntLgrp[static_cast<size_t>(group)].aStrGLayName);
    const auto index = static_cast<size_t>(rules::LayerIndex(group, layer));
    if (index < doc.EntLay.size()) append(doc.EntLay[index].aStrLayName);
    return SafeName(name);
}

// The file of a STYLE's font: one readers map (msgothic.ttc for ＭＳ ゴシック),
// else the face's name, the best a reader can be told.
std::string FontFile(const std::u16string& font, TagWriter& w) {
    const std::string file = fonts::FaceOf(font).dxfFontFile;
    return file.empty() ? w.Encode(font) : file;
}

// By layer index: whether a record there shows but does not print.
std::array<bool, 256> LayersWithoutPrint(const TJwwData& doc) {
    std::array<bool, 256> used{};
    const auto mark = [&](const EntityView& view) {
        ForEachKind([&]<class R>(std::type_identity<R>) {
            for (const R& record : view.All<R>()) {
                if (rules::IsAuxiliary(record.att) && rules::Appears(record, rules::Medium::Screen))
                    used[static_cast<size_t>(rules::LayerIndex(record.att))] = true;
            }
        });
    };
    mark(EntityView::Of(doc));
    ForEachDefinition(doc, [&](const TEntJwwBlockDef& def) { mark(EntityView::Of(def)); });
    return used;
}

// Names unique in one table of the file. DXF compares names without case,
// and two characters may have the same bytes in code page 932, so names are
// compared as written, upper-cased; a renamed name is checked again.
class UniqueNames {
  public:
    UniqueNames(TagWriter& w, std::initializer_list<std::u16string> reserved) : w_(w) {
        for (const std::u16string& name : reserved)
            taken_.insert(Key(name));
    }

    // The name, or the name with "~<n>" for the first n from `suffix` on
    // that no earlier name has, encoded.
    std::string Add(const std::u16string& name, size_t suffix) {
        std::u16string unique = name;
        while (!taken_.insert(Key(unique)).second)
            unique = name + u"~" + IntToText(static_cast<int32_t>(suffix++));
        return w_.EncodeName(unique);
    }

  private:
    std::string Key(const std::u16string& name) const { return w_.EncodeName(UpperText(name)); }

    TagWriter& w_;
    std::unordered_set<std::string> taken_;
};

// Names of definitions, made unique by the definition's place where two
// would be equal.
std::vector<std::string> BlockNames(const TJwwData& doc, TagWriter& w) {
    std::vector<std::string> names;
    UniqueNames unique(w, {u"*MODEL_SPACE", u"*PAPER_SPACE"});
    ForEachDefinition(doc, [&](const TEntJwwBlockDef& def) {
        std::u16string name = SafeName(std::u16string(BareName(def.strName)));
        if (name.empty()) name = u"BLOCK";
        names.push_back(unique.Add(name, names.size()));
    });
    return names;
}

}  // namespace

std::u16string SafeName(const std::u16string& name) {
    std::u16string safe = name;
    for (char16_t& c : safe) {
        if (c < u' ' || kForbidden.find(c) != std::u16string_view::npos) c = u'_';
    }
    return safe;
}

Names::Names(const TJwwData& doc, TagWriter& w, const rules::Appearance& print)
    : lineTypes_(LineTypeNames(print)) {
    const std::array<bool, 256> withoutPrint = LayersWithoutPrint(doc);
    for (int32_t group = 0; group <= rules::kMaxLayer; ++group) {
        for (int32_t layer = 0; layer <= rules::kMaxLayer; ++layer) {
            const auto index = static_cast<size_t>(rules::LayerIndex(group, layer));
            const std::u16string label = LayerLabel(doc, group, layer);
            layers_[index] = w.EncodeName(label);
            if (withoutPrint[index]) noPlotLayers_[index] = w.EncodeName(label + u"_noplot");
        }
    }
    styles_.emplace_back(kStandard, "txt");
    UniqueNames styleNames(w, {u"STANDARD"});
    const auto addFont = [&](const std::u16string& font) {
        if (font.empty() || styleOfFont_.contains(font)) return;
        styleOfFont_.emplace(font, styles_.size());
        styles_.emplace_back(
            styleNames.Add(SafeName(std::u16string(kLibreCadFont) + font), styles_.size()),
            FontFile(font, w));
    };
    const auto addTextFonts = [&](const EntityView& view) {
        ForEachEntityOf<TEntJwwMoji>(view, [&](const TEntJwwMoji& t) { addFont(t.strFontName); });
        ForEachEntityOf<TEntJwwSunpo>(view,
                                      [&](const TEntJwwSunpo& d) { addFont(d.Moji.strFontName); });
    };
    addTextFonts(EntityView::Of(doc));
    ForEachDefinition(doc, [&](const TEntJwwBlockDef& def) { addTextFonts(EntityView::Of(def)); });
    blocks_ = BlockNames(doc, w);
}

const std::string& Names::Layer(const TEntJwwAttr& att) const {
    const auto index = static_cast<size_t>(rules::LayerIndex(att));
    return rules::IsAuxiliary(att) ? noPlotLayers_[index] : layers_[index];
}

const std::string& Names::Style(const std::u16string& font) const {
    const auto found = styleOfFont_.find(font);
    return found == styleOfFont_.end() ? kStandard : styles_[found->second].first;
}

}  // namespace tw::dxf
