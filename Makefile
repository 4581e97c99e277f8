# The two commands of the README: `make run` and `make test`.
BUILD ?= build
WERROR ?= OFF
JOBS ?= $(shell nproc)
FUZZ_SECONDS ?= 60

CMAKE_FLAGS = -G Ninja -DSB_WERROR=$(WERROR)

.PHONY: deps configure build run test fuzz package bench clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The bare run: the built-in scenario's files beside build/scenario-builder.
run: build
	./$(BUILD)/scenario-builder

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Each fuzz target for FUZZ_SECONDS seconds, in the sanitized tree build-asan/,
# on a working corpus in fuzz/corpus-work/ grown from the seeds in fuzz/corpus/.
fuzz:
	@fuzz/run $(FUZZ_SECONDS)

# Release packages in dist/: the Debian package and the Windows zip.
package:
	@scripts/package

# Benchmarks, in the Release tree build-bench/: the micro benchmarks of
# bench/, then the whole runs against copying their own output
# (bench/whole_run.sh, which needs hyperfine and GNU time), then the live
# preview page's first paint and frame rates (bench/page.sh: node, npm and
# Debian's chromium).
BENCH_BUILD ?= build-bench

bench:
	@scripts/install-deps hyperfine time
	@cmake -S . -B $(BENCH_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DSB_BENCH=ON -DSB_TESTS=OFF > /dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS) --target scenario-builder scenario-builder-serve sb_bench generate_scenario
	./$(BENCH_BUILD)/bench/sb_bench
	bench/whole_run.sh $(BENCH_BUILD)
	bench/page.sh $(BENCH_BUILD)

clean:
	rm -rf $(BUILD)
