"""Builds the module with the project's CMake preset (make python) and hands
the built extension to setuptools."""
import pathlib
import shutil
import subprocess
import sys

from setuptools import Extension, setup
from setuptools.command.build_ext import build_ext

SOURCE = pathlib.Path(__file__).resolve().parent


class CMakeBuild(build_ext):
    def build_extension(self, ext):
        python = f"-DPython3_EXECUTABLE={sys.executable}"
        subprocess.run(["cmake", "--preset", "release", python], cwd=SOURCE, check=True)
        subprocess.run(["cmake", "--build", "--preset", "release", "--target", "tintwright_python"],
                       cwd=SOURCE, check=True)
        built = sorted((SOURCE / "build" / "python").glob("tintwright.*.so"))
        if not built:
            raise RuntimeError("CMake built no module into build/python")
        target = pathlib.Path(self.get_ext_fullpath(ext.name))
        target.parent.mkdir(parents=True, exist_ok=True)
        shutil.copyfile(built[-1], target)


setup(ext_modules=[Extension("tintwright", sources=[])], cmdclass={"build_ext": CMakeBuild},
      packages=[], py_modules=[],
      options={"build": {"build_base": "build/setuptools"}, "egg_info": {"egg_base": "build"}})
