# The two commands of the README:
#   make run    builds vorlexi and starts it (or, with no display, prints the default calculation)
#   make test   builds everything and runs every test
# Both install the Debian packages they miss first.

BUILD_DIR      ?= build
ASAN_BUILD_DIR ?= build-asan
JOBS           ?= $(shell nproc)
CMAKE_FLAGS    ?=

.PHONY: run test deps test-deps build-program test-plain test-sanitized clean

run: deps build-program
	@scripts/run-program.sh $(BUILD_DIR)

test: test-deps test-plain test-sanitized

deps:
	@scripts/install-deps.sh

test-deps:
	@scripts/install-deps.sh --test

# The program needs neither GoogleTest nor Google Benchmark, so `make run` builds
# without them; `make test` switches them back on in the same folder. Configuring
# every time is cheap and picks up a folder that the other command configured.
build-program:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DVORLEXI_BUILD_TESTS=OFF -DVORLEXI_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

test-plain:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DVORLEXI_BUILD_TESTS=ON -DVORLEXI_BUILD_BENCH=ON $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

test-sanitized:
	cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DVORLEXI_SANITIZE=ON -DVORLEXI_BUILD_TESTS=ON -DVORLEXI_BUILD_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD_DIR) --output-on-failure -j $(JOBS) --label-exclude no-sanitizer

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR)
