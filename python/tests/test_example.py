"""The Python example runs, and what it writes opens in Jw_cad's reader and ezdxf."""
import os
import pathlib
import subprocess
import sys

import ezdxf

import tintwright

EXAMPLE = pathlib.Path(__file__).parents[2] / "examples" / "floor_plan.py"


def test_floor_plan_example(tmp_path):
    done = subprocess.run([sys.executable, str(EXAMPLE), str(tmp_path)],
                          capture_output=True, text=True, env=os.environ, check=False)
    assert done.returncode == 0, done.stderr
    drawing = tintwright.read(tmp_path / "floor-plan.jww")
    assert [e.kind for e in drawing.entities].count("block") == 2
    assert len(drawing.query(kind="line", layer=1)) == 4
    dxf = ezdxf.readfile(tmp_path / "floor-plan.dxf")
    assert len(dxf.modelspace().query("INSERT")) == 2
    assert "walls: 4 lines" in done.stdout
