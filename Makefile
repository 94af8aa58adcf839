# Thin wrapper over the CMake presets.
PRESET ?= debug

.PHONY: deps build test demo format clean
deps:
	@scripts/install-deps

build: deps
	cmake --preset $(PRESET) >/dev/null
	cmake --build --preset $(PRESET)

test: build
	ctest --preset $(PRESET) -j2

demo: build
	./build/$(PRESET)/kassivo demo

format:
	find src tests bench fuzz -name '*.h' -o -name '*.cpp' | xargs clang-format -i

clean:
	rm -rf build
