# Thin wrapper over the CMake presets.
PRESET ?= debug
# The 32-bit Windows build needs only these for its end-to-end test and dist/.
X86_TARGETS = FPKassivo kassivo com_end_to_end

.PHONY: deps build test test-native test-windows windows demo format clean
.PHONY: test-sanitize test-fuzz test-tsan fuzz bench
deps:
	@scripts/install-deps

build: deps
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET)

# The native suite; again under the sanitizers, with short fuzz runs and the
# concurrency tests under ThreadSanitizer; then the Windows builds under Wine:
# the whole suite and the receipt window on 64-bit Wine, the COM end-to-end
# test on both.
test: test-native test-sanitize test-fuzz test-tsan test-windows

test-native: build
	ctest --preset $(PRESET) -j2

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
	cmake --build --preset release -j2 --target kassivo_bench
	./build/release/bench/kassivo_bench

test-windows: deps
	cmake --preset windows-x64 >/dev/null
	cmake --build --preset windows-x64
	ctest --preset windows-x64 -j2
	cmake --preset windows-x86 >/dev/null
	cmake --build --preset windows-x86 --target $(X86_TARGETS)
	scripts/i386-emulation on
	ctest --preset windows-x86 -R com_end_to_end

# dist/: both DLLs, kassivo.exe and the install note.
windows: deps
	cmake --preset windows-x64 >/dev/null
	cmake --build --preset windows-x64 --target FPKassivo kassivo
	cmake --preset windows-x86 >/dev/null
	cmake --build --preset windows-x86 --target FPKassivo kassivo
	rm -rf dist && mkdir -p dist/x86 dist/x64
	cp build/windows-x86/FPKassivo.dll build/windows-x86/kassivo.exe dist/x86/
	cp build/windows-x64/FPKassivo.dll build/windows-x64/kassivo.exe dist/x64/
	cp packaging/INSTALL.txt dist/

demo: build
	./build/$(PRESET)/kassivo demo

format:
	find src tests bench fuzz -name '*.h' -o -name '*.cpp' | xargs clang-format -i

clean:
	rm -rf build dist
