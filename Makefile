# The two commands of the README, over CMake.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all configure build test demo bench sanitize format clean install

all: build

# Each job first installs what it needs: the demo the build tools, the tests their own tools too.
configure:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j$(JOBS)

test:
	bash scripts/bootstrap.sh test
	$(MAKE) build
	bash scripts/test.sh $(BUILD) $(JOBS)

demo:
	bash scripts/bootstrap.sh demo
	$(MAKE) build
	scripts/demo.sh $(BUILD)

bench:
	bash scripts/bootstrap.sh bench
	$(MAKE) build
	$(BUILD)/bench/tavbench

# Every test in a build of its own with AddressSanitizer and UndefinedBehaviorSanitizer; not part
# of `make test`, as the build and the run take several times as long.
SANITIZE_BUILD ?= build-sanitize
sanitize:
	bash scripts/bootstrap.sh test
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTAV_SANITIZE=ON
	cmake --build $(SANITIZE_BUILD) -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j$(JOBS) --timeout 1800

# The program, its resources, a command in PREFIX/bin and a desktop entry (README "First run").
PREFIX ?= /usr/local
install:
	bash scripts/bootstrap.sh demo
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) -j$(JOBS)
	cmake --install $(BUILD)

format:
	cmake --build $(BUILD) --target format

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) out
