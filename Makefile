# Entry points for people: each target installs what is missing, configures and builds as needed.
PRESET ?= default
BUILD := build/$(PRESET)
SAMPLE_OUT ?= out/sample-day

.PHONY: all deps configure build test demo gui bench clean

all: build

deps:
	@bash scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

build: configure
	@cmake --build --preset $(PRESET)

test: build
	@ctest --preset $(PRESET) -j2

demo: build
	@bash scripts/demo.sh $(BUILD) $(SAMPLE_OUT)

gui: build
	@$(BUILD)/src/ui/talpo

clean:
	rm -rf build out
