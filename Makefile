# The two commands of the README: `make run` and `make test`.
BUILD ?= build
WERROR ?= OFF
JOBS ?= $(shell nproc)

CMAKE_FLAGS = -G Ninja -DSB_WERROR=$(WERROR)

.PHONY: deps configure build run test clean

deps:
	@scripts/install-deps

configure: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) > /dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# The bare run: the built-in scenario's files beside build/scenario-builder.
run: build
	./$(BUILD)/scenario-builder

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
