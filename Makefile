# Two commands set everything up on a fresh machine:
#   make run   builds vantrel and translates the bundled example into out/
#   make test  builds and runs every test, also under AddressSanitizer and
#              UndefinedBehaviorSanitizer
# vantrel ends with status 1 on every path, so `run` judges success by the
# console's "Translation Successful" line.

EXAMPLE ?= examples/idcode-check.svf
JOBS ?= $(shell nproc)

.PHONY: all build run test test-gcc test-sanitize fuzz bench format clean

all: build

build:
	cmake -S . -B build -G Ninja -DCMAKE_CXX_COMPILER=g++ >/dev/null
	cmake --build build -j $(JOBS)

run: build
	mkdir -p out
	./build/vantrel $(EXAMPLE) out/example | tee out/console.txt || true
	@grep -q "^Translation Successful" out/console.txt && echo "make run: output in out/" || \
	  { echo "make run: translation failed"; exit 1; }

test: fuzz test-gcc test-sanitize

test-gcc: build
	cd build && ctest --output-on-failure -j $(JOBS)

test-sanitize:
	cmake -S . -B build-asan -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DVANTREL_SANITIZE=ON \
	  -DCMAKE_BUILD_TYPE=Debug >/dev/null
	cmake --build build-asan -j $(JOBS)
	cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j $(JOBS)

# Fuzzes the whole in-process translation for FUZZ_SECONDS, seeded with the
# real SVF corpus and the golden case inputs. Findings land in build-fuzz/.
FUZZ_SECONDS ?= 60
fuzz:
	cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all" \
	  -DVANTREL_TESTS=OFF -DVANTREL_FUZZ=ON >/dev/null
	cmake --build build-fuzz -j $(JOBS) --target translate_fuzzer
	rm -rf build-fuzz/seeds && mkdir -p build-fuzz/seeds build-fuzz/corpus build-fuzz/findings
	for f in tests/golden/cases/*/input.svf; do cp $$f build-fuzz/seeds/$$(basename $$(dirname $$f)).svf; done
	if [ -d ../shared/svf-corpus ]; then cp ../shared/svf-corpus/*.svf build-fuzz/seeds/; fi
	cd build-fuzz && ./fuzz/translate_fuzzer -max_total_time=$(FUZZ_SECONDS) -timeout=30 \
	  -rss_limit_mb=2048 -max_len=65536 -dict=../fuzz/svf.dict -artifact_prefix=findings/ \
	  -print_final_stats=1 corpus seeds

# Times vantrel on generated inputs against plain buffered writing of the same
# output; an optimised build of its own in build-release/.
bench:
	cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DVANTREL_TESTS=OFF -DVANTREL_BENCH=ON >/dev/null
	cmake --build build-release -j $(JOBS)
	./build-release/bench/run_benchmarks ./build-release/vantrel \
	  ./build-release/bench/generate_inputs ./build-release/bench/baseline_writer

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-asan build-fuzz build-release out
