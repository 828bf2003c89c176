// Entity building: the AddEnt operations add one entity each to the drawing,
// AddEntPre and AddEntPost bracket a batch. The records are made by
// document/EntityRecords and appended through document/EntityTarget, which
// block definitions share.
#include <tintwright/document/EntityRecords.h>
#include <tintwright/document/EntityTarget.h>
#include <tintwright/document/JwwUnit.h>

namespace tw {

using namespace build;

namespace {

template <class Args>
bool AddToDrawing(TJwwData& doc, const Args& args) {
    return AddTo(DrawingTarget(doc), [&] { return MakeRecord(doc, args); });
}

}  // namespace

bool TJwwData::AddEntPre() {
    bool ok = ReserveStep(DrawingTarget(*this));
    for (int32_t i = 0; IsDefinitionIndex(*this, i); ++i) {
        ok = ReserveStep(DefinitionTarget(EntBlockDef[i])) && ok;
    }
    return ok;
}

bool TJwwData::AddEntPost() {
    bool ok = TrimToCounts(DrawingTarget(*this));
    for (int32_t i = 0; IsDefinitionIndex(*this, i); ++i) {
        ok = TrimToCounts(DefinitionTarget(EntBlockDef[i])) && ok;
    }
    MakeBlockTree();
    return ok;
}

bool TJwwData::AddEnt(const LineArgs& args) {
    return AddToDrawing(*this, args);
}

bool TJwwData::AddEnt(const ArcArgs& args) {
    return AddToDrawing(*this, args);
}

bool TJwwData::AddEnt(const PointArgs& args) {
    return AddToDrawing(*this, args);
}

bool TJwwData::AddEnt(const TextBetweenArgs& args) {
    return AddToDrawing(*this, args);
}

bool TJwwData::AddEnt(const TextAtArgs& args) {
    return AddToDrawing(*this, args);
}

bool TJwwData::AddEnt(const DimensionBetweenArgs& args) {
    return AddToDrawing(*this, args);
}

bool TJwwData::AddEnt(const DimensionAtArgs& args) {
    return AddToDrawing(*this, args);
}

bool TJwwData::AddEnt(const SxfDimensionBetweenArgs& args) {
    return AddToDrawing(*this, args);
}

bool TJwwData::AddEnt(const SxfDimensionAtArgs& args) {
    return AddToDrawing(*this, args);
}

bool TJwwData::AddEnt(const SxfDimensionByGapsArgs& args) {
    return AddToDrawing(*this, args);
}

bool TJwwData::AddEnt(const SolidArgs& args) {
    return AddToDrawing(*this, args);
}

bool TJwwData::AddEnt(const CurvedSolidAArgs& args) {
    return AddToDrawing(*this, args);
}

bool TJwwData::AddEnt(const CurvedSolidCArgs& args) {
    return AddToDrawing(*this, args);
}

bool TJwwData::AddEnt(const CurvedSolidDArgs& args) {
    return AddToDrawing(*this, args);
}

bool TJwwData::AddEnt(const BlockArgs& args) {
    return IsDefinitionIndex(*this, args.bn) && AddToDrawing(*this, args);
}

}  // namespace tw
