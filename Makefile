# Set-up, build, test and benchmark commands; see README.md.
BUILD_DIR := build
JOBS := $(shell nproc 2>/dev/null || echo 2)
CMAKE_FLAGS ?=

.PHONY: all deps build run test bench package clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@if [ -x $(BUILD_DIR)/tarvenix ]; then $(BUILD_DIR)/tarvenix; \
	else echo "The window does not exist yet: build/tarvenix was not built."; fi

test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

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
