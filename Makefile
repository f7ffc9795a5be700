# The two commands of the README:
#   make run    builds vorlexi and starts it (or, with no display, prints the default calculation)
#   make test   builds everything and runs every test
# Both install the Debian packages they miss first.

BUILD_DIR      ?= build
ASAN_BUILD_DIR ?= build-asan
JOBS           ?= $(shell nproc)
CMAKE_FLAGS    ?=

.PHONY: run test build deps test-deps test-plain test-sanitized clean

run: deps build
	@scripts/run-program.sh $(BUILD_DIR)

test: test-deps test-plain test-sanitized

deps:
	@scripts/install-deps.sh

test-deps:
	@scripts/install-deps.sh --test

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

test-plain: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

$(ASAN_BUILD_DIR)/build.ninja:
	cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DVORLEXI_SANITIZE=ON -DVORLEXI_BUILD_BENCH=OFF $(CMAKE_FLAGS)

test-sanitized: $(ASAN_BUILD_DIR)/build.ninja
	cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	ctest --test-dir $(ASAN_BUILD_DIR) --output-on-failure -j $(JOBS) --label-exclude no-sanitizer

clean:
	rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR)
