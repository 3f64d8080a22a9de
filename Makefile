# The two commands a newcomer needs: `make run` and `make test`.
BUILD ?= build
JOBS ?= 2
# The studio runs in a folder of its own inside the build tree (see README.md).
RUNDIR ?= $(BUILD)/run

# Where `make install` puts the studio (DESTDIR=... stages it below another root).
PREFIX ?= /usr/local

.PHONY: all deps build test test-asan run prepare install bench fuzz clean

all: build

deps:
	@scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)

run: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target PondaroMaker PondaroExtMaker pondaro-cli
	@scripts/prepare-run.sh $(BUILD) $(RUNDIR)
	@scripts/start-studio.sh $(BUILD) $(RUNDIR)

# The core tests and pondaro-cli under AddressSanitizer and UndefinedBehaviorSanitizer
# (the window and engine tests are left to `make test`).
test-asan: deps
	@cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DPONDARO_SANITIZE=ON \
	  -DPONDARO_BUILD_UI=OFF -DPONDARO_BUILD_BENCH=OFF >/dev/null
	@cmake --build build-asan -j$(JOBS) --target pondaro_tests pondaro-cli
	cd build-asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j$(JOBS) -E '^engine$$'

# The three programs, the launcher `pondaro`, the engine template and word list, the
# manual, the samples, the desktop entry, the icon and the project files' type.
install: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target PondaroMaker PondaroExtMaker pondaro-cli
	@cmake --install $(BUILD) --prefix $(PREFIX)

# The run folder alone: export.js, keywords.dat, the sample projects and the manual.
prepare:
	@scripts/prepare-run.sh $(BUILD) $(RUNDIR)

bench: build
	@scripts/run-bench.sh $(BUILD)

fuzz: deps
	@CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DPONDARO_FUZZ=ON -DPONDARO_BUILD_TESTS=OFF -DPONDARO_BUILD_BENCH=OFF -DPONDARO_BUILD_UI=OFF >/dev/null
	@cmake --build build-fuzz -j$(JOBS)
	@echo "Fuzz targets are in build-fuzz/fuzz/ (run one with a corpus folder, e.g. build-fuzz/fuzz/fuzz_project_reader -max_total_time=60)"

clean:
	rm -rf $(BUILD) build-fuzz build-asan
