# Thin wrapper over CMake. `make` builds everything into $(BUILD) (the
# distribution medium at $(BUILD)/dist, and as $(BUILD)/VRX2.iso and
# $(BUILD)/VRX2.zip); `make run` shows the saver on the
# sample pictures under Wine; `make test` runs every test.
#
# The tests, the demo and the benchmark run the 32-bit programs (the product)
# under 32-bit Wine where this machine can start 32-bit x86 programs, else
# the x86_64 programs of $(BUILD)/x64 under wine64, and `make test` adds the
# 32-bit programs' process and end-to-end tests in an emulated 32-bit PC
# (tests/harness/host-arch.sh tells which and why). VRX_TEST_ARCH=x64 chooses
# the 64-bit ones anywhere, VRX_TEST_ARCH=x86-emulated the whole 32-bit suite
# in the emulated PC.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo
# Found out once, by the first make; the ones it starts inherit it.
ifndef VRX_ARCH
  VRX_ARCH := $(shell VRX_BUILD=$(BUILD) bash tests/harness/host-arch.sh)
  export VRX_ARCH
endif
ifeq ($(VRX_ARCH),x86)
  RUN_BUILD := $(BUILD)
  X64_TESTS := OFF
else
  RUN_BUILD := $(BUILD)/x64
  X64_TESTS := ON
endif

.PHONY: all deps configure configure-x64 build-for-run run test bench x64 clean

all: configure
	cmake --build $(BUILD) -j$(JOBS)

configure:
	@test -f $(BUILD)/CMakeCache.txt || \
	  cmake -S . -B $(BUILD) -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/i686-w64-mingw32.cmake $(CMAKE_FLAGS)

configure-x64:
	@cmake -S . -B $(BUILD)/x64 -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/x86_64-w64-mingw32.cmake \
	  -DVRX_BUILD_TESTS=$(X64_TESTS) $(CMAKE_FLAGS) >/dev/null

deps:
	@bash tools/install-deps.sh

# The 64-bit programs and their medium ($(BUILD)/x64/dist); with their tests
# where the 64-bit suite is the one that runs.
x64: deps configure-x64
	cmake --build $(BUILD)/x64 -j$(JOBS)

# What the chosen architecture runs on: the 32-bit build in full (with the
# 64-bit programs), or the 64-bit one in full beside the 32-bit programs and
# medium, or both in full where the emulated PC runs the 32-bit tests.
build-for-run: configure
ifeq ($(VRX_ARCH),x64)
	@$(MAKE) --no-print-directory x64
	cmake --build $(BUILD) -j$(JOBS) --target dist media
else
	@$(MAKE) --no-print-directory all
	@$(MAKE) --no-print-directory x64
endif

run:
	@VRX_BUILD=$(BUILD) bash tests/harness/host-arch.sh --describe
	@$(MAKE) --no-print-directory deps
	@$(MAKE) --no-print-directory build-for-run
	@bash tools/run-saver-demo.sh $(RUN_BUILD) $(BUILD)/screenshots

# Timed stages (tests/harness/make-test.sh): packages, builds, the emulated
# PC's image where it is used, the suites.
test:
	@VRX_BUILD=$(BUILD) bash tests/harness/host-arch.sh --describe
	@MAKE="$(MAKE)" bash tests/harness/make-test.sh $(BUILD)

# Figures of the picture display under Wine (not a test), on 3840 x 2160
# screens of their own (tests/harness/bench.sh).
bench:
	@VRX_BUILD=$(BUILD) bash tests/harness/host-arch.sh --describe
	@$(MAKE) --no-print-directory deps
	@$(MAKE) --no-print-directory build-for-run
	@bash tests/harness/bench.sh $(RUN_BUILD)

clean:
	rm -rf $(BUILD)
