// build_drawing: a first program with the Tintwright drawing library. It
// builds a small floor plan with the document's building operations (walls,
// a door kept as a block and placed twice, a column, a label, a dimension and
// a filled area) and saves it as a JWW file that Jw_cad opens.
//
//   build_drawing [OUTPUT]      OUTPUT defaults to "floor-plan.jww"; an
//                               existing file of that name is replaced.
//
// Every AddEnt operation takes one struct of named arguments
// (document/EntityArgs.h) that starts with the same seven attributes
// (tw::AttrArgs):
//   cn  group number (0: none)        lg  layer group, 0 to 15
//   ly  layer in the group, 0 to 15   co  pen colour, 1 to 9 or 101 to 356
//   tp  line type, 1 (solid) to 9     wd  line width x 100, 0 for the pen's
//   fl  flag bits (0 for ordinary entities)
// Lengths are in millimetres on paper scale 1:1 and angles in degrees.
#include <cstdint>
#include <iostream>
#include <string>

#include "document/JwwUnit.h"
#include "util/Func_2.h"

namespace {

constexpr int32_t kWallPen = 2;    // pen 2, drawn thicker by default
constexpr int32_t kDetailPen = 1;  // pen 1
constexpr int32_t kSolid = 1;      // continuous line type
constexpr int32_t kDashed = 2;
constexpr int32_t kWallLayer = 1, kDoorLayer = 2, kNoteLayer = 3;
constexpr int32_t kVersion700 = 700;  // format version x 100

// The attributes of an entity on `layer` (group 0) drawn with pen and line type.
tw::AttrArgs On(int32_t layer, int32_t pen, int32_t lineType, int32_t flags = 0) {
    return {.cn = 0, .lg = 0, .ly = layer, .co = pen, .tp = lineType, .wd = 0, .fl = flags};
}

// A door 900 wide with its swing, as a block definition. Returns its number,
// which insertions refer to, or -1.
int32_t DefineDoor(tw::TJwwData& doc) {
    if (!doc.AddBlkDef(0, 0, kDoorLayer, kDetailPen, kSolid, 0, 0, 0, u"door")) return -1;
    const int32_t door = doc.EntBlockDefN - 1;  // the new definition is the last one
    bool ok = doc.AddBlk(
        door, tw::LineArgs{.a = On(kDoorLayer, kDetailPen, kSolid), .p1 = {0, 0}, .p2 = {0, 900}});
    ok &= doc.AddBlk(door, tw::ArcArgs{.a = On(kDoorLayer, kDetailPen, kDashed),
                                       .centre = {0, 0},
                                       .pr = 900,  // radius
                                       .ph = 1.0,  // flattening: a circle's arc
                                       .psa = 0,   // start angle
                                       .pda = 90,  // swept angle
                                       .pka = 0});
    doc.AddBlkDefPost(door);
    return ok ? doc.GetBlkNumber(door) : -1;
}

bool AddWalls(tw::TJwwData& doc) {
    const double corners[][2] = {{0, 0}, {6000, 0}, {6000, 4000}, {0, 4000}};
    bool ok = true;
    for (int i = 0; i < 4; ++i) {
        const double* a = corners[i];
        const double* b = corners[(i + 1) % 4];
        ok &= doc.AddEnt(tw::LineArgs{
            .a = On(kWallLayer, kWallPen, kSolid), .p1 = {a[0], a[1]}, .p2 = {b[0], b[1]}});
    }
    return ok;
}

bool AddDetails(tw::TJwwData& doc, int32_t door) {
    const std::u16string font = u"MS Gothic";
    // Two doors: the block placed at two points, the second turned by 90 degrees.
    const tw::AttrArgs doorAttr = On(kDoorLayer, kDetailPen, kSolid);
    bool ok = doc.AddEnt(
        tw::BlockArgs{.a = doorAttr, .bn = door, .at = {1000, 0}, .pbx = 1, .pby = 1, .pa = 0});
    ok &= doc.AddEnt(
        tw::BlockArgs{.a = doorAttr, .bn = door, .at = {6000, 2500}, .pbx = 1, .pby = 1, .pa = 90});
    // A round column, filled: a full circle solid of pen colour 10, which
    // uses the solid's own colour (red + green x 256 + blue x 65536).
    const tw::Point2 column{3000, 2000};
    ok &= doc.AddEnt(tw::ArcArgs{.a = On(kWallLayer, kWallPen, kSolid),
                                 .centre = column,
                                 .pr = 150,
                                 .ph = 1.0,
                                 .psa = 0,
                                 .pda = 360,
                                 .pka = 0});
    ok &= doc.AddEnt(tw::CurvedSolidAArgs{
        .a = On(kWallLayer, 10, 0),
        .fc = 0x808080,
        .curve = {.centre = column, .pr = 150, .ph = 1.0, .pka = 0, .psa = 0, .pda = 0},
        .full = true});
    // A label centred (base point 5, given as the line type) in the room,
    // 250 wide and high.
    const std::u16string label = u"Living room";
    ok &= doc.AddEnt(tw::TextAtArgs{
        .a = On(kNoteLayer, kDetailPen, 5),
        .text = {.ms = 0, .pw = 250, .ph = 250, .pd = 25, .pa = 0, .pf = font, .ps = label},
        .base = {3000, 3000}});
    // The room's width: a dimension line below the wall with its text
    // just above the line (base point 2 is the text's bottom centre).
    const std::u16string width = u"6000";
    ok &= doc.AddEnt(tw::DimensionAtArgs{
        .dim =
            {.a = On(kNoteLayer, kDetailPen, kSolid),
             .p1 = {0, -600},
             .p2 = {6000, -600},
             .co2 = kDetailPen,
             .tp2 = 2,
             .wd2 = 0,
             .fl2 = 0,
             .text = {.ms = 0, .pw = 200, .ph = 200, .pd = 20, .pa = 0, .pf = font, .ps = width}},
        .textBase = {3000, -550}});
    return ok;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string output = argc > 1 ? argv[1] : "floor-plan.jww";

    tw::TJwwData doc;
    doc.DataDefaultSet();  // layers, pens, line types and settings of a new drawing
    doc.Enthd.strMemo = u"Floor plan built with Tintwright";

    // AddEntPre reserves room for a batch; AddEntPost trims the arrays and
    // works out which blocks are in use, which the file needs.
    bool ok = doc.AddEntPre();
    const int32_t door = DefineDoor(doc);
    ok &= door >= 0 && AddWalls(doc) && AddDetails(doc, door);
    ok &= doc.AddEntPost();
    if (!ok) {
        std::cerr << "build_drawing: out of memory while building the drawing\n";
        return 1;
    }

    if (!doc.FileOut(tw::FromUtf8(output), kVersion700)) {
        std::cerr << "build_drawing: could not write " << output << '\n';
        return 1;
    }

    // Read the file back, as any JWW reader would.
    tw::TJwwData check;
    if (!check.FileIn(tw::FromUtf8(output))) {
        std::cerr << "build_drawing: " << output << " does not read back\n";
        return 1;
    }
    std::cout << "wrote " << output << ": " << check.Enthd.n1 << " entities, " << check.EntBlockDefN
              << " block definition(s)\n";
    return 0;
}
