"""What careless or concurrent use must not break: renders from worker
threads, drawings with embedded images through save, export and render,
consent before replacing a file, never an output over the drawing's own
file, and a Drawing made by __new__ alone."""
import gzip
import subprocess
import sys
import struct
import zlib
from concurrent.futures import ThreadPoolExecutor

import pytest

import tintwright
from conftest import DRAWINGS, cli


def tiny_png(width=4, height=3):
    """A real PNG of red pixels, made without any imaging library."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    rows = b"".join(b"\x00" + b"\xff\x00\x00" * width for _ in range(height))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


def drawing_with_images(path, images):
    """A 7.00 drawing whose texts place each image and which embeds them
    gzip-compressed, as Jw_cad stores them: the writer's file with its image
    section (the last four bytes, a count of 0) replaced by the images."""
    d = tintwright.Drawing()
    for i, name in enumerate(images):
        d.add_text(f"^@BM%temp%{name},40,30", (-100 + 60 * i, 0))
    d.save(path, version="7.00")
    data = path.read_bytes()
    assert data[-4:] == b"\0\0\0\0"
    section = struct.pack("<i", len(images))
    for name, content in images.items():
        stored = (name + ".gz").encode("ascii")
        packed = gzip.compress(content)
        section += bytes([len(stored)]) + stored + struct.pack("<i", len(packed)) + packed
    path.write_bytes(data[:-4] + section)
    return path


@pytest.fixture
def pictured(tmp_path):
    return drawing_with_images(tmp_path / "pictured.jww", {"a.png": tiny_png(), "b.png": tiny_png(2, 2)})


@pytest.mark.parametrize("workers", [1, 4])
@pytest.mark.parametrize("extension", ["png", "pdf"])
def test_renders_from_worker_threads(tmp_path, workers, extension):
    drawings = [tintwright.read(p) for p in DRAWINGS]

    def render(i):
        out = tmp_path / f"{workers}-{i}.{extension}"
        drawings[i].render(out, dpi=30)
        return out.read_bytes()

    with ThreadPoolExecutor(max_workers=workers) as pool:
        pictures = list(pool.map(render, range(len(drawings))))
    for i, picture in enumerate(pictures):
        if extension == "png":  # the same picture as drawn alone on this thread
            alone = tmp_path / f"alone-{i}.png"
            drawings[i].render(alone, dpi=30)
            assert picture == alone.read_bytes(), DRAWINGS[i].name
        else:
            assert picture.startswith(b"%PDF")


def test_images_survive_a_save(tmp_path, pictured):
    saved = tmp_path / "saved.jww"
    tintwright.read(pictured).save(saved, version="7.00")
    assert saved.read_bytes() == pictured.read_bytes()


def test_export_writes_every_placed_image_as_the_command_line(tmp_path, pictured):
    ours, theirs = tmp_path / "ours", tmp_path / "theirs"
    ours.mkdir()
    theirs.mkdir()
    warnings = tintwright.read(pictured).export_dxf(ours / "p.dxf")
    cli("export", pictured, theirs / "p.dxf")
    assert warnings == []
    assert (ours / "p.dxf").read_bytes() == (theirs / "p.dxf").read_bytes()
    assert (ours / "p.dxf").read_bytes().count(b"\n0\nIMAGE\n") == 2
    for name in ("a.png", "b.png"):
        assert (ours / "p_images" / name).read_bytes() == (theirs / "p_images" / name).read_bytes()


def test_render_draws_the_images_and_reports_as_the_command_line(tmp_path, pictured):
    ours, theirs = tmp_path / "ours.png", tmp_path / "theirs.png"
    report = tintwright.read(pictured).render(ours, dpi=40)
    said = cli("render", pictured, theirs, "--dpi", "40").decode()
    assert ours.read_bytes() == theirs.read_bytes()
    assert said == f"{theirs}: {report}\n"
    assert report.drawn == report.visited == 2 and report.undrawable == 0


WRITERS = {
    "save": lambda d, p, **kw: d.save(p, **kw),
    "export_dxf": lambda d, p, **kw: d.export_dxf(p, **kw),
    "render": lambda d, p, **kw: d.render(p, **kw),
    "chart": lambda d, p, **kw: tintwright.chart(p, **kw),
}
SUFFIX = {"save": ".jww", "export_dxf": ".dxf", "render": ".svg", "chart": ".jww"}


@pytest.mark.parametrize("writer", WRITERS)
def test_an_existing_file_is_replaced_only_with_overwrite(tmp_path, writer):
    target = tmp_path / ("out" + SUFFIX[writer])
    target.write_bytes(b"the user's own file")
    drawing = tintwright.read(DRAWINGS[0])
    with pytest.raises(FileExistsError, match="overwrite=True"):
        WRITERS[writer](drawing, target)
    assert target.read_bytes() == b"the user's own file"
    WRITERS[writer](drawing, target, overwrite=True)
    assert target.read_bytes() != b"the user's own file"


@pytest.mark.parametrize("writer", ["export_dxf", "render"])
def test_no_output_replaces_the_drawings_own_file(tmp_path, writer):
    own = tmp_path / "own.jww"
    own.write_bytes(DRAWINGS[0].read_bytes())
    link = tmp_path / "link.svg"
    link.symlink_to(own)
    drawing = tintwright.read(own)
    for target in (own, link):
        with pytest.raises(ValueError, match="is the input itself"):
            WRITERS[writer](drawing, target, overwrite=True)
    assert own.read_bytes() == DRAWINGS[0].read_bytes()


def test_an_image_file_of_the_user_is_kept_and_the_refusal_names_overwrite(tmp_path, pictured):
    (tmp_path / "p_images").mkdir()
    (tmp_path / "p_images" / "a.png").write_bytes(b"mine")
    with pytest.raises(ValueError, match=r"already exists; use overwrite=True"):
        tintwright.read(pictured).export_dxf(tmp_path / "p.dxf")
    assert (tmp_path / "p_images" / "a.png").read_bytes() == b"mine"
    assert not (tmp_path / "p.dxf").exists()


def test_a_drawing_made_by_new_alone_is_a_new_empty_drawing(tmp_path):
    made = tintwright.Drawing.__new__(tintwright.Drawing)
    assert made.entities == []
    made.add_line((0, 0), (10, 0))
    made.save(tmp_path / "made.jww")
    assert len(tintwright.read(tmp_path / "made.jww").entities) == 1


@pytest.mark.parametrize("text_code", ["ansi", "utf16"])
@pytest.mark.parametrize("length", [65533, 65534, 65535, 70000])
def test_a_long_block_name_saves_and_reads_back(tmp_path, length, text_code):
    name = "N" * length
    d = tintwright.Drawing()
    d.add_block_definition(name)
    d.add_line((0, 0), (1, 1), block=name)
    d.insert(name, (5, 5))  # only definitions in use are saved
    d.save(tmp_path / "long.jww", version="7.00", text_code=text_code)
    assert tintwright.read(tmp_path / "long.jww").blocks == d.blocks


def test_a_read_drawing_saves_as_it_was_read(tmp_path, drawing_path):
    saved = tmp_path / "saved.jww"
    tintwright.read(drawing_path).save(saved)
    assert saved.read_bytes() == drawing_path.read_bytes()


def test_a_utf16_drawing_keeps_its_characters_and_says_what_ansi_loses(tmp_path):
    d = tintwright.Drawing()
    d.add_text("吉野家 𠮷 ♻ 髙", (0, 0))
    d.save(tmp_path / "wide.jww", version="7.00", text_code="utf16")
    read = tintwright.read(tmp_path / "wide.jww")
    assert (read.version, read.text_code) == (700, "utf16")
    read.save(tmp_path / "again.jww")
    assert (tmp_path / "again.jww").read_bytes() == (tmp_path / "wide.jww").read_bytes()
    with pytest.warns(UserWarning, match="characters"):
        read.save(tmp_path / "ansi.jww", text_code="ansi")
    assert tintwright.read(tmp_path / "ansi.jww").entities[0].text == "吉野家 ? ? 髙"


def test_an_interpreter_whose_first_render_is_on_a_worker_exits_cleanly(tmp_path):
    script = (
        "import sys, tintwright\n"
        "from concurrent.futures import ThreadPoolExecutor\n"
        "d = tintwright.read(sys.argv[1])\n"
        "with ThreadPoolExecutor(max_workers=1) as pool:\n"
        "    pool.submit(d.render, sys.argv[2]).result()\n")
    done = subprocess.run([sys.executable, "-c", script, str(DRAWINGS[0]), str(tmp_path / "x.png")],
                          capture_output=True, check=False)
    assert done.returncode == 0, done.stderr.decode(errors="replace")
    assert (tmp_path / "x.png").read_bytes().startswith(b"\x89PNG")
