"""floor_plan.py: the Tintwright Python module in a few lines. It builds a
small floor plan (walls, a door kept as a block and placed twice, a label and
a dimension), saves it as a JWW file, reads it back, lists what it holds and
exports it to DXF.

    python3 examples/floor_plan.py [FOLDER]     (build/python on PYTHONPATH)

Lengths are paper millimetres at 1:1, angles in degrees."""
import pathlib
import sys

import tintwright

WALLS, DOORS, NOTES = 1, 2, 3


def build():
    drawing = tintwright.Drawing()
    drawing.memo = "Floor plan built with Tintwright from Python"
    door = drawing.add_block_definition("door", layer=DOORS)
    drawing.add_line((0, 0), (0, 900), block=door, layer=DOORS)
    drawing.add_arc((0, 0), 900, start_angle=0, swept_angle=90, block=door,
                    layer=DOORS, line_type=2)
    corners = [(0, 0), (6000, 0), (6000, 4000), (0, 4000)]
    for start, end in zip(corners, corners[1:] + corners[:1]):
        drawing.add_line(start, end, layer=WALLS, pen=2)
    drawing.insert(door, (1000, 0), layer=DOORS)
    drawing.insert(door, (6000, 2500), angle=90, layer=DOORS)
    drawing.add_text("Living room", (3000, 3000), base=5, width=250, height=250,
                     layer=NOTES)
    drawing.add_dimension((0, -600), (6000, -600), text="6000", text_at=(3000, -550),
                          width=200, height=200, layer=NOTES)
    return drawing


def main():
    folder = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    jww = folder / "floor-plan.jww"
    build().save(jww, version="7.00")

    drawing = tintwright.read(jww)
    print(f"{jww}: version {drawing.version}, {len(drawing.entities)} entities")
    for (group, layer), (own, in_blocks) in drawing.layer_usage().items():
        print(f"  layer {group:X}-{layer:X}: {own} entities, {in_blocks} in blocks")
    print(f"  walls: {len(drawing.query(kind='line', layer=WALLS))} lines")
    print(f"  extents: {drawing.extents()}")

    warnings = drawing.export_dxf(folder / "floor-plan.dxf")
    print(f"{folder / 'floor-plan.dxf'} written", *warnings, sep="\n  ")


if __name__ == "__main__":
    main()
