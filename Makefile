# Set-up, build and test entry points; see README.md.
.PHONY: deps build test test-release test-sanitize fuzz run gui bench pictures clean

FUZZ_SECONDS ?= 60
SHARED_DRAWINGS ?= ../shared/testdata/jwcad

deps:
	@scripts/install-deps

build: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release

test: test-release test-sanitize fuzz

test-release: build
	@ctest --preset release -j2

test-sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize
	@ctest --preset sanitize -j2

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
# them, and the viewer on a real drawing (offscreen).
pictures: build
	@tmp=$$(mktemp -d) && trap 'rm -rf "$$tmp"' EXIT && \
	for p in dxf mix grad; do \
	  build/bin/tintwright-cli chart "$$tmp/chart-$$p.jww" --palette $$p >/dev/null && \
	  build/bin/tintwright-cli render "$$tmp/chart-$$p.jww" docs/chart-$$p.png --dpi 60 --force >/dev/null || exit 1; \
	done
	@QT_QPA_PLATFORM=offscreen build/bin/tintwright view $(SHARED_DRAWINGS)/Test1.jww --grab docs/viewer.png
	@echo "docs/chart-dxf.png docs/chart-mix.png docs/chart-grad.png docs/viewer.png"

clean:
	rm -rf build build-debug build-sanitize build-fuzz
