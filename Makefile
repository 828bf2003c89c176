# Set-up, build and test entry points; see README.md.
.PHONY: deps build test test-release test-sanitize fuzz run gui bench clean
.PHONY: package test-package

FUZZ_SECONDS ?= 60

deps:
	@scripts/install-deps

build: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release

test: test-release test-package test-sanitize fuzz

test-release: build
	@ctest --preset release -j2

test-sanitize: deps
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize
	@ctest --preset sanitize -j2

# The Debian package (build/tintwright_VERSION_ARCH.deb), and its checks: the
# consumer example against an installed prefix, the package's contents, lintian.
package: build
	@cmake --build --preset release --target package

test-package: package
	@scripts/check-install
	@scripts/check-package

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

clean:
	rm -rf build build-debug build-sanitize build-fuzz
