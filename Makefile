# The two commands of the README: `make run` starts Lumidor, `make test` runs
# every test. Both install and build whatever is missing first.
SHELL := /bin/bash
.DEFAULT_GOAL := run
.PHONY: setup native sanitize windows libpng-mingw test test-native test-sanitize test-windows \
        run dist bench fuzz format clean

setup:
	@bash scripts/setup.sh

native: setup
	@cmake --preset native >/dev/null
	@cmake --build --preset native

sanitize: setup
	@cmake --preset sanitize >/dev/null
	@cmake --build --preset sanitize

libpng-mingw: setup
	@bash scripts/build-libpng-mingw.sh

windows: libpng-mingw
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows

test: setup
	@$(MAKE) --no-print-directory test-native
	@$(MAKE) --no-print-directory test-sanitize
	@$(MAKE) --no-print-directory test-windows

test-native: native
	@ctest --preset native

test-sanitize: sanitize
	@ctest --preset sanitize

test-windows: windows
	@bash scripts/windows-tests.sh

run: windows
	@bash scripts/run-lumidor.sh

dist: windows
	@cmake --build --preset windows --target dist
	@bash scripts/check-reproducible.sh

bench: native
	@build/native/bench/lumidor_bench

fuzz: setup
	@bash scripts/fuzz.sh $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf build
