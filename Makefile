# Two commands set everything up on a fresh Debian machine:
#   make run   builds vantrel and translates the bundled example into out/
#   make test  installs what the machine lacks (make deps), then builds and
#              runs every test: g++, clang++ under AddressSanitizer and
#              UndefinedBehaviorSanitizer, the Windows build under Wine, and a
#              short fuzz run
# vantrel ends with status 1 on every path, so `run` judges success by the
# console's "Translation Successful" line.

EXAMPLE ?= examples/idcode-check.svf
JOBS ?= $(shell nproc)
PREFIX ?= /usr/local

# The Windows build (Release, with its tests) and the Wine prefix it runs in.
WINDOWS_DIR = build-windows
WINE = $(CURDIR)/cmake/wine-run $(CURDIR)/$(WINDOWS_DIR)/wineprefix

.PHONY: all build run deps deps-build test test-gcc test-sanitize test-windows windows windows-configure \
  release install dist fuzz bench format clean

all: build

build:
	cmake -S . -B build -G Ninja -DCMAKE_CXX_COMPILER=g++ >/dev/null
	cmake --build build -j $(JOBS)

# Builds the program only, as released (build-release/), not the tests: a
# fresh machine has no GoogleTest, and needs none for this.
run: deps-build release
	mkdir -p out
	./build-release/vantrel $(EXAMPLE) out/example | tee out/console.txt || true
	@grep -q "^Translation Successful" out/console.txt && echo "make run: output in out/" || \
	  { echo "make run: translation failed"; exit 1; }

# Installs (apt-get) whatever building and testing needs and the machine lacks.
deps:
	@tools/deps

# Only what building the Linux program needs.
deps-build:
	@tools/deps build

# Make runs these one after another, in this order.
test: deps fuzz test-gcc test-sanitize test-windows

test-gcc: build
	cd build && ctest --output-on-failure -j $(JOBS)

test-sanitize:
	cmake -S . -B build-asan -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DVANTREL_SANITIZE=ON \
	  -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

windows-configure:
	cmake -S . -B $(WINDOWS_DIR) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release --no-warn-unused-cli >/dev/null

# vantrel.exe: one statically linked file for 64-bit Windows 10 or later.
windows: windows-configure
	cmake --build $(WINDOWS_DIR) -j $(JOBS) --target vantrel
	@echo "make windows: $(WINDOWS_DIR)/vantrel.exe"

# The Windows tests under Wine: the unit tests and golden cases in-process
# (vantrel_tests.exe), then every golden case against vantrel.exe as a
# process, driven by the Linux build's runner. Wine's server stays up for the
# whole run and is stopped at the end, also when a test fails.
test-windows: build windows-configure
	cmake --build $(WINDOWS_DIR) -j $(JOBS)
	$(WINE) --start
	status=0; \
	(cd $(WINDOWS_DIR) && ctest --output-on-failure -j $(JOBS)) || status=1; \
	VANTREL_WINDOWS=1 VANTREL_COMMAND="$(WINE) $(CURDIR)/$(WINDOWS_DIR)/vantrel.exe" \
	  ./build/tests/vantrel_tests --gtest_filter='Cases/Golden.*' --gtest_brief=1 || status=1; \
	$(WINE) --stop; exit $$status

# The optimised Linux program, as installed and packed.
release:
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF >/dev/null
	cmake --build build-release -j $(JOBS) --target vantrel

# bin/vantrel and share/man/man1/vantrel.1 under PREFIX (default /usr/local).
install: release
	cmake --install build-release --prefix $(PREFIX)

# dist/vantrel-VERSION-linux-x86_64.tar.gz and
# dist/vantrel-VERSION-windows-x86_64.zip, the same bytes on every run.
dist: release windows
	tools/dist build-release/vantrel $(WINDOWS_DIR)/vantrel.exe dist

# Fuzzes the whole in-process translation for FUZZ_SECONDS, seeded with the
# real SVF corpus and the golden case inputs, then the check of written files
# (edited by the fuzzer) for half as long. Findings land in build-fuzz/.
FUZZ_SECONDS ?= 40
fuzz:
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
	  -DVANTREL_TESTS=OFF -DVANTREL_FUZZ=ON >/dev/null
	cmake --build build-fuzz -j $(JOBS) --target translate_fuzzer check_fuzzer
	rm -rf build-fuzz/seeds && mkdir -p build-fuzz/seeds build-fuzz/corpus build-fuzz/findings \
	  build-fuzz/check-corpus
	for f in tests/golden/cases/*/input.svf; do cp $$f build-fuzz/seeds/$$(basename $$(dirname $$f)).svf; done
	if [ -d ../shared/svf-corpus ]; then cp ../shared/svf-corpus/*.svf build-fuzz/seeds/; fi
	cd build-fuzz && ./fuzz/translate_fuzzer -max_total_time=$(FUZZ_SECONDS) -timeout=30 \
	  -rss_limit_mb=2048 -max_len=65536 -dict=../fuzz/svf.dict -artifact_prefix=findings/ \
	  -print_final_stats=1 corpus seeds
	cd build-fuzz && ./fuzz/check_fuzzer -max_total_time=$$(( $(FUZZ_SECONDS) / 2 )) -timeout=30 \
	  -rss_limit_mb=2048 -max_len=4096 -artifact_prefix=findings/check- -print_final_stats=1 \
	  check-corpus

# Times vantrel on generated inputs against plain buffered writing of the same
# output, and its start-up on an empty input; an optimised build of its own in
# build-release/.
bench:
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DVANTREL_TESTS=OFF -DVANTREL_BENCH=ON >/dev/null
	cmake --build build-release -j $(JOBS)
	./build-release/bench/run_benchmarks ./build-release/vantrel \
	  ./build-release/bench/generate_inputs ./build-release/bench/baseline_writer

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-asan build-fuzz build-release $(WINDOWS_DIR) out dist
