# Entry points for people: each target installs what is missing, configures and builds as needed.
PRESET ?= default
BUILD := build/$(PRESET)
SAMPLE_OUT ?= out/sample-day
FUZZ_SECONDS ?= 60
# WERROR=1 turns warnings into errors (CI's builds).
WERROR ?=
CONFIGURE_ARGS := $(if $(WERROR),-DTALPO_WERROR=ON,)

.PHONY: all deps configure build test test-core test-asan asan package test-package demo gui bench fuzz fuzz-coverage \
        clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) $(CONFIGURE_ARGS) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

test: build
	@ctest --preset $(PRESET) -j2

# The core and talpo-cli alone, without Qt (build/core): proves that nothing below the windows needs it.
test-core:
	@$(MAKE) --no-print-directory test PRESET=core

# Every test again under AddressSanitizer and UndefinedBehaviorSanitizer (build/asan).
test-asan asan:
	@$(MAKE) --no-print-directory test PRESET=asan

# The Debian package of the default build: build/package/talpo_<version>_amd64.deb.
package: build
	@cd $(BUILD) && cpack -G DEB -B $(CURDIR)/build/package

# The package checked by lintian and the desktop's validators, unpacked and tried (CI runs it after
# `make test`, on the same build).
test-package: package
	@bash scripts/test-package.sh $(BUILD) build/package

demo: build
	@bash scripts/demo.sh $(BUILD) $(SAMPLE_OUT)

gui: build
	@$(BUILD)/src/app/talpo

# Benchmarks: a season of archives against the time to unpack them, a typical day, a large input as a scale
# check, with the goals checked (build/bench).
bench:
	@$(MAKE) --no-print-directory build PRESET=bench
	@bash bench/run.sh build/bench

# Each fuzz target for FUZZ_SECONDS (clang 14 and libFuzzer are installed when missing; build/fuzz).
fuzz: deps
	@bash fuzz/run.sh $(FUZZ_SECONDS)

# The line and branch coverage the fuzz corpora reach in the program's sources (build/fuzz-coverage).
fuzz-coverage: deps
	@bash fuzz/coverage.sh

clean:
	rm -rf build out
