#include <tintwright/dxf/Context.h>

#include <array>
#include <cmath>

#include <tintwright/document/DrawingRules.h>
#include <tintwright/document/EntityView.h>
#include <tintwright/dxf/AciColors.h>

namespace tw::dxf {

namespace {

// The line weights (hundredths of a millimetre) DXF allows.
constexpr std::array<int, 24> kLineWeights = {0,  5,   9,   13,  15,  18,  20,  25,
                                              30, 35,  40,  50,  53,  60,  70,  80,
                                              90, 100, 106, 120, 140, 158, 200, 211};

// The allowed line weight nearest to a print width in millimetres; -3 (the
// default) for no width.
int LineWeight(double millimetres) {
    const double width = millimetres * 100;
    if (!(width > 0)) return -3;
    int best = kLineWeights.front();
    for (const int w : kLineWeights) {
        if (std::fabs(w - width) < std::fabs(best - width)) best = w;
    }
    return best;
}

// Records of the drawing and its definitions: every one makes at most a few
// handles (a dimension's parts, an image with its reactor).
constexpr uint64_t kHandlesPerRecord = 8;

uint64_t RecordCount(const TJwwData& doc) {
    uint64_t records = 0;
    const auto count = [&](const EntityView& view) {
        ForEachKind([&]<class R>(std::type_identity<R>) { records += view.All<R>().size(); });
    };
    count(EntityView::Of(doc));
    ForEachDefinition(doc, [&](const TEntJwwBlockDef& def) { count(EntityView::Of(def)); });
    return records;
}

}  // namespace

ImageFile* Context::ImageNamed(const std::u16string& name) {
    const auto at = imageAt_.find(name);
    return at == imageAt_.end() ? nullptr : &images[at->second];
}

Context::Context(const TJwwData& doc, TagWriter& w, const DxfOptions& options,
                 std::vector<ImageFile> images)
    : doc(doc),
      w(w),
      options(options),
      dialect(DialectOf(options.version)),
      screen(doc, rules::Medium::Screen),
      print(doc, rules::Medium::Print),
      names(doc, w, print),
      images(std::move(images)) {
    FixedHandles& f = fixed;
    for (uint64_t* h :
         {&f.vportTable, &f.ltypeTable, &f.layerTable, &f.styleTable, &f.viewTable, &f.ucsTable,
          &f.appidTable, &f.dimstyleTable, &f.blockRecordTable, &f.rootDictionary,
          &f.groupDictionary, &f.layoutDictionary, &f.imageDictionary, &f.imageVariables,
          &f.modelLayout, &f.paperLayout, &f.modelRecord, &f.paperRecord})
        *h = NewHandle();
    ForEachDefinition(doc, [&](const TEntJwwBlockDef&) { blockRecords.push_back(NewHandle()); });
    for (size_t i = 0; i < this->images.size(); ++i) {
        this->images[i].definition = NewHandle();
        imageAt_.emplace(this->images[i].name, i);
    }
    // Table entries, block begins and ends, and layouts take a few hundred
    // more, font styles one each.
    seed_ = next_ + 1024 + names.Styles().size() + 2 * blockRecords.size() +
            kHandlesPerRecord * RecordCount(doc);
}

double Context::GroupScale(int32_t group) const {
    if (!options.realSize || group < 0 || static_cast<size_t>(group) >= doc.EntLgrp.size())
        return 1.0;
    const double scale = doc.EntLgrp[static_cast<size_t>(group)].adScale;
    return std::isfinite(scale) && scale > 0 ? scale : 1.0;
}

int Context::Aci(uint32_t rgb) {
    const auto [at, added] = aci_.try_emplace(rgb, 0);
    if (added) at->second = NearestAci(rgb);
    return at->second;
}

void Context::BeginRecord(std::string_view type, uint64_t handle, uint64_t owner, int handleCode) {
    w.Tag(0, type);
    if (!dialect.handles) return;
    w.Handle(handleCode, handle);
    w.Handle(330, owner);
}

void Context::Subclass(std::string_view marker) {
    if (dialect.subclassMarkers) w.Tag(100, marker);
}

namespace {
constexpr size_t kNamedLeftOut = 10;
}

void Context::LeftOutNotFinite(std::string_view kind, size_t number, std::string_view where) {
    if (++leftOut_ > kNamedLeftOut) return;
    warnings.push_back(std::string(kind) + " " + std::to_string(number) + " of " +
                       std::string(where) +
                       " left out: it holds a value that is not a finite number");
}

void Context::SayHowManyLeftOut() {
    if (leftOut_ > kNamedLeftOut)
        warnings.push_back(std::to_string(leftOut_) +
                           " records in all left out for values that are not finite numbers");
}

uint64_t Context::BeginEntity(std::string_view type, std::string_view subclass,
                              const TEntJwwAttr& att, std::optional<uint32_t> rgb, double width,
                              uint64_t owner, double lineTypeScale) {
    const uint64_t handle = NewHandleIfAny();
    BeginRecord(type, handle, owner);
    Subclass("AcDbEntity");
    w.Tag(8, names.Layer(att));
    const std::string& lineType = names.LineType(att.nPenStyle);
    if (!lineType.empty()) w.Tag(6, lineType);
    if (rgb) {
        w.Int(62, Aci(*rgb));
        // No true colour for black and white: index 7 alone is drawn in the
        // reader's foreground colour, visible on any background.
        if (dialect.trueColor && !IsForegroundColor(*rgb)) w.Int(420, *rgb);
    }
    if (dialect.lineWeights) w.Int(370, LineWeight(width));
    if (!lineType.empty() && lineTypeScale != 1.0) w.Real(48, lineTypeScale);
    if (!subclass.empty()) Subclass(subclass);
    return handle;
}

}  // namespace tw::dxf
