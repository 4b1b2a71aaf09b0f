# Thin wrapper over CMake. `make` builds everything into $(BUILD) (the
# distribution medium at $(BUILD)/dist); `make run` shows the saver on the
# sample pictures under Wine; `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps configure run test bench x64 clean

all: configure
	cmake --build $(BUILD) -j$(JOBS)

configure:
	@test -f $(BUILD)/CMakeCache.txt || \
	  cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/i686-w64-mingw32.cmake $(CMAKE_FLAGS)

deps:
	@bash tools/install-deps.sh

run: deps
	@$(MAKE) --no-print-directory all
	@bash tools/run-saver-demo.sh $(BUILD)

# The 64-bit build only has to build cleanly; its tests are not run.
x64: deps
	@test -f $(BUILD)/x64/CMakeCache.txt || \
	  cmake -S . -B $(BUILD)/x64 -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/x86_64-w64-mingw32.cmake \
	    -DVRX_BUILD_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(BUILD)/x64 -j$(JOBS)

test: deps
	@$(MAKE) --no-print-directory all
	@$(MAKE) --no-print-directory x64
	@bash tests/harness/run-tests.sh $(BUILD)

# Figures of the picture display under Wine (not a test).
bench: deps
	@$(MAKE) --no-print-directory all
	@VRX_BUILD=$(BUILD) bash tests/harness/wine-run.sh $(BUILD)/tests/bin/picture_display_bench.exe

clean:
	rm -rf $(BUILD)
