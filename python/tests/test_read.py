"""Real drawings read by the module agree with `tintwright-cli dump --json`."""
import pytest

import tintwright
from conftest import dump


def test_counts_layers_and_header_equal_the_dump(drawing_path):
    drawing = tintwright.read(drawing_path)
    expected = dump(drawing_path)
    assert drawing.version == expected["version"]
    assert drawing.memo == expected["memo"]
    assert drawing.counts == expected["counts"]
    assert drawing.header == expected["header"]
    assert drawing.blocks == expected["blocks"]
    assert len(drawing.colors) == 257
    assert [(l["group"], l["layer"], l["name"], l["state"], l["entities"], l["in_blocks"])
            for l in drawing.layers] == [
        (l["group"], l["layer"], l["name"], l["state"], l["entities"], l["in_blocks"])
        for l in expected["layers"]]
    usage = {(l["group"], l["layer"]): (l["entities"], l["in_blocks"])
             for l in expected["layers"] if l["entities"] or l["in_blocks"]}
    assert drawing.layer_usage() == usage


def test_entities_in_drawing_order_with_their_geometry(drawing_path):
    drawing = tintwright.read(drawing_path)
    expected = dump(drawing_path)["entities"]
    entities = drawing.entities
    assert [e.kind for e in entities] == [e["kind"] for e in expected]
    for entity, record in zip(entities, expected):
        assert (entity.group, entity.layer, entity.pen, entity.line_type) == (
            record["att"]["nGLayer"], record["att"]["nLayer"], record["att"]["nPenColor"],
            record["att"]["nPenStyle"])
    lines = [e for e in expected if e["kind"] == "line"]
    array = drawing.lines_array()
    assert array.shape == (len(lines), 4) and array.dtype == "float64"
    assert array.tolist() == [[l["start_x"], l["start_y"], l["end_x"], l["end_y"]] for l in lines]


def test_query_filters_by_kind_layer_and_group(drawing_path):
    drawing = tintwright.read(drawing_path)
    entities = drawing.entities
    first = entities[0]
    assert drawing.query(kind="line") == [] or all(
        e.kind == "line" for e in drawing.query(kind="line"))
    assert len(drawing.query(kind="line")) == len([e for e in entities if e.kind == "line"])
    chosen = drawing.query(group=first.group, layer=first.layer)
    assert len(chosen) == len(
        [e for e in entities if (e.group, e.layer) == (first.group, first.layer)])


@pytest.mark.parametrize("damage", ["truncated", "not a drawing", "missing"])
def test_damaged_files_raise_read_error(tmp_path, damage):
    source = sorted(__import__("conftest").DRAWINGS)[0].read_bytes()
    path = tmp_path / "damaged.jww"
    if damage == "truncated":
        path.write_bytes(source[: len(source) // 2])
    elif damage == "not a drawing":
        path.write_bytes(b"not a JWW drawing at all" * 10)
    with pytest.raises(tintwright.ReadError) as raised:
        tintwright.read(path)
    assert raised.value.reason
    assert isinstance(raised.value.offset, int)
    if damage == "truncated":
        assert 0 < raised.value.offset <= len(source) // 2
