"""One run of the Python module beside ezdxf: a real drawing read and its
entities iterated (ezdxf reads the same drawing as DXF), and 100,000 lines
built and written as DXF 2007.

    PYTHONPATH=build/python /usr/bin/python3 bench/python_vs_ezdxf.py DRAWING.jww"""
import pathlib
import sys
import tempfile
import time

import ezdxf

import tintwright

LINES = 100_000


def timed(what, work):
    start = time.perf_counter()
    result = work()
    print(f"{what:<44} {time.perf_counter() - start:8.3f} s  ({result})")


def read_tintwright(jww):
    return sum(1 for e in tintwright.read(jww).entities if e.kind)


def read_ezdxf(dxf):
    return sum(1 for e in ezdxf.readfile(dxf).modelspace() if e.dxftype())


def export_tintwright(path):
    drawing = tintwright.Drawing()
    for i in range(LINES):
        drawing.add_line((i, 0), (i, 100))
    drawing.export_dxf(path)
    return f"{path.stat().st_size} bytes"


def export_ezdxf(path):
    doc = ezdxf.new("R2007")
    space = doc.modelspace()
    for i in range(LINES):
        space.add_line((i, 0), (i, 100))
    doc.saveas(path)
    return f"{path.stat().st_size} bytes"


def main():
    jww = pathlib.Path(sys.argv[1])
    with tempfile.TemporaryDirectory() as folder:
        folder = pathlib.Path(folder)
        dxf = folder / "drawing.dxf"
        tintwright.read(jww).export_dxf(dxf)
        timed(f"tintwright: read {jww.name}, iterate", lambda: read_tintwright(jww))
        timed(f"ezdxf: read {jww.name} as DXF, iterate", lambda: read_ezdxf(dxf))
        timed(f"tintwright: {LINES} lines to DXF", lambda: export_tintwright(folder / "t.dxf"))
        timed(f"ezdxf: {LINES} lines to DXF", lambda: export_ezdxf(folder / "e.dxf"))


if __name__ == "__main__":
    main()
