# Thin wrapper over CMake. `make run` and `make test` set up a fresh Debian 12
# machine by themselves.
BUILD     ?= build
BUILDTYPE ?= RelWithDebInfo
JOBS      ?= $(shell nproc)
CMAKEFLAGS ?=

.PHONY: all deps configure build run test bench asan fuzz clean package

all: build

deps:
	@scripts/install-deps

# Configures once, and again whenever BUILDTYPE or CMAKEFLAGS differ from
# what the build folder was configured with. (An option dropped from
# CMAKEFLAGS keeps its cached value: `make clean` starts afresh.)
configure: deps
	@want='$(BUILDTYPE) $(CMAKEFLAGS)'; \
	if [ ! -f $(BUILD)/build.ninja ] || [ "$$(cat $(BUILD)/.make-configured 2>/dev/null)" != "$$want" ]; then \
	  cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILDTYPE) $(CMAKEFLAGS) && \
	  printf '%s\n' "$$want" > $(BUILD)/.make-configured; \
	fi

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/bin/korvane

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# A .deb of the installed program, in the build folder.
package: build
	cmake --build $(BUILD) --target package

bench: build
	@set -e; for b in $(BUILD)/bin/bench_*; do echo "== $$b"; $$b; done

# The whole suite under AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANE_SANITIZE=ON -DKORVANE_BENCH=OFF
	cmake --build build-asan -j $(JOBS)
	cd build-asan && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# libFuzzer targets (clang); run them by hand, e.g. build-fuzz/bin/fuzz_chunk_reader.
fuzz:
	@scripts/install-deps --fuzz
	CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANE_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS)

clean:
	rm -rf $(BUILD) build-asan build-fuzz
