# Thin wrapper over the CMake presets.
PRESET ?= debug

.PHONY: deps build test demo format clean test-sanitize test-fuzz test-tsan fuzz bench
deps:
	@scripts/install-deps

build: deps
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET)

test: build
	ctest --preset $(PRESET) -j2
	@$(MAKE) --no-print-directory test-sanitize test-fuzz test-tsan

# The whole suite again under AddressSanitizer and UBSan; the same build holds
# the fuzz targets, each run for FUZZ_TEST_SECONDS from its seed corpus.
FUZZ_TEST_SECONDS ?= 20
FUZZ_SECONDS ?= 300
test-sanitize: deps
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize -j2
	ctest --preset sanitize -j2

test-fuzz: test-sanitize
	scripts/run-fuzzers build/sanitize $(FUZZ_TEST_SECONDS)

# The concurrency tests under ThreadSanitizer (only their executable is built).
test-tsan: deps
	cmake --preset tsan >/dev/null
	cmake --build --preset tsan -j2
	TSAN_OPTIONS=halt_on_error=1 ./build/tsan/tests/kassivo_concurrency_tests

fuzz: deps
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize -j2
	scripts/run-fuzzers build/sanitize $(FUZZ_SECONDS)

bench: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j2
	./build/release/bench/kassivo_bench

demo: build
	./build/$(PRESET)/kassivo demo

format:
	find src tests bench fuzz -name '*.h' -o -name '*.cpp' | xargs clang-format -i

clean:
	rm -rf build
