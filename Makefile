# Set-up, build and test entry points; see README.md.
.PHONY: deps build test test-release test-sanitize fuzz run gui bench clean
.PHONY: package test-package

# make fuzz runs each fuzz target this long; for a longer search, e.g.
#   make fuzz FUZZ_SECONDS=3600 FUZZ_RSS_MB=1024
# FUZZ_RSS_MB is libFuzzer's -rss_limit_mb: a memory limit well below the
# machine's, so an input that makes the reader hold too much is a finding.
FUZZ_SECONDS ?= 60
FUZZ_RSS_MB ?= 1024
export FUZZ_RSS_MB

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
