# make test: install what is missing, configure, build, run every test.
# make run:  install what is missing, build, start the program.
BUILD ?= build
CMAKE_FLAGS ?=

.PHONY: all bootstrap configure build test run screenshot bench clean

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j2

test: build
	@cd $(BUILD) && ctest --output-on-failure -j2

run: build
	@if [ -x $(BUILD)/velmora ]; then exec $(BUILD)/velmora; \
	else echo "velmora: the desktop program is not built yet; the core and its tests are."; fi

clean:
	rm -rf $(BUILD)
