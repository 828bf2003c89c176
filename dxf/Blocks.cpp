// BLOCKS and ENTITIES: the definitions and the drawing's own entities.
#include <tintwright/document/Counted.h>
#include <tintwright/document/EntityView.h>
#include <tintwright/dxf/EntityWriter.h>
#include <tintwright/dxf/Sections.h>
#include <tintwright/util/Func_2.h>

namespace tw::dxf {

namespace {

// Writes each record whole, or leaves it out and says so when it holds a
// value that is not a finite number: a reader would take the 0 written in
// its place for a real coordinate.
class FiniteRecords {
  public:
    FiniteRecords(Context& c, EntityWriter writer, std::string where)
        : c_(c), writer_(std::move(writer)), where_(std::move(where)) {}

    template <class R>
    void operator()(const R& record) {
        ++number_;
        c_.w.BeginRecord();
        writer_(record);
        if (!c_.w.EndRecord()) c_.LeftOutNotFinite(EntityKind<R>::name, number_, where_);
    }

  private:
    Context& c_;
    EntityWriter writer_;
    std::string where_;
    size_t number_ = 0;
};

// For each definition, the definitions its insertions must not name: those
// through which it would contain itself (the edges back to a definition
// still open in a depth-first walk). DXF readers refuse such blocks; what
// remains shows every definition once on each path.
std::vector<std::vector<int32_t>> BackEdges(const TJwwData& doc, const DefinitionIndex& index) {
    std::vector<std::vector<int32_t>> targets;
    ForEachDefinition(doc, [&](const TEntJwwBlockDef& def) {
        std::vector<int32_t>& inserted = targets.emplace_back();
        ForEachEntityOf<TEntJwwBlock>(EntityView::Of(def), [&](const TEntJwwBlock& b) {
            const int32_t found = index.Find(b.nNumber);
            if (found >= 0 && std::find(inserted.begin(), inserted.end(), found) == inserted.end())
                inserted.push_back(found);
        });
    });
    enum class Mark { New, Open, Done };
    std::vector<Mark> marks(targets.size(), Mark::New);
    std::vector<std::vector<int32_t>> back(targets.size());
    struct Step {
        size_t node;
        size_t next = 0;
    };
    for (size_t root = 0; root < targets.size(); ++root) {
        if (marks[root] != Mark::New) continue;
        std::vector<Step> path{{root}};
        marks[root] = Mark::Open;
        while (!path.empty()) {
            Step& step = path.back();
            if (step.next == targets[step.node].size()) {
                marks[step.node] = Mark::Done;
                path.pop_back();
                continue;
            }
            const int32_t child = targets[step.node][step.next++];
            const auto c = static_cast<size_t>(child);
            if (marks[c] == Mark::Open) {
                back[step.node].push_back(child);
            } else if (marks[c] == Mark::New) {
                marks[c] = Mark::Open;
                path.push_back({c});
            }
        }
    }
    return back;
}

void BlockBegin(Context& c, uint64_t record, std::string_view name, std::string_view layer) {
    c.BeginRecord("BLOCK", c.NewHandleIfAny(), record);
    c.Subclass("AcDbEntity");
    c.w.Tag(8, layer);
    c.Subclass("AcDbBlockBegin");
    c.w.Tag(2, name);
    c.w.Int(70, 0);
    c.w.Point(10, 0, 0);
    c.w.Tag(3, name);
    c.w.Tag(1, "");
}

void BlockEnd(Context& c, uint64_t record, std::string_view layer) {
    c.BeginRecord("ENDBLK", c.NewHandleIfAny(), record);
    c.Subclass("AcDbEntity");
    c.w.Tag(8, layer);
    c.Subclass("AcDbBlockEnd");
}

// Each insertion left out to break a cycle, named for the user.
void WarnOfCycles(Context& c, const std::vector<std::vector<int32_t>>& back) {
    std::vector<std::u16string> names;
    ForEachDefinition(
        c.doc, [&](const TEntJwwBlockDef& def) { names.emplace_back(BareName(def.strName)); });
    for (size_t i = 0; i < back.size(); ++i) {
        for (const int32_t target : back[i]) {
            const std::string inserted = ToUtf8(names[static_cast<size_t>(target)]);
            c.warnings.push_back("block \"" + ToUtf8(names[i]) + "\" inserts \"" + inserted +
                                 "\", which contains it: that insertion is left out");
        }
    }
}

}  // namespace

void WriteBlocks(Context& c) {
    c.w.Tag(0, "SECTION");
    c.w.Tag(2, "BLOCKS");
    if (c.dialect.blockRecords) {
        for (const auto& [record, name] : {std::pair{c.fixed.modelRecord, "*Model_Space"},
                                           std::pair{c.fixed.paperRecord, "*Paper_Space"}}) {
            BlockBegin(c, record, name, "0");
            BlockEnd(c, record, "0");
        }
    }
    const DefinitionIndex index(Counted(c.doc.EntBlockDef, c.doc.EntBlockDefN));
    const std::vector<std::vector<int32_t>> back = BackEdges(c.doc, index);
    WarnOfCycles(c, back);
    size_t i = 0;
    ForEachDefinition(c.doc, [&](const TEntJwwBlockDef& def) {
        const uint64_t record = c.blockRecords[i];
        const std::string& layer = c.names.Layer(def.att);
        BlockBegin(c, record, c.names.Block(i), layer);
        ForEachEntity(EntityView::Of(def),
                      FiniteRecords(c, EntityWriter(c, index, back[i], record, false),
                                    "block " + c.names.Block(i)));
        BlockEnd(c, record, layer);
        ++i;
    });
    c.w.Tag(0, "ENDSEC");
}

void WriteEntities(Context& c) {
    c.w.Tag(0, "SECTION");
    c.w.Tag(2, "ENTITIES");
    const DefinitionIndex index(Counted(c.doc.EntBlockDef, c.doc.EntBlockDefN));
    const std::vector<int32_t> none;
    ForEachEntity(
        EntityView::Of(c.doc),
        FiniteRecords(c, EntityWriter(c, index, none, c.fixed.modelRecord, true), "the drawing"));
    c.w.Tag(0, "ENDSEC");
}

}  // namespace tw::dxf
