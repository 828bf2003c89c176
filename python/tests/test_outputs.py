"""Files the module writes are byte for byte those of the command line."""
import pytest

import tintwright
from conftest import DRAWINGS, cli


@pytest.mark.parametrize("version, units", [("2007", "real"), ("2000", "paper"), ("R12", "real")])
def test_export_dxf_equals_the_command_line(tmp_path, drawing_path, version, units):
    ours = tmp_path / "module.dxf"
    theirs = tmp_path / "cli.dxf"
    tintwright.read(drawing_path).export_dxf(ours, version=version, units=units)
    cli("export", drawing_path, theirs, "--dxf", version, "--units", units)
    assert ours.read_bytes() == theirs.read_bytes()


@pytest.mark.parametrize("palette, version, text_code", [
    ("dxf", "6.00", "ansi"), ("mix", "7.00", "utf16"), ("grad", "4.20", "ansi")])
def test_chart_equals_the_command_line(tmp_path, palette, version, text_code):
    ours = tmp_path / "module.jww"
    theirs = tmp_path / "cli.jww"
    tintwright.chart(ours, palette=palette, version=version, text_code=text_code)
    cli("chart", theirs, "--palette", palette, "--format", version, "--text-code", text_code)
    assert ours.read_bytes() == theirs.read_bytes()


def test_render_svg_equals_the_command_line(tmp_path):
    ours = tmp_path / "module.svg"
    theirs = tmp_path / "cli.svg"
    tintwright.read(DRAWINGS[0]).render(ours, fit="extents", background="black", print=True)
    cli("render", DRAWINGS[0], theirs, "--fit", "extents", "--background", "black", "--print")
    assert ours.read_bytes() == theirs.read_bytes()


def test_extents_hold_every_line(drawing_path):
    drawing = tintwright.read(drawing_path)
    box = drawing.extents()
    lines = drawing.lines_array()
    if len(lines):
        assert box[0] <= lines[:, [0, 2]].min() and lines[:, [0, 2]].max() <= box[2]
        assert box[1] <= lines[:, [1, 3]].min() and lines[:, [1, 3]].max() <= box[3]


def test_print_extents_leave_out_what_does_not_print():
    drawing = tintwright.Drawing()
    drawing.add_line((0, 0), (10, 10), pen=2)
    drawing.add_line((500, 500), (600, 600), pen=9)  # the auxiliary colour: screen only
    assert drawing.extents() == (0, 0, 600, 600)
    assert drawing.extents(print=True) == (0, 0, 10, 10)


def test_export_dxf_defaults_to_2007_in_real_units(tmp_path):
    drawing = tintwright.read(DRAWINGS[0])
    written = {}
    for name, options in [("default", {}), ("real", {"version": "2007", "units": "real"}),
                          ("paper", {"version": "2007", "units": "paper"})]:
        drawing.export_dxf(tmp_path / f"{name}.dxf", **options)
        written[name] = (tmp_path / f"{name}.dxf").read_bytes()
    assert written["default"] == written["real"]
    assert written["default"] != written["paper"]  # the drawing is not at 1:1
