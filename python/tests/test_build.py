"""A drawing built in Python, saved and read back; bad arguments refused."""
import math

import pytest

import tintwright


def build():
    d = tintwright.Drawing()
    d.memo = "built in Python"
    door = d.add_block_definition("door", layer=2)
    d.add_line((0, 0), (0, 900), block=door, layer=2)
    d.add_arc((0, 0), 900, start_angle=0, swept_angle=90, block=door, layer=2, line_type=2)
    d.add_line((0, 0), (6000, 0), layer=1, pen=2)
    d.add_arc((3000, 2000), 150, layer=1)
    d.add_point((10, 20), marker=3, marker_scale=2)
    d.add_text("Living room", (3000, 3000), base=5, width=250, height=250, layer=3)
    d.add_solid([(0, 0), (100, 0), (100, 100)], color=0x808080, pen=10)
    d.add_dimension((0, -600), (6000, -600), text="6000", text_at=(3000, -550), layer=3)
    d.insert(door, (1000, 0), angle=90, layer=2)
    return d


@pytest.mark.parametrize("version, text_code", [("6.00", "ansi"), ("7.00", "utf16"), ("4.20", "ansi")])
def test_built_drawing_reads_back(tmp_path, version, text_code):
    path = tmp_path / "built.jww"
    build().save(path, version=version, text_code=text_code)
    back = tintwright.read(path)
    assert back.memo == "built in Python"
    assert [e.kind for e in back.entities] == [
        "line", "arc", "point", "text", "solid", "dimension", "block"]
    line, arc, point, text, solid, dim, insert = back.entities
    assert (line.start, line.end, line.layer, line.pen) == ((0, 0), (6000, 0), 1, 2)
    assert arc.full and arc.radius == 150 and arc.centre == (3000, 2000)
    assert (point.at, point.marker, point.marker_scale) == ((10, 20), 3, 2)
    assert text.text == "Living room" and text.height == 250
    assert solid.points[3] == solid.points[0] and solid.color == 0x808080
    assert dim.text == "6000" and dim.start == (0, -600)
    assert insert.at == (1000, 0) and math.isclose(insert.angle, math.pi / 2)
    assert back.blocks[0]["members"] == 2


@pytest.mark.parametrize("call", [
    lambda d: d.add_line((0, 0), (1, 1), layer=16),
    lambda d: d.add_line((0, 0), (1, 1), group=-1),
    lambda d: d.add_line((0, 0), (float("nan"), 1)),
    lambda d: d.add_line((0, 0), (1, 1), pen=1000),
    lambda d: d.add_arc((0, 0), 0),
    lambda d: d.add_text("", (0, 0)),
    lambda d: d.add_text("a", (0, 0), base=10),
    lambda d: d.add_solid([(0, 0)]),
    lambda d: d.add_line((0, 0), (1, 1), block="no such block"),
    lambda d: d.insert("no such block", (0, 0)),
    lambda d: d.add_block_definition(""),
    lambda d: d.save("x.jww", version="9.99"),
    lambda d: d.save("x.jww", text_code="latin1"),
    lambda d: d.export_dxf("x.dxf", version="2018"),
    lambda d: d.export_dxf("x.dxf", units="inch"),
    lambda d: d.render("x.bmp"),
    lambda d: d.render("x.svg", dpi=0),
    lambda d: d.render("x.svg", fit="page"),
    lambda d: tintwright.chart("x.jww", palette="rainbow"),
])
def test_bad_arguments_raise_value_error(tmp_path, monkeypatch, call):
    monkeypatch.chdir(tmp_path)
    with pytest.raises(ValueError):
        call(tintwright.Drawing())
    assert list(tmp_path.iterdir()) == []


def test_unknown_attribute_is_a_type_error():
    with pytest.raises(TypeError):
        tintwright.Drawing().add_line((0, 0), (1, 1), colour=3)


def test_failed_save_keeps_the_existing_file(tmp_path):
    folder = tmp_path / "no such folder" / "x.jww"
    with pytest.raises(ValueError):
        build().save(folder)
    assert not folder.parent.exists()


def test_a_drawing_in_use_by_another_thread_refuses_changes(tmp_path):
    # The export reads the drawing with the GIL released; a change meanwhile
    # would move its arrays under it. Every change while it runs must raise.
    import threading

    d = tintwright.Drawing()
    for i in range(200_000):
        d.add_line((i, 0), (i, 10))
    started = threading.Event()
    exporting = threading.Thread(
        target=lambda: (started.set(), d.export_dxf(tmp_path / "big.dxf", version="R12")))
    exporting.start()
    started.wait()
    refused = 0
    while exporting.is_alive():
        try:
            d.add_line((0, 0), (1, 1))
            d.add_line((0, 0), (1, 1), pen=2)
        except RuntimeError:
            refused += 1
    exporting.join()
    assert refused > 0
    d.add_line((0, 0), (1, 1))  # free again once the export ended
