# Thin wrapper over the CMake presets.
PRESET ?= debug
# The 32-bit Windows build needs only these for its end-to-end test and dist/.
X86_TARGETS = FPKassivo KassivoAddIn kassivo com_end_to_end addin_host
# 32-bit Wine's loader, from the wine32:i386 package.
WINE32_LOADER = /usr/lib/wine/wine

# Each CTest run also writes its results as JUnit XML, from which
# scripts/run-tests names the tests that were skipped and why.
JUNIT = --output-junit $(CURDIR)/build/ctest-results/$(1).xml

.PHONY: deps deps-windows deps-dist deps-all build test test-native test-windows windows dist demo format clean
.PHONY: build-sanitize test-sanitize test-fuzz test-tsan test-linux32 fuzz bench
# What the native build, the demo, the native suite, the sanitizers, the
# fuzzers and the benchmarks need.
deps:
	@scripts/install-deps native

deps-windows: deps
	@scripts/install-deps windows

# zip, unzip and dpkg-dev, for make dist and its check.
deps-dist:
	@scripts/install-deps dist

# Everything, 32-bit Wine and the 32-bit Linux toolchain included; a machine
# that cannot install those (exit 3) goes on without them and skips the tests
# that need them.
deps-all:
	@scripts/install-deps native windows wine32 linux32 || [ $$? -eq 3 ]

build: deps
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET)

# In stages, with a line as each starts and ends (scripts/run-tests): the
# installs; the native suite; again under the sanitizers, with short fuzz
# runs and the concurrency tests under ThreadSanitizer; the 32-bit Linux
# add-in under qemu; then the Windows builds under Wine: the whole suite and
# the receipt window on 64-bit Wine, the COM end-to-end test and the add-in's
# test host on both; and last the three packages of make dist, checked.
test:
	@scripts/run-tests

test-native: build
	@mkdir -p build/ctest-results
	ctest --preset $(PRESET) -j2 $(call JUNIT,$(PRESET))

# The whole suite again under AddressSanitizer and UBSan; the same build holds
# the fuzz targets, each run for FUZZ_TEST_SECONDS from its seed corpus.
FUZZ_TEST_SECONDS ?= 20
FUZZ_SECONDS ?= 300
build-sanitize: deps
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize -j2

test-sanitize: build-sanitize
	@mkdir -p build/ctest-results
	ctest --preset sanitize -j2 $(call JUNIT,sanitize)

test-fuzz: build-sanitize
	scripts/run-fuzzers build/sanitize $(FUZZ_TEST_SECONDS)

# The concurrency tests under ThreadSanitizer (only their executable is built).
test-tsan: deps
	cmake --preset tsan >/dev/null
	cmake --build --preset tsan -j2
	TSAN_OPTIONS=halt_on_error=1 ./build/tsan/tests/kassivo_concurrency_tests

fuzz: build-sanitize
	scripts/run-fuzzers build/sanitize $(FUZZ_SECONDS)

bench: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j2 --target kassivo_bench
	./build/release/bench/kassivo_bench

# The 32-bit Linux add-in library, its test host run under qemu's i386
# emulator. Without the toolchain (install-deps linux32), one test of the
# native suite reports itself skipped with the reason.
test-linux32: deps
	@mkdir -p build/ctest-results
	@if scripts/linux32-available; then \
	  cmake --preset linux-x86 >/dev/null && \
	  cmake --build --preset linux-x86 -j2 && \
	  ctest --preset linux-x86 -j2 $(call JUNIT,linux-x86); \
	else echo "32-bit Linux add-in: skipped ($$(scripts/linux32-available --reason))"; fi

# The 32-bit DLLs' images are checked without Wine; their tests under Wine
# run where 32-bit Wine is installed and report themselves skipped where it
# is not.
# Then dist/ is made (adding only the native release build) and checked.
test-windows: deps-windows
	@mkdir -p build/ctest-results
	cmake --preset windows-x64 >/dev/null
	cmake --build --preset windows-x64
	ctest --preset windows-x64 -j2 $(call JUNIT,windows-x64)
	cmake --preset windows-x86 >/dev/null
	cmake --build --preset windows-x86 --target $(X86_TARGETS)
	if [ -e $(WINE32_LOADER) ]; then scripts/i386-emulation on; fi
	ctest --preset windows-x86 -R '^(dll_image|addin_dll_image|com_end_to_end|addin_x86)$$' $(call JUNIT,windows-x86)
	$(MAKE) --no-print-directory dist
	scripts/check-dist

# dist/ afresh: the native add-in zip, the Windows COM zip and the Debian
# package (scripts/make-dist), from the native release build (kassivo linked
# statically but for the C library, and the add-in) and both Windows builds.
# The 32-bit Linux add-in joins the add-in zip when make test-linux32 built
# it (or from LINUX_X86_ADDIN=PATH).
DIST_WINDOWS_TARGETS = FPKassivo kassivo KassivoAddIn
dist: deps-windows deps-dist
	cmake --preset release -DKASSIVO_STATIC_KASSIVO=ON >/dev/null
	cmake --build --preset release -j2 --target kassivo KassivoAddIn
	cmake --preset windows-x64 >/dev/null
	cmake --build --preset windows-x64 -j2 --target $(DIST_WINDOWS_TARGETS)
	cmake --preset windows-x86 >/dev/null
	cmake --build --preset windows-x86 -j2 --target $(DIST_WINDOWS_TARGETS)
	scripts/make-dist

# What make windows made (both DLLs, kassivo.exe, the install note) is now
# the COM zip of make dist.
windows: dist

# Builds only the command-line host, then plays the day.
demo: deps
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET) --target kassivo
	./build/$(PRESET)/kassivo demo

format:
	find src tests bench fuzz -name '*.h' -o -name '*.cpp' | xargs clang-format -i

clean:
	rm -rf build dist
