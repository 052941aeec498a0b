# The two commands of the README, over CMake.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all configure build test demo bench format clean

all: build

# Each job first installs what it needs: the demo the build tools, the tests their own tools too.
configure:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test:
	bash scripts/bootstrap.sh test
	$(MAKE) build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS) --timeout 600

demo:
	bash scripts/bootstrap.sh demo
	$(MAKE) build
	scripts/demo.sh $(BUILD)

bench:
	bash scripts/bootstrap.sh bench
	$(MAKE) build
	$(BUILD)/bench/tavbench

format:
	cmake --build $(BUILD) --target format

clean:
	rm -rf $(BUILD) out
