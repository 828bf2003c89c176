# Set-up, build and test entry points; see README.md.
.PHONY: deps build test test-release test-sanitize test-windows fuzz run gui bench windows pictures clean
.PHONY: package test-package python web serve test-web

# make fuzz runs each fuzz target this long; for a longer search, e.g.
#   make fuzz FUZZ_SECONDS=3600 FUZZ_RSS_MB=1024
# FUZZ_RSS_MB is libFuzzer's -rss_limit_mb: a memory limit well below the
# machine's, so an input that makes the reader hold too much is a finding.
FUZZ_SECONDS ?= 60
FUZZ_RSS_MB ?= 1024
export FUZZ_RSS_MB
SHARED_DRAWINGS ?= ../shared/testdata/jwcad

deps:
	@scripts/install-deps

build: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release

test: test-release test-package test-sanitize fuzz test-windows test-web

test-release: build
	@ctest --preset release -j2

test-sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize
	@ctest --preset sanitize -j2

# The Python module tintwright, as build/python/tintwright*.so; its tests
# (python/tests) run with the others in make test.
python: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release --target tintwright_python

# The Debian package (build/tintwright_VERSION_ARCH.deb), and its checks: the
# consumer example against an installed prefix, the package's contents, lintian.
package: build
	@cmake --build --preset release --target package

test-package: package
	@scripts/check-install
	@scripts/check-package

# The Windows programs, cross-built with mingw-w64, a zip to hand out and
# the installer (NSIS).
windows: deps
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows
	@mkdir -p dist
	@rm -f dist/tintwright-windows.zip
	@python3 -m zipfile -c dist/tintwright-windows.zip \
		build-windows/bin/tintwright.exe build-windows/bin/tintwright-cli.exe README.md LICENSE
	@cp build-windows/tintwright-setup.exe dist/tintwright-setup.exe
	@echo "dist/tintwright-windows.zip dist/tintwright-setup.exe"

# Under Wine: each library test program once, the command line against the
# Linux one, the window, the viewer, the DLLs the programs import, their
# icon, version information and manifest, and the installer.
test-windows: windows build
	@ctest --preset windows -j2
	@scripts/windows-cli-check build/bin/tintwright-cli build-windows/bin/tintwright-cli.exe \
		$(SHARED_DRAWINGS)
	@scripts/windows-window-check build-windows/bin/tintwright.exe \
		build-windows/cli-check/linux/dxf-6.00-ansi.jww
	@scripts/windows-viewer-check build-windows/bin/tintwright.exe $(SHARED_DRAWINGS)/Test1.jww \
		build/bin/tintwright-cli
	@scripts/windows-dlls build-windows/bin/*.exe
	@scripts/windows-resources "$$(build/bin/tintwright-cli --version | cut -d' ' -f2)" \
		build-windows/bin/tintwright.exe build-windows/bin/tintwright-cli.exe
	@scripts/windows-installer-check dist/tintwright-setup.exe build-windows/bin

# The web page (build-web/dist/: index.html, tintwright.js and .wasm, served
# as they are from any static host). Debian's Emscripten needs Debian's
# acorn when the node on PATH is another one.
WEB_ENV = NODE_PATH=/usr/share/nodejs
SERVE_PORT ?= 8024

web: deps
	@scripts/fetch-zlib-source build-web/_deps
	@$(WEB_ENV) cmake --preset web >/dev/null
	@$(WEB_ENV) cmake --build --preset web
	@echo "build-web/dist/"

serve: web
	@echo "http://127.0.0.1:$(SERVE_PORT)/"
	@python3 -m http.server $(SERVE_PORT) --bind 127.0.0.1 --directory build-web/dist

# The page in headless Chromium against the Linux command line.
test-web: web build
	@/usr/bin/python3 scripts/web-check build-web/dist build/bin/tintwright-cli $(SHARED_DRAWINGS)

fuzz: deps
	@scripts/run-fuzz $(FUZZ_SECONDS)

run: build
	@test -x build/bin/tintwright-cli || { echo "make run: the command line is not built yet"; exit 1; }
	@build/bin/tintwright-cli chart colour-chart.jww --force

gui: build
	@test -x build/bin/tintwright || { echo "make gui: the window is not built yet"; exit 1; }
	@build/bin/tintwright

bench: build
	@test -x build/bin/tintwright-bench || { echo "make bench: the benchmarks are not built yet"; exit 1; }
	@build/bin/tintwright-bench --benchmark_counters_tabular=true --benchmark_enable_random_interleaving=true

# The README's pictures: the three palettes' charts as the renderer draws
# them, the viewer on a real drawing (offscreen on Linux; on Windows under
# Wine, the screen grab its check keeps), and LibreCAD's print of a
# real drawing's DXF export beside our print of it. LibreCAD prints on A4
# portrait whatever paper it is told: Test1 at 0.3, centred, and the band
# it fills cut out.
pictures: build windows
	@tmp=$$(mktemp -d) && trap 'rm -rf "$$tmp"' EXIT && \
	for p in dxf mix grad; do \
	  build/bin/tintwright-cli chart "$$tmp/chart-$$p.jww" --palette $$p >/dev/null && \
	  build/bin/tintwright-cli render "$$tmp/chart-$$p.jww" docs/chart-$$p.png --dpi 60 --force >/dev/null || exit 1; \
	done
	@QT_QPA_PLATFORM=offscreen build/bin/tintwright view $(SHARED_DRAWINGS)/Test1.jww --grab docs/viewer.png
	@scripts/windows-viewer-check build-windows/bin/tintwright.exe $(SHARED_DRAWINGS)/Test1.jww \
		build/bin/tintwright-cli >/dev/null && cp build-windows/viewer-check/viewer.png docs/viewer-win32.png
	@for m in screen print; do \
	  build/bin/tintwright-cli render $(SHARED_DRAWINGS)/Test3.jww docs/test3-$$m.png --dpi 60 --force \
	    $$([ $$m = print ] && echo --print) >/dev/null || exit 1; \
	done
	@tmp=$$(mktemp -d) && trap 'rm -rf "$$tmp"' EXIT && \
	build/bin/tintwright-cli export $(SHARED_DRAWINGS)/Test1.jww "$$tmp/test1.dxf" --dxf 2007 --units paper >/dev/null && \
	(cd "$$tmp" && xvfb-run -a librecad dxf2pdf -c -s 0.3 test1.dxf >/dev/null 2>&1) && \
	pdftoppm -png -r 110 -x 0 -y 380 -W 910 -H 520 -singlefile "$$tmp/test1.pdf" "$$tmp/librecad-test1" && \
	mv "$$tmp/librecad-test1.png" docs/librecad-test1.png
	@build/bin/tintwright-cli render $(SHARED_DRAWINGS)/Test1.jww docs/render-test1.png \
	  --fit extents --print --dpi 40 --force >/dev/null
	@echo "docs/chart-dxf.png docs/chart-mix.png docs/chart-grad.png docs/viewer.png docs/viewer-win32.png docs/test3-screen.png docs/test3-print.png docs/librecad-test1.png docs/render-test1.png"

clean:
	rm -rf build build-debug build-sanitize build-fuzz build-windows build-web dist
