# Set-up, build, test and benchmark commands; see README.md.
BUILD_DIR := build
JOBS := $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=
SANITIZER_DIR := $(CURDIR)/tests/sanitizers
CTEST := QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error -j $(JOBS)

# Every sanitizer report halts the test that made it, so any report fails the run.
# The suppression files hold only what Qt's uninstrumented libraries need, each entry
# with its reason.
ASAN_ENV := ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:strict_string_checks=1:check_initialization_order=1:strict_init_order=1 \
	LSAN_OPTIONS=suppressions=$(SANITIZER_DIR)/lsan.supp:print_suppressions=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
TSAN_ENV := TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$(SANITIZER_DIR)/tsan.supp:print_suppressions=0

# Sanitizer and fuzz builds keep asserts (Debug); the sanitizer block of CMakeLists.txt
# adds -O1. The benchmarks are built and run in build/ only.
SANITIZE_FLAGS := -DCMAKE_BUILD_TYPE=Debug -DTARVENIX_BUILD_BENCH=OFF $(CMAKE_FLAGS)
FUZZ_FLAGS := -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DTARVENIX_SANITIZE=fuzzer \
	-DTARVENIX_BUILD_GUI=OFF -DTARVENIX_BUILD_BENCH=OFF -DTARVENIX_TEST_PARTS=fuzz
FUZZ_TARGETS := fuzz_settings fuzz_parsefloat fuzz_parseinteger fuzz_replaceall

.PHONY: all deps build run test test-release test-asan test-tsan fuzz tidy ci bench package clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/tarvenix ]; then $(BUILD_DIR)/tarvenix; \
	else echo "The window does not exist yet: build/tarvenix was not built."; fi

# The whole suite three times: as released, under ASan+UBSan and under TSan.
test: test-release test-asan test-tsan

test-release: build
	$(CTEST) --test-dir $(BUILD_DIR)

test-asan: deps
	cmake -S . -B build-asan -DTARVENIX_SANITIZE=address $(SANITIZE_FLAGS)
	cmake --build build-asan -j $(JOBS)
	$(ASAN_ENV) $(CTEST) --test-dir build-asan

test-tsan: deps
	cmake -S . -B build-tsan -DTARVENIX_SANITIZE=thread $(SANITIZE_FLAGS)
	cmake --build build-tsan -j $(JOBS)
	$(TSAN_ENV) $(CTEST) --test-dir build-tsan

# libFuzzer targets built with clang in their own folder, each run for FUZZ_SECONDS.
fuzz: deps
	cmake -S . -B build-fuzz $(FUZZ_FLAGS)
	cmake --build build-fuzz -j $(JOBS) --target $(FUZZ_TARGETS)
	scripts/run-fuzzers build-fuzz

# clang-tidy over the sources of build/ (its compile database and generated headers).
tidy: build
	JOBS=$(JOBS) scripts/run-clang-tidy $(BUILD_DIR)

# Everything CI runs, each stage timed.
ci:
	.ci/run

bench: build
	$(BUILD_DIR)/tarvenix_bench --benchmark_out=$(BUILD_DIR)/bench.json --benchmark_out_format=json

# The Debian package is built in a folder of its own from the program alone, without the
# tests; its name is printed by cpack at the end.
package: deps
	cmake -S . -B $(BUILD_DIR)-package -DCMAKE_BUILD_TYPE=Release -DTARVENIX_BUILD_BENCH=OFF \
		-DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
	cmake --build $(BUILD_DIR)-package --target tarvenix -j $(JOBS)
	cd $(BUILD_DIR)-package && cpack -G DEB

clean:
	rm -rf build build-*
