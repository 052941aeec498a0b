# The two commands of the README, over CMake.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all bootstrap configure build test demo bench format clean

all: build

bootstrap:
	scripts/bootstrap.sh

configure: bootstrap
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS) --timeout 600

demo: build
	scripts/demo.sh $(BUILD)

bench: build
	$(BUILD)/bench/tavbench

format:
	cmake --build $(BUILD) --target format

clean:
	rm -rf $(BUILD) out
