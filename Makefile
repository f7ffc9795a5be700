# The two commands of the README:
#   make run    builds vorlexi and starts it (or, with no display, prints the default calculation)
#   make test   builds everything and runs every test
# Both install the Debian packages they miss first. Beside them:
#   make install [PREFIX=/usr/local] [DESTDIR=staging]   builds and installs vorlexi
#   make package                                          builds the Debian package

BUILD_DIR      ?= build
ASAN_BUILD_DIR ?= build-asan
JOBS           ?= $(shell nproc)
CMAKE_FLAGS    ?=
PREFIX         ?= /usr/local

.PHONY: run test install package deps test-deps build-program test-plain test-sanitized clean

run: deps build-program
	@scripts/run-program.sh $(BUILD_DIR)

test: test-deps test-plain test-sanitized

# Nothing installed depends on the prefix, so it is chosen at install time, not at configure.
install: deps build-program
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

package: deps build-program
	cd $(BUILD_DIR) && cpack -G DEB
	@ls $(BUILD_DIR)/package/*.deb

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
